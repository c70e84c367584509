// The language files shipped beside the program, read as the program reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "global/Localization.h"
#include "main/LanguageMenu.h"
#include "platform/PortableProfileStore.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "scan/CategoryTree.h"
#include "scan/FindingRules.h"
#include "tests/support/ScanMachine.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

using testsupport::ReadRawFile;

const std::string kResources = KELVANE_RESOURCES_FOLDER;
const std::string kEnglish = kResources + "Lan_English.ini";
const std::string kGerman = kResources + "Lan_German.ini";
// No file holds this, so it tells a missing key from an empty one.
const std::string kMissing = "\x01missing";

// Every message key the code asks LangString or ShowStatus for.
const char* const kMessageKeysInUse[] = {
    "RES_Scanning_Files_And_Folders_HKEY_LOCAL_MACHINE",
    "RES_Scanning_Files_And_Folders_HKEY_CURRENT_USER",
    "RES_Scanning_Files_And_Folders_HKEY_USERS",
    "RES_Scanning_Empty_Key_HKEY_USERS",
    "RES_Scanning_Software_Locations",
    "RES_Scanning_Windows_Fonts",
    "RES_Scanning_Invalid_Help_Files",
    "RES_Scanning_Shared_Dlls",
    "RES_Scanning_Startup_Programs",
    "RES_Scanning_Add_Remove_Programs",
    "RES_Scanning_File_Extensions",
    "RES_Scanning_Custom_Controls",
    "RES_Scanning_Windows_Services",
    "RES_Scanning_Start_Menu",
    "RES_Scanning_Shortcuts",
    "RES_Scanning_Sound_And_Appevents",
    "RES_Scanning_Invalid_ActiveX",
    "RES_Scanning_MRU_And_History_Lists",
    "RES_Scanning_Installer",
    "RES_Problem_Files_And_Folders_HKEY_LOCAL_MACHINE",
    "RES_Problem_Files_And_Folders_HKEY_CURRENT_USER",
    "RES_Problem_Files_And_Folders_HKEY_USERS",
    "RES_Problem_Applications_Path",
    "RES_Problem_Obsolete_Software",
    "RES_Problem_Applications",
    "RES_Problem_Fonts",
    "RES_Problem_Help",
    "RES_Problem_SharedDll",
    "RES_Problem_Startup_Run",
    "RES_Problem_AddRomve",
    "RES_Problem_Installer",
    "RES_Problem_FileExtension",
    "RES_Problem_Custom_Controls",
    "RES_Problem_ActiveX",
    "RES_Problem_Windows_Service",
    "RES_Problem_Start_Menu",
    "RES_Problem_ShortCuts",
    "RES_Problem_Sound",
    "RES_Problem_MRU",
    "RES_FindProblems",
    "RES_CheckedProblems",
    "RES_Directory_Not_Exist",
    "RES_Create_Directory",
    "RES_Select_Directory",
    "RES_Startup",
    "RES_Common_Startup",
    "RES_CreatePoint_Fail",
    "RES_ThereTotal",
    "RES_RepairProblems",
    "RES_Scan_Failed",
    "RES_Scan_Failed_Key",
    "RES_Scan_Failed_Error",
    "RES_Scan_Incomplete",
    "RES_Hidden_Problems",
    "RES_Nothing_Ticked",
    "RES_Reason_Empty_Drive",
    "RES_Found_After_Repair",
    "RES_SaveDialog_BackupFullRegistry",
    "RES_File_Exist",
    "RES_Backup_Registry",
    "RES_Regedit_Not_Exist",
    "RES_Select_Directory",
    "RES_Restory_Registry",
    "RES_Restore_Incomplete",
    "RES_Restore_Unchecked",
    "RES_Backup_Kept",
    "RES_Restore_Complete",
    "RES_Backup_Deleted",
    "RES_Backup_Changed",
    "RES_Backup_Not_Written",
    "RES_Import_Deletes",
    "RES_Import_Writes",
    "RES_Import_Anyway",
    "RES_Delete_Backup_Ask",
    "RES_Backup_Mark_Changed",
    "RES_Backup_Mark_Unknown",
    "RES_Folder_Open_To_Others",
    "RES_Explain_Problem",
    "RES_Explain_Class",
    "RES_Explain_Rule",
    "RES_Explain_View",
    "RES_Explain_Tested",
    "RES_Explain_Key",
    "RES_Explain_Value",
    "RES_Class_Certain",
    "RES_Class_Certain_Why",
    "RES_Class_Review",
    "RES_Class_Review_Rule",
    "RES_Class_Review_Path",
    "RES_View_None",
    "RES_View_Shared",
    "RES_View_32_Bit",
    "RES_View_64_Bit",
    "RES_Language_File_Stale",
};

