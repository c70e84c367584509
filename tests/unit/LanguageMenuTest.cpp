#include <gtest/gtest.h>

#include <map>

#include "global/Addresses.h"
#include "main/LanguageMenu.h"
#include "platform/PortableProfileStore.h"
#include "platform/ProfileStore.h"
#include "platform/memory/MemoryFileSystem.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

constexpr char kProgramFolder[] = "C:\\Kelvane\\";

// Language files that say nothing but their own names.
class OwnNames : public ProfileStore {
 public:
  std::map<std::string, std::string> names;  // by file path

  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    const auto found = names.find(file);
    return section == "Language" && key == "Name" && found != names.end() ? found->second
                                                                           : defaultValue;
  }
  std::vector<std::string> KeyNames(const std::string&, const std::string&) override { return {}; }
  bool WriteString(const std::string&, const std::string&, const std::string&,
                   const std::string&) override {
    return false;
  }
};

class LanguageMenu : public ::testing::Test {
 protected:
  LanguageMenu() {
    files_.AddDrive('C', DriveType::Fixed);
    files_.AddFolder(kProgramFolder);
    settings_.languageName = "English";
  }

  void AddLanguageFile(const std::string& name) {
    files_.AddFile(std::string(kProgramFolder) + "Lan_" + name + ".ini");
  }

  std::vector<std::string> VisibleCaptions() {
    const std::vector<bool> visible = VisibleLanguageItems(files_, kProgramFolder);
    std::vector<std::string> captions;
    for (std::size_t index = 0; index < visible.size(); ++index) {
      if (visible[index]) captions.push_back(LanguageMenuItems()[index].caption);
    }
    return captions;
  }

  static std::size_t ItemCaptioned(const std::string& caption) {
    const auto& items = LanguageMenuItems();
    for (std::size_t index = 0; index < items.size(); ++index) {
      if (items[index].caption == caption) return index;
    }
    ADD_FAILURE() << "no item " << caption;
    return items.size();
  }

  MemoryFileSystem files_;
  Settings settings_;
};

using Texts = std::vector<std::string>;

TEST_F(LanguageMenu, OnlyItemsWhoseFileExistsAreShown) {
  EXPECT_TRUE(VisibleCaptions().empty());
  AddLanguageFile("English");
  AddLanguageFile("german");
  EXPECT_EQ(VisibleCaptions(), (Texts{"&English", "&German"}));
}

TEST_F(LanguageMenu, OtherFileShowsTheSeparatorWithItAndTheActionCarrierStaysHidden) {
  AddLanguageFile("Other");
  AddLanguageFile("nguage1");
  AddLanguageFile("");
  EXPECT_EQ(VisibleCaptions(), (Texts{"-", "&Other"}));
}

TEST_F(LanguageMenu, ShowsEachLanguageByItsOwnNameInItsOrderAndOtherLast) {
  OwnNames profiles;
  for (const auto& [language, name] : std::map<std::string, std::string>{
           {"English", "&English"}, {"German", "&Deutsch"}, {"Spanish", "E&spa\xF1ol"},
           {"Nederlands", ""}, {"Other", ""}}) {
    AddLanguageFile(language);
    if (!name.empty()) profiles.names[std::string(kProgramFolder) + "Lan_" + language + ".ini"] = name;
  }
  std::vector<std::string> captions;
  for (const LanguageMenuItem& item : LanguageMenuItems()) captions.push_back(item.caption);
  captions[ItemCaptioned("Dut&ch")] = "&Niederl\xE4ndisch";
  const std::vector<LanguageMenuEntry> entries =
      LanguageMenuEntries(files_, profiles, kProgramFolder, captions);
  Texts shown;
  for (const LanguageMenuEntry& entry : entries) shown.push_back(entry.caption);
  EXPECT_EQ(entries.front().item, ItemCaptioned("&German"));
  EXPECT_EQ(shown, (Texts{"&Deutsch", "&English", "E&spa\xF1ol", "&Niederl\xE4ndisch", "",
                          "&Other"}));
}

TEST_F(LanguageMenu, LanguageNamesFollowTheComponentPrefix) {
  EXPECT_EQ(LanguageNameOf("miNederlands"), "Nederlands");
  EXPECT_EQ(LanguageNameOf("mlOther"), "Other");
  EXPECT_EQ(LanguageNameOf("mi"), "");
  EXPECT_EQ(LanguageNameOf(LanguageMenuItems()[ItemCaptioned("Language")]), "");
}

