#include <gtest/gtest.h>

#include "global/Localization.h"
#include "platform/PortableProfileStore.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

using testsupport::WriteRawFile;

class Localization : public ::testing::Test {
 protected:
  void WriteLanguageFile(const std::string& language, const std::string& text) {
    WriteRawFile(LanguageFilePath(folder_.Path(), language), text);
  }
  std::vector<std::string> Translated(const WindowComponent& component,
                                      const std::string& languageName = "German") {
    WindowTexts window{"frmKelvane", "Caption", {component}};
    language_.TranslateWindow(window, languageName);
    return window.components[0].texts;
  }

  testsupport::ScratchFolder folder_;
  PortableProfileStore store_;
  std::string lan_ = "German";
  Language language_{store_, folder_.Path(), lan_};
};

WindowTexts OptionsWindow() {
  return {"frmOptions",
          "Options",
          {{"Label1", ComponentKind::Caption, {"Backup folder"}},
           {"Label2", ComponentKind::Caption, {"Drives"}},
           {"eOutputDirectory", ComponentKind::Untranslated, {"C:\\Backup"}},
           {"bOK", ComponentKind::Caption, {"OK"}}}};
}

TEST_F(Localization, EnglishInAnyCaseGivesTheBuiltInTexts) {
  WriteLanguageFile("english", "[ResourceString]\r\nRES_File_Exist=from the file\r\n");
  for (const char* english : {"English", "english", "ENGLISH", "eNgLiSh"}) {
    lan_ = english;
    EXPECT_TRUE(IsEnglish(lan_));
    EXPECT_EQ(language_.LangString("RES_File_Exist", "The file exists."), "The file exists.");
  }
  EXPECT_FALSE(IsEnglish("Englisch"));
  EXPECT_FALSE(IsEnglish("English "));
}

TEST_F(Localization, LanguageWithoutItsFileKeepsEveryEnglishText) {
  EXPECT_EQ(language_.LangString("RES_Problem_SharedDll", "Invalid shared DLL"),
            "Invalid shared DLL");
  WindowTexts window = OptionsWindow();
  language_.TranslateWindow(window, lan_);
  EXPECT_EQ(window.caption, "Options");
  EXPECT_EQ(window.components[0].texts[0], "Backup folder");
  EXPECT_EQ(window.components[1].texts[0], "Drives");
}

TEST_F(Localization, MessagesComeFromResourceStringReadAnewOnEachCall) {
  WriteLanguageFile("German",
                    "[ResourceString]\r\nRES_Startup=Autostart\r\nRES_Common_Startup=\r\n"
                    "[frmKelvane]\r\nRES_ThereTotal=wrong section\r\n");
  EXPECT_EQ(language_.LangString("res_startup", "Startup"), "Autostart");
  EXPECT_EQ(language_.LangString("RES_Common_Startup", "Common Startup"), "Common Startup");
  EXPECT_EQ(language_.LangString("RES_ThereTotal", "Total"), "Total");
  WriteLanguageFile("German", "[ResourceString]\r\nRES_Startup=Systemstart\r\n");
  EXPECT_EQ(language_.LangString("RES_Startup", "Startup"), "Systemstart");
}

TEST_F(Localization, MissingOrEmptyKeyKeepsTheCaption) {
  WriteLanguageFile("German",
                    "[frmOptions]\r\nfrmOptions=Optionen\r\nLabel1=Sicherungsordner\r\n"
                    "eOutputDirectory=never\r\nbOK=\r\n");
  WindowTexts window = OptionsWindow();
  language_.TranslateWindow(window, lan_);
  EXPECT_EQ(window.caption, "Optionen");
  EXPECT_EQ(window.components[0].texts[0], "Sicherungsordner");
  EXPECT_EQ(window.components[1].texts[0], "Drives");
  EXPECT_EQ(window.components[2].texts[0], "C:\\Backup");
  EXPECT_EQ(window.components[3].texts[0], "OK");
}

TEST_F(Localization, TreeNodesAreNumberedInTreeOrderFromZero) {
  std::vector<std::string> nodes;
  for (int i = 0; i < 22; ++i) nodes.push_back("Node " + std::to_string(i));
  WriteLanguageFile("German",
                    "[frmKelvane]\r\ntvRegistry_0=Arbeitsplatz\r\ntvRegistry_21=Anwendungen\r\n"
                    "tvRegistry_22=beyond the tree\r\ntvRegistry_1=\r\n");
  const std::vector<std::string> texts =
      Translated({"tvRegistry", ComponentKind::TreeNodes, nodes});
  ASSERT_EQ(texts.size(), 22u);
  EXPECT_EQ(texts[0], "Arbeitsplatz");
  EXPECT_EQ(texts[1], "Node 1");
  EXPECT_EQ(texts[2], "Node 2");
  EXPECT_EQ(texts[21], "Anwendungen");
}