// The main window's menus, each a list of item names; the language menu comes from the code.
const std::vector<std::vector<std::string>> kMainMenus = {
    {"miFile", "miAction", "miEdit", "miLanguage", "miHelpMenu"},
    {"miBackupFullRegistry", "miWindowsBackup", "miStartupManager", "miExit"},
    {"miScanRegistry", "miRepairRegistry", "miRestoreRegistry"},
    {"miSelectAll", "miSelectAllType", "miSelectNone", "miSelectNoneType", "miIgnoreListAdd",
     "miSaveText", "miOpenRegedit", "miOptions"},
    {"miHelp", "miHomePage", "miAbout"},
    {"pmSelectAll", "pmSelectAllType", "pmSelectNone", "pmSelectNoneType", "pmIgnoreListAdd",
     "pmSaveText", "pmOpenRegedit"},
};

struct KeyName {
  std::string section;
  std::string key;
};

// The keys of a file in file order, taken from its lines.
std::vector<KeyName> KeysOf(const std::string& file) {
  std::istringstream lines(ReadRawFile(file));
  std::vector<KeyName> keys;
  std::string section;
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.front() == '[') {
      section = line.substr(1, line.find(']') - 1);
    } else if (const std::size_t equals = line.find('='); equals != std::string::npos) {
      keys.push_back({section, line.substr(0, equals)});
    }
  }
  return keys;
}

// The letter after a single '&', upper-cased; none when the caption has no access key.
char AccessKey(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return UpperCaseAscii(caption.substr(i + 1, 1))[0];
    ++i;
  }
  return '\0';
}

class LanguageFiles : public ::testing::Test {
 protected:
  std::string Read(const std::string& file, const std::string& section, const std::string& key) {
    return store_.ReadString(file, section, key, kMissing);
  }

  // The names that share an access key within one menu of the file.
  std::vector<std::string> SharedAccessKeys(const std::string& file,
                                            const std::vector<std::string>& menu) {
    std::vector<std::string> clashes;
    std::set<char> seen;
    for (const std::string& item : menu) {
      const char key = AccessKey(Read(file, "Menu_frmKelvane", item));
      if (key != '\0' && !seen.insert(key).second) clashes.push_back(item);
    }
    return clashes;
  }

  PortableProfileStore store_;
};

// Every Lan_*.ini the program ships.
std::vector<std::string> ShippedLanguageFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(kResources)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("Lan_", 0) == 0 && entry.path().extension() == ".ini") {
      files.push_back(kResources + name);
    }
  }
  return files;
}

// ANSI for the Western languages, UTF-8 behind its mark for the others.
TEST_F(LanguageFiles, AreAnsiOrMarkedUtf8TextWithCrLfLineEndings) {
  for (const std::string& file : ShippedLanguageFiles()) {
    const std::string bytes = ReadRawFile(file);
    ASSERT_NE(bytes, "<missing>") << file;
    const bool utf8 = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
    if (utf8) {
      EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8(bytes)), bytes) << file << " is not all UTF-8";
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') {
        EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << file << ": bare line feed at byte " << i;
      }
      // Without the mark, a Latin letter in UTF-8 shows as two odd characters.
      const unsigned char lead = bytes[i];
      const unsigned char next = i + 1 < bytes.size() ? bytes[i + 1] : 0;
      EXPECT_FALSE(!utf8 && (lead == 0xC2 || lead == 0xC3) && next >= 0x80 && next <= 0xBF)
          << file << ": UTF-8 text at byte " << i;
    }
  }
}

