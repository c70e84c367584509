#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PortableProfileStore.h"
#include "platform/memory/MemoryFileSystem.h"
#include "tests/support/ScratchFolder.h"
#include "windows/Options.h"

namespace kelvane {
namespace {

std::vector<std::string> Texts(const std::vector<IgnoreRow>& rows) {
  std::vector<std::string> texts;
  for (const IgnoreRow& row : rows) texts.push_back(row.text);
  return texts;
}

class Options : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddDrive('C', DriveType::Fixed);
    files_.AddFolder("C:\\Backup");
    settings_.OutputDirectory = "C:\\Old";
    settings_.IgnoreValue = {"HKEY_CURRENT_USER\\Software\\A\\V",
                             "HKEY_CURRENT_USER\\Software\\B\\W"};
    settings_.IgnoreKey = {"HKEY_LOCAL_MACHINE\\Software\\K"};
  }

  testsupport::ScratchFolder folder_;
  PortableProfileStore store_;
  std::string lan_ = "English";
  Language language_{store_, folder_.Path(), lan_};
  MemoryFileSystem files_;
  Settings settings_;
};

TEST_F(Options, AnExistingFolderStoresEveryEditedSetting) {
  OptionsModel options = OptionsFromSettings(settings_);
  EXPECT_EQ(Texts(options.values), settings_.IgnoreValue);
  EXPECT_EQ(Texts(options.keys), settings_.IgnoreKey);
  options.outputDirectory = "c:\\backup\\";
  options.restorePoint = options.deleteBackupFile = options.includeRemoveMedia = true;
  options.includeCDdrive = options.showHint = options.beep = true;
  options.keys.clear();
  options.Rows(IgnoreList::Value).push_back({"HKEY_USERS\\X\\Y", false});

  EXPECT_EQ(ConfirmOptions(options, settings_, files_, language_), std::nullopt);
  EXPECT_EQ(settings_.OutputDirectory, "c:\\backup\\");
  EXPECT_TRUE(settings_.RestorePoint && settings_.DeleteBackupFile &&
              settings_.IncludeRemoveMedia && settings_.IncludeCDdrive && settings_.ShowHint &&
              settings_.Beep);
  EXPECT_EQ(settings_.IgnoreValue,
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\A\\V",
                                      "HKEY_CURRENT_USER\\Software\\B\\W", "HKEY_USERS\\X\\Y"}));
  EXPECT_TRUE(settings_.IgnoreKey.empty());
}

TEST_F(Options, AMissingFolderStoresNothingAndNamesTheFolder) {
  const Settings before = settings_;
  OptionsModel options = OptionsFromSettings(settings_);
  options.beep = options.includeCDdrive = true;
  options.values.clear();
  for (const char* folder : {"C:\\Gone", "", "C:\\Backup\\*"}) {
    options.outputDirectory = folder;
    EXPECT_EQ(ConfirmOptions(options, settings_, files_, language_),
              std::string(folder) + ",The backup directory does not exist.");
    EXPECT_EQ(settings_.OutputDirectory, before.OutputDirectory);
    EXPECT_EQ(settings_.Beep, before.Beep);
    EXPECT_EQ(settings_.IncludeCDdrive, before.IncludeCDdrive);
    EXPECT_EQ(settings_.IgnoreValue, before.IgnoreValue);
  }
  testsupport::WriteRawFile(LanguageFilePath(folder_.Path(), "German"),
                            "[ResourceString]\r\nRES_Directory_Not_Exist=Fehlt.\r\n");
  lan_ = "German";
  options.outputDirectory = "C:\\Gone";
  EXPECT_EQ(ConfirmOptions(options, settings_, files_, language_), "C:\\Gone,Fehlt.");
}

TEST(IgnoreRows, AddSkipsATextListedInAnyCaseAndRemoveTakesTheTickedRows) {
  std::vector<IgnoreRow> rows = {{"HKEY_CURRENT_USER\\Software\\X", false}};
  EXPECT_FALSE(AddIgnoreRow(rows, "hkey_current_user\\software\\x"));
  EXPECT_TRUE(AddIgnoreRow(rows, "HKEY_CURRENT_USER\\Software\\X2"));
  EXPECT_TRUE(AddIgnoreRow(rows, "HKEY_CURRENT_USER\\Software\\\xC4"));
  // Only ASCII letters change case.
  EXPECT_TRUE(AddIgnoreRow(rows, "HKEY_CURRENT_USER\\Software\\\xE4"));
  EXPECT_EQ(rows.size(), 4u);

  RemoveTickedRows(rows);
  EXPECT_EQ(rows.size(), 4u);
  rows[0].ticked = rows[2].ticked = true;
  RemoveTickedRows(rows);
  EXPECT_EQ(Texts(rows), (std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\X2",
                                                   "HKEY_CURRENT_USER\\Software\\\xE4"}));
}

TEST(RestorePointCaption, EndsInTheBuiltInVersionsFromXpInAnyCase) {
  EXPECT_EQ(RestorePointCaption("Create a system restore point before repair (XP, Vista, 7)"),
            "Create a system restore point before repair (XP, Vista, 7)");
  EXPECT_EQ(RestorePointCaption("Wiederherstellungspunkt (XP)"),
            "Wiederherstellungspunkt (XP, Vista, 7)");
  EXPECT_EQ(RestorePointCaption("Point (xp, Vista) avant"), "Point (XP, Vista, 7)");
  EXPECT_EQ(RestorePointCaption("(Xp"), "(XP, Vista, 7)");
  EXPECT_EQ(RestorePointCaption("Punkt (Windows XP)"), "Punkt (Windows XP)");
  EXPECT_EQ(RestorePointCaption(""), "");
}

TEST(IgnoreEntryText, NamesHkeyAnywhereInAnyCase) {
  for (const char* text : {"HKEY_CURRENT_USER\\Software", "hkey_", "a note on Hkey_ here"}) {
    EXPECT_TRUE(IsIgnoreEntryText(text)) << text;
  }
  for (const char* text : {"", "HKEY", "HKCU\\Software", "HKEY-CURRENT_USER"}) {
    EXPECT_FALSE(IsIgnoreEntryText(text)) << text;
  }
}

}  // namespace
}  // namespace kelvane
