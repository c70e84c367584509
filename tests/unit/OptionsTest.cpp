#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/Options.h"
#include "platform/PortableProfileStore.h"
#include "platform/memory/MemoryFileSystem.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

// The window tests drive what OK stores; here only what a missing folder keeps.
TEST(Options, OkWithAMissingFolderStoresNothing) {
  MemoryFileSystem files;
  testsupport::ScratchFolder folder;
  PortableProfileStore store;
  const std::string lan = "English";
  Settings settings;
  OptionsModel options = OptionsFromSettings(settings);
  options.preferences.beepWhenDone = true;
  options.values.push_back({"HKEY_USERS\\B", false});
  options.preferences.backupFolder = "C:\\Gone";
  EXPECT_EQ(ConfirmOptions(options, settings, files, Language(store, folder.Path(), lan)),
            "C:\\Gone,The backup directory does not exist.");
  EXPECT_FALSE(settings.beepWhenDone);
  EXPECT_TRUE(settings.ignoredValues.empty());
}

TEST(Options, ARelativeFolderIsCheckedAndStoredBelowTheProgramFolder) {
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  files.SetProgramFolder("C:\\Tools\\Kelvane\\");
  files.AddFolder("C:\\Tools\\Kelvane\\Backup");
  testsupport::ScratchFolder folder;
  PortableProfileStore store;
  const std::string lan = "English";
  Settings settings;
  OptionsModel options = OptionsFromSettings(settings);
  options.preferences.backupFolder = "Backup";
  EXPECT_EQ(ConfirmOptions(options, settings, files, Language(store, folder.Path(), lan)),
            std::nullopt);
  EXPECT_EQ(settings.backupFolder, "C:\\Tools\\Kelvane\\Backup");
}

TEST(Options, OnlyAFolderOthersCanWriteToIsWarnedOf) {
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  files.AddFolder("C:\\Backups");
  testsupport::ScratchFolder folder;
  PortableProfileStore store;
  const std::string lan = "English";
  const Language language(store, folder.Path(), lan);
  EXPECT_EQ(OpenBackupFolderWarning(language, files, "C:\\Backups"), std::nullopt);
  files.SetWritableByOthers("C:\\Backups", true);
  const std::optional<std::string> warning =
      OpenBackupFolderWarning(language, files, "C:\\Backups");
  ASSERT_TRUE(warning.has_value());
  EXPECT_EQ(warning->rfind("C:\\Backups\r\nUsers who are not administrators can place", 0), 0u);
}

TEST(Options, AddSkipsATextListedInAnyLetterCaseAndRemoveTakesTheTickedRows) {
  std::vector<IgnoreRow> rows = {{"HKEY_USERS\\X\\\u00c4\u0416", false}};
  EXPECT_FALSE(AddIgnoreRow(rows, "hkey_users\\x\\\u00e4\u0436"));
  EXPECT_TRUE(AddIgnoreRow(rows, "HKEY_USERS\\X\\\u00e4"));
  EXPECT_TRUE(AddIgnoreRow(rows, "HKEY_USERS\\Y"));
  rows[0].ticked = rows[2].ticked = true;
  RemoveTickedRows(rows);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].text, "HKEY_USERS\\X\\\u00e4");
}

TEST(Options, TheRestorePointCaptionEndsInTheBuiltInVersionsFromXpInAnyCase) {
  EXPECT_EQ(RestorePointCaption("Punkt (XP)"), "Punkt (XP, Vista, 7)");
  EXPECT_EQ(RestorePointCaption("Point (xp, Vista) avant"), "Point (XP, Vista, 7)");
  EXPECT_EQ(RestorePointCaption("Punkt (Windows XP)"), "Punkt (Windows XP)");
}

TEST(Options, AnIgnoreEntryNamesHkeyAnywhereInAnyCase) {
  for (const char* text : {"HKEY_CURRENT_USER\\Software", "a note on hkey_ here"}) {
    EXPECT_TRUE(IsIgnoreEntryText(text)) << text;
  }
  for (const char* text : {"", "HKEY", "HKCU\\Software", "HKEY-CURRENT_USER"}) {
    EXPECT_FALSE(IsIgnoreEntryText(text)) << text;
  }
}

}  // namespace
}  // namespace kelvane