// The menu lists each language by the name its file gives; a file of an older version shows
// the English texts it lacks and says so.
TEST_F(LanguageFiles, AreOfThisVersionAndNameTheirLanguages) {
  std::set<std::string> names;
  for (const std::string& file : ShippedLanguageFiles()) {
    const LanguageFileIdentity identity = ReadLanguageFileIdentity(store_, file);
    EXPECT_EQ(identity.version, kLanguageFileVersion) << file;
    EXPECT_TRUE(names.insert(identity.ownName).second) << file << ": " << identity.ownName;
  }
  EXPECT_GE(names.size(), 7u);
  EXPECT_EQ(names.count(""), 0u);
}

TEST_F(LanguageFiles, EnglishAndGermanNameTheSameKeysOnceEach) {
  const std::vector<KeyName> english = KeysOf(kEnglish);
  const std::vector<KeyName> german = KeysOf(kGerman);
  ASSERT_FALSE(english.empty());
  for (const auto& [file, keys] :
       {std::make_pair(kEnglish, english), std::make_pair(kGerman, german)}) {
    std::set<std::pair<std::string, std::string>> unique;
    for (const KeyName& name : keys) {
      EXPECT_TRUE(unique.insert({UpperCaseAscii(name.section), UpperCaseAscii(name.key)}).second)
          << file << ": [" << name.section << "] " << name.key << " twice";
    }
  }
  for (const KeyName& name : english) {
    const std::string englishText = Read(kEnglish, name.section, name.key);
    const std::string germanText = Read(kGerman, name.section, name.key);
    EXPECT_NE(germanText, kMissing) << "German lacks [" << name.section << "] " << name.key;
    if (!englishText.empty()) {
      EXPECT_NE(germanText, "") << "German leaves [" << name.section << "] " << name.key
                                << " empty";
    }
  }
  for (const KeyName& name : german) {
    EXPECT_NE(Read(kEnglish, name.section, name.key), kMissing)
        << "English lacks [" << name.section << "] " << name.key;
  }
}

TEST_F(LanguageFiles, HoldEveryMessageKeyTheCodeUses) {
  for (const char* key : kMessageKeysInUse) {
    for (const std::string& file : {kEnglish, kGerman}) {
      const std::string text = Read(file, "ResourceString", key);
      EXPECT_NE(text, kMissing) << file << " lacks " << key;
      EXPECT_NE(text, "") << file << " leaves " << key << " empty";
    }
  }
}

// A reason that lost its mark would explain a row without naming what is missing.
TEST_F(LanguageFiles, ExplainEveryRuleWithTheBuiltInEnglishAndItsMark) {
  for (const RuleInfo& rule : AllRules()) {
    const std::string english = rule.reason.english;
    EXPECT_EQ(Read(kEnglish, "ResourceString", rule.reason.key), english) << rule.id;
    const std::string german = Read(kGerman, "ResourceString", rule.reason.key);
    EXPECT_NE(german, kMissing) << rule.id;
    EXPECT_EQ(german.find("%1") != std::string::npos, english.find("%1") != std::string::npos)
        << rule.id;
  }
}

TEST_F(LanguageFiles, NameEveryTreeNodeAndLanguageItemWithTheBuiltInEnglish) {
  const auto& nodes = CategoryTree::Nodes();
  for (int node = 0; node < CategoryTree::kNodeCount; ++node) {
    const std::string key = "tvRegistry_" + std::to_string(node);
    EXPECT_EQ(Read(kEnglish, "frmKelvane", key), nodes[node].text) << key;
    EXPECT_NE(Read(kGerman, "frmKelvane", key), kMissing) << key;
  }
  EXPECT_EQ(Read(kEnglish, "frmKelvane", "tvRegistry_" + std::to_string(CategoryTree::kNodeCount)),
            kMissing);

  for (const LanguageMenuItem& item : LanguageMenuItems()) {
    // A separator line is never looked up, so a key for it would only mislead translators.
    const std::string expected =
        item.kind == LanguageMenuItemKind::Separator ? kMissing : item.caption;
    EXPECT_EQ(Read(kEnglish, "Menu_frmKelvane", item.component), expected) << item.component;
    EXPECT_EQ(Read(kGerman, "Menu_frmKelvane", item.component) == kMissing,
              expected == kMissing)
        << item.component;
  }
}