TEST_F(Localization, MenuItemsUseTheMenuSectionAndSeparatorsAreNeverLookedUp) {
  WriteLanguageFile("German",
                    "[frmKelvane]\r\nmiAbout=wrong section\r\nN1=wrong section\r\n"
                    "[Menu_frmKelvane]\r\nmiAbout=\xDC\x62\x65r\r\nN1=not a line\r\n");
  EXPECT_EQ(Translated({"miAbout", ComponentKind::MenuItem, {"&About"}}),
            (std::vector<std::string>{"\u00DCber"}));
  EXPECT_EQ(Translated({"N1", ComponentKind::MenuItem, {"-"}}), (std::vector<std::string>{"-"}));
}

TEST_F(Localization, PanelsColumnsAndPagesAreNumberedFromZero) {
  WriteLanguageFile("German",
                    "[frmKelvane]\r\nStatusBar1_Panel0=Probleme\r\nlvRegistryData_Column2=Wert\r\n"
                    "suiPageControl1_Page1=Seite\r\nStatusBar2=Bereit\r\n");
  EXPECT_EQ(Translated({"StatusBar1", ComponentKind::StatusPanels, {"Problems", "Checked"}}),
            (std::vector<std::string>{"Probleme", "Checked"}));
  EXPECT_EQ(
      Translated(
          {"lvRegistryData", ComponentKind::ListColumns, {"Problem", "Registry key", "Value"}}),
      (std::vector<std::string>{"Problem", "Registry key", "Wert"}));
  EXPECT_EQ(Translated({"suiPageControl1", ComponentKind::Pages, {"General", "Ignore"}}),
            (std::vector<std::string>{"General", "Seite"}));
  EXPECT_EQ(Translated({"StatusBar2", ComponentKind::Caption, {"Ready"}}),
            (std::vector<std::string>{"Bereit"}));
}

TEST_F(Localization, SwitchingBackToEnglishKeepsWhatTheEnglishFileDoesNotName) {
  WriteLanguageFile("German", "[frmOptions]\r\nfrmOptions=Optionen\r\nLabel1=Sicherungsordner\r\n");
  WriteLanguageFile("English", "[frmOptions]\r\nLabel1=Backup folder\r\n");
  WindowTexts window = OptionsWindow();
  language_.TranslateWindow(window, "German");
  language_.TranslateWindow(window, "English");
  EXPECT_EQ(window.caption, "Optionen");
  EXPECT_EQ(window.components[0].texts[0], "Backup folder");
}

// A file of fewer texts, after another language: what it lacks is English, not the other's.
TEST_F(Localization, TextsAStaleFileLacksComeFromTheEnglishFile) {
  WriteLanguageFile("German", "[frmOptions]\r\nfrmOptions=Optionen\r\nLabel1=Sicherungsordner\r\n"
                              "Label2=Laufwerke\r\n");
  WriteLanguageFile("French", "[Language]\r\nName=&Fran\xE7" "ais\r\n[frmOptions]\r\n"
                              "Label1=Dossier de sauvegarde\r\nLabel2=\r\n");
  WriteLanguageFile("English", "[frmOptions]\r\nfrmOptions=Options\r\nLabel2=Drives\r\n");
  WindowTexts window = OptionsWindow();
  language_.TranslateWindow(window, "German");
  language_.TranslateWindow(window, "French");
  EXPECT_EQ(window.caption, "Options");
  EXPECT_EQ(window.components[0].texts[0], "Dossier de sauvegarde");
  EXPECT_EQ(window.components[1].texts[0], "Drives");
}

TEST_F(Localization, AFileWithoutThisVersionIsStale) {
  const std::string file = LanguageFilePath(folder_.Path(), "French");
  const std::string current = std::to_string(kLanguageFileVersion);
  for (const auto& [section, stale] :
       std::vector<std::pair<std::string, bool>>{{"Version=" + current, false},
                                                 {"Version=" + current + "0", false},
                                                 {"Version=0", true},
                                                 {"Version=1a", true},
                                                 {"Name=&Fran\xE7" "ais", true}}) {
    WriteLanguageFile("French", "[Language]\r\n" + section + "\r\n");
    EXPECT_EQ(ReadLanguageFileIdentity(store_, file).Stale(), stale) << section;
  }
  EXPECT_EQ(ReadLanguageFileIdentity(store_, file).ownName, "&Fran\u00E7ais");
}

}  // namespace
}  // namespace kelvane