TEST_F(LanguageMenu, ChoosingALanguageWithItsFileStoresItsName) {
  AddLanguageFile("Nederlands");
  const LanguageChoice choice =
      ChooseLanguage(settings_, files_, kProgramFolder, ItemCaptioned("Dut&ch"));
  EXPECT_TRUE(choice.switched);
  EXPECT_EQ(settings_.languageName, "Nederlands");
  EXPECT_EQ(LanguageItemToTick(settings_.languageName), ItemCaptioned("Dut&ch"));
}

TEST_F(LanguageMenu, ChoosingALanguageWithoutItsFileChangesNothingAndExplains) {
  LanguageChoice choice =
      ChooseLanguage(settings_, files_, kProgramFolder, ItemCaptioned("&German"));
  EXPECT_FALSE(choice.switched);
  EXPECT_EQ(settings_.languageName, "English");
  EXPECT_EQ(choice.missingFileMessage, "C:\\Kelvane\\Lan_German.ini can not be found.");

  choice = ChooseLanguage(settings_, files_, kProgramFolder, ItemCaptioned("&Other"));
  EXPECT_FALSE(choice.switched);
  EXPECT_EQ(choice.missingFileMessage,
            "C:\\Kelvane\\Lan_Other.ini can not be found.\r\n\r\nPlease visit " +
                addresses::ResolveAddress(kProgramFolder, addresses::kTranslationPage) + ".");

  for (std::size_t noLanguage : {ItemCaptioned("Language"), kLanguageMenuItemCount}) {
    choice = ChooseLanguage(settings_, files_, kProgramFolder, noLanguage);
    EXPECT_FALSE(choice.switched);
    EXPECT_EQ(choice.missingFileMessage, "");
  }
  EXPECT_EQ(settings_.languageName, "English");
}

TEST_F(LanguageMenu, TheTickFollowsTheSettingInAnyLetterCase) {
  EXPECT_EQ(LanguageItemToTick("german"), ItemCaptioned("&German"));
  EXPECT_EQ(LanguageItemToTick("PORTUGUESEPT"), ItemCaptioned("Portuguese-PT"));
  EXPECT_EQ(LanguageItemToTick("Other"), ItemCaptioned("&Other"));
  EXPECT_FALSE(LanguageItemToTick("Klingon").has_value());
  EXPECT_FALSE(LanguageItemToTick("").has_value());
}

TEST_F(LanguageMenu, OnlineHelpHasItalianAndPortugueseDocumentsForTheExactNames) {
  EXPECT_EQ(OnlineHelpAddress("English"), addresses::kOnlineHelp);
  EXPECT_EQ(OnlineHelpAddress("Italian"), addresses::kItalianHelp);
  EXPECT_EQ(OnlineHelpAddress("PortuguesePT"), addresses::kPortugueseHelp);
  EXPECT_EQ(OnlineHelpAddress("italian"), addresses::kOnlineHelp);
  EXPECT_EQ(OnlineHelpAddress("Portuguese"), addresses::kOnlineHelp);
  EXPECT_EQ(OnlineHelpAddress("BrazilianPortuguese"), addresses::kOnlineHelp);
}

// Told in the new language when its file has the words, else in English.
TEST(StaleLanguageFile, IsToldOnlyWhenOlderThanTheProgram) {
  testsupport::ScratchFolder folder;
  PortableProfileStore profiles;
  const std::string lan = "French";
  const Language language(profiles, folder.Path(), lan);
  const std::string file = LanguageFilePath(folder.Path(), lan);
  const auto told = [&] { return StaleLanguageFileMessage(profiles, language, folder.Path(), lan); };
  testsupport::WriteRawFile(file,
                            "[Language]\r\nVersion=" + std::to_string(kLanguageFileVersion) + "\r\n");
  EXPECT_EQ(told(), "");
  testsupport::WriteRawFile(file, "[Language]\r\nVersion=0\r\n");
  EXPECT_EQ(told(), "The language file " + file +
                        " was made for an earlier version of the program; the texts it lacks are "
                        "shown in English.");
  testsupport::WriteRawFile(file, "[ResourceString]\r\nRES_Language_File_Stale=Ancien : %1\r\n");
  EXPECT_EQ(told(), "Ancien : " + file);
}

}  // namespace
}  // namespace kelvane