TEST_F(LanguageFiles, GiveEveryItemOfAGermanMenuItsOwnAccessKey) {
  std::vector<std::vector<std::string>> menus = kMainMenus;
  std::vector<std::string>& languages = menus.emplace_back();
  for (const LanguageMenuItem& item : LanguageMenuItems()) languages.push_back(item.component);
  // The English file keeps the designed captions, clashes included.
  for (const auto& menu : menus) {
    EXPECT_EQ(SharedAccessKeys(kGerman, menu), std::vector<std::string>{}) << menu.front();
  }
}

// A scan whose texts come from a copy of the English file gives the texts of the built-in
// English defaults, so the file's messages match the code's.
class EnglishFileScan : public testsupport::ScanMachine {
 protected:
  std::vector<std::string> Texts(const Language& language) {
    testsupport::RecordingSink recorder;
    Scanner worker(registry, files, system, language, options, recorder);
    std::vector<ScanCategory> every;
    for (int number = 3; number <= kLastCategoryNumber; ++number) {
      every.push_back(*CategoryFromNumber(number));
    }
    worker.Execute(every);
    std::vector<std::string> texts;
    for (const std::string& event : recorder.events) {
      if (event.rfind("status ", 0) == 0) texts.push_back(event);
    }
    for (const ProblemRecord& row : recorder.rows) texts.push_back("problem " + row.problem);
    return texts;
  }
};

TEST_F(EnglishFileScan, ShowsTheBuiltInEnglishTexts) {
  // One problem or more for most categories.
  Load(R"([HKEY_LOCAL_MACHINE\Software\Vendor]
"Path"="C:\\Gone\\gone.exe"
[HKEY_LOCAL_MACHINE\Software\Forgotten]
[HKEY_LOCAL_MACHINE\Software\Classes\.nothing]
[HKEY_LOCAL_MACHINE\Software\Classes\Applications\gone.exe\shell\open\command]
@="C:\\Gone\\gone.exe"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\gone.exe]
@="C:\\Gone\\gone.exe"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDlls]
"C:\\Gone\\gone.dll"=dword:00000001
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Gone]
"DisplayName"="Gone"
"DisplayIcon"="C:\\Gone\\gone.exe"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Gone"="C:\\Gone\\gone.ttf"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\Help]
"gone.hlp"="C:\\Gone"
[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\GoneService]
"ImagePath"="C:\\Gone\\gone.exe"
[HKEY_CURRENT_USER\Software\Vendor]
"Path"="C:\\Gone\\gone.exe"
[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]
"Gone"="C:\\Gone\\gone.exe"
[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\Hand\.Current]
@="C:\\Sounds\\gone.wav"
[HKEY_USERS\S-1-5-21\Software\Vendor]
"Path"="C:\\Gone\\gone.exe"
)");
  testsupport::ScratchFolder folder;
  testsupport::WriteRawFile(folder.PathOf("Lan_EnglishFromFile.ini"), ReadRawFile(kEnglish));
  const std::string fromFile = "EnglishFromFile";
  const Language fileLanguage(profiles, folder.Path(), fromFile);

  const std::vector<std::string> builtIn = Texts(language);
  ASSERT_TRUE(std::any_of(builtIn.begin(), builtIn.end(), [](const std::string& text) {
    return text.rfind("problem ", 0) == 0;
  }));
  EXPECT_EQ(Texts(fileLanguage), builtIn);
}

}  // namespace
}  // namespace kelvane
