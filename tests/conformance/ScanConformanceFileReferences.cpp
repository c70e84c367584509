// References written the ways real software writes them, judged on the runner's files: those
// naming files that exist give no row, each control naming a missing one gives one, with the
// path it tested.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/conformance/ScanConformanceFixture.h"
#include "tests/support/RegistryValues.h"

namespace kelvane {
namespace {

using testsupport::PutValue;
using testsupport::TextValue;

const char kCorpus[] = "Software\\KelvaneScanCorpus";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kGuid[] = "{1D8E6291-B0D5-35EC-8441-6616F567A0F7}";

struct Reference {
  std::string name;
  std::string text;
  std::string tested = {};  // for a control whose row names another path than its text
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Replaced(std::string text, char from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, 1, to);
    at += to.size();
  }
  return text;
}

// Files named in other scripts, each in a folder of its own script.
constexpr char kCyrillicFile[] = "\u0422\u0435\u0441\u0442\\\u0444\u0430\u0439\u043B.txt";
constexpr char kGreekFile[] =
    "\u03A9\u03BC\u03AD\u03B3\u03B1\\\u03B1\u03C1\u03C7\u03B5\u03AF\u03BF.txt";
constexpr char kChineseFile[] = "\u4E2D\u6587\\\u6587\u4EF6.dll";
constexpr char kJapaneseFile[] = "\u65E5\u672C\u8A9E\\\u30D5\u30A1\u30A4\u30EB.exe";
constexpr char kArabicFile[] = "\u0639\u0631\u0628\u064A\\\u0645\u0644\u0641.ini";
constexpr char kEmojiFile[] = "\U0001F600\\\U0001F600.txt";

class ScanConformanceFileReferences : public ScanConformanceFixture {
 protected:
  void SetUp() override {
    ScanConformanceFixture::SetUp();
    RememberFirstMissingKey(kHkeyCurrentUser, kRun);
    for (const char* folder :
         {"App Dir", "Vendor.Product.2", "semi;colon", "Data", "caf\u00E9", "\u00C4pfel Ordner",
          "\u0422\u0435\u0441\u0442", "\u03A9\u03BC\u03AD\u03B3\u03B1", "\u4E2D\u6587",
          "\u65E5\u672C\u8A9E", "\u0639\u0631\u0628\u064A", "\U0001F600"}) {
      fileEnvironment_->MakeFolder(folder_ + folder);
    }
    for (const char* file :
         {"lib.dll", "App Dir\\tool.exe", "Vendor.Product.2\\main.dll", "semi;colon\\notes.txt",
          "README", "setup.bat", "My Doc.txt", "100%.txt", "caf\u00E9\\r\u00E9sum\u00E9.txt",
          "\u00C4pfel Ordner\\Ma\u00DFnahmen.ini", kCyrillicFile, kGreekFile, kChineseFile,
          kJapaneseFile, kArabicFile, kEmojiFile}) {
      MakeFile(folder_ + file);
    }
    fileEnvironment_->SetVariable("KelvaneScanDir", folder_.substr(0, folder_.size() - 1));
    fileEnvironment_->SetVariable("KelvaneScanSub", "App Dir");
    fileEnvironment_->SetVariable("KelvaneScanFile", folder_ + "lib.dll");
    fileEnvironment_->SetVariable("KelvaneScanName", "tool");
  }

  void RemoveMarkedEntries() override {
    RegistryAccess key(*registry_);
    key.SetRootKey(kHkeyCurrentUser);
    key.DeleteKey(kCorpus);
    if (!key.OpenKey(kRun, false)) return;
    for (const std::string& name : key.ValueNames()) {
      if (IsMarked(name)) key.DeleteValue(name);
    }
  }

  // Each reference a value of its name under the key.
  void Put(const std::string& path, const std::vector<Reference>& references) {
    for (const Reference& reference : references) {
      PutValue(*registry_, kHkeyCurrentUser, path, reference.name, TextValue(reference.text));
    }
  }

  // Where the marked rows of the tasks differ from one row for each control, one line each.
  std::vector<std::string> Differences(const std::vector<ScanCategory>& tasks,
                                       const std::vector<Reference>& controls) {
    std::map<std::string, std::string> expected;
    for (const Reference& control : controls) {
      expected[control.name] = control.tested.empty() ? control.text : control.tested;
    }
    std::vector<std::string> differences;
    for (const ProblemRecord& row : MarkedRecords(tasks)) {
      const std::string name = row.key.substr(row.key.rfind('\\') + 1);
      const auto control = expected.find(name);
      if (control == expected.end()) {
        differences.push_back("reported: " + name + " (" + row.testedPath + ")");
        continue;
      }
      if (control->second != row.testedPath) {
        differences.push_back(name + " tested " + row.testedPath);
      }
      expected.erase(control);
    }
    for (const auto& control : expected) differences.push_back("not reported: " + control.first);
    return differences;
  }
};

TEST_F(ScanConformanceFileReferences, OnlyTheControlsOfTheCorpusAreReported) {
  const std::string& f = folder_;
  const std::string tool = f + "App Dir\\tool.exe";
  const std::string gone = f + "App Dir\\gone.exe";
  const std::string fromRoot = f.substr(2, f.size() - 3);  // without the drive and last backslash
  const std::vector<Reference> present = {
      {"plain", f + "lib.dll"},
      {"quoted", Quoted(f + "lib.dll")},
      {"quoted with a switch", Quoted(tool) + " /min"},
      {"quoted with a placeholder", Quoted(tool) + " \"%1\""},
      {"quoted with an index", Quoted(f + "lib.dll") + ",0"},
      {"quoted with a quoted argument", Quoted(tool) + " -open " + Quoted(f + "My Doc.txt")},
      {"spaces and a switch", tool + " /min"},
      {"spaces and a dash switch", tool + " -silent"},
      {"spaces and a relative argument", tool + " -config Data\\a.cfg"},
      {"spaces and placeholders", tool + " %1 %2"},
      {"a quoted argument", f + "lib.dll \"arg\""},
      {"an icon index", f + "lib.dll,1"},
      {"a negative resource index", f + "lib.dll,-123"},
      {"an index after spaces", tool + ",0"},
      {"a type library resource", f + "lib.dll\\2"},
      {"a history suffix after spaces", tool + "\\1"},
      {"a dotted folder", f + "Vendor.Product.2\\main.dll"},
      {"a dotted folder alone", f + "Vendor.Product.2"},
      {"a semicolon folder", f + "semi;colon\\notes.txt"},
      {"a semicolon folder alone", f + "semi;colon"},
      {"no extension", f + "README"},
      {"a file name with a space", f + "My Doc.txt"},
      {"a program without extension", f + "App Dir\\tool"},
      {"a program without extension and a switch", f + "App Dir\\tool -x"},
      {"a batch file without extension", f + "setup"},
      {"a percent sign in the name", f + "100%.txt"},
      {"a parent part", f + "Data\\..\\lib.dll"},
      {"a parent part of a missing folder", f + "NoSuch\\..\\lib.dll"},
      {"a current part", f + ".\\lib.dll"},
      {"a doubled backslash", f + "\\lib.dll"},
      {"every backslash doubled", Replaced(f + "lib.dll", '\\', "\\\\")},
      {"a leading variable", "%KelvaneScanDir%\\lib.dll"},
      {"a variable in the middle", f + "%KelvaneScanSub%\\tool.exe"},
      {"two variables", "%SystemDrive%" + fromRoot + "\\%KelvaneScanSub%\\tool.exe"},
      {"quoted variables and a switch", "\"%KelvaneScanDir%\\%KelvaneScanSub%\\tool.exe\" /q"},
      {"a variable in lower case", "%kelvanescandir%\\lib.dll"},
      {"a variable in the file name", f + "App Dir\\%KelvaneScanName%.exe"},
      {"a variable naming a folder", "%KelvaneScanDir%"},
      {"a quoted variable naming a folder", Quoted("%KelvaneScanDir%")},
      {"an unknown variable in the arguments", tool + " /log=%KelvaneScanUnknown%\\run.log"},
      {"a variable naming a file", "%KelvaneScanFile%"},
      {"a system variable", "%SystemRoot%"},
      {"a trailing backslash", f + "Data\\"},
      {"a trailing slash", f + "Data/"},
      {"a trailing semicolon", f + "lib.dll;"},
      {"trailing blanks", f + "lib.dll  "},
      {"a trailing dot", f + "lib.dll."},
      {"a whole command line in quotes", Quoted(tool + " /min")},
      {"an unclosed quote", "\"" + f + "lib.dll"},
      {"a quoted folder", Quoted(f + "Data\\")},
      {"upper case", UpperCaseAscii(f + "lib.dll")},
      {"lower case", LowerCaseAscii(f + "lib.dll")},
      {"ANSI letters", f + "caf\u00E9\\r\u00E9sum\u00E9.txt"},
      {"ANSI letters in upper case", f + "CAF\u00C9\\R\u00C9SUM\u00C9.TXT"},
      {"ANSI letters and spaces", f + "\u00C4pfel Ordner\\Ma\u00DFnahmen.ini"},
      {"Cyrillic letters", f + kCyrillicFile},
      {"Cyrillic letters in upper case",
       f + "\u0422\u0415\u0421\u0422\\\u0424\u0410\u0419\u041B.TXT"},
      {"Greek letters in upper case",
       f + "\u03A9\u039C\u0388\u0393\u0391\\\u0391\u03A1\u03A7\u0395\u038A\u039F.TXT"},
      {"Chinese letters", f + kChineseFile},
      {"Japanese letters", f + kJapaneseFile},
      {"Arabic letters", f + kArabicFile},
      {"an emoji", f + kEmojiFile},
      {"a list", f + "lib.dll;" + f + "README"},
      {"a list of folders with spaces", f + "App Dir;" + f + "Data"},
      {"an indirect string", "@" + f + "lib.dll,-100"},
      {"an indirect system string", "@%SystemRoot%\\system32\\shell32.dll,-21787"},
      {"a web address", "http://www.example.com/downloads/tool.exe"},
      {"a file address", "file:///" + Replaced(f + "lib.dll", '\\', "/")},
      {"forward slashes", Replaced(f + "lib.dll", '\\', "/")},
      {"mixed slashes", f + "App Dir/tool.exe"},
      {"rundll32", "rundll32.exe " + f + "lib.dll,Entry"},
      {"rundll32 and quotes", "rundll32.exe " + Quoted(f + "lib.dll") + ",Entry"},
      {"an installer removal", std::string("MsiExec.exe /X") + kGuid},
      {"an installer removal with a space", std::string("msiexec /x ") + kGuid},
      {"a name alone", "notepad.exe"},
      {"an NT path", "\\??\\" + f + "lib.dll"},
  };
  // Missing files the scan cannot judge: no file behind an address, several paths, a string
  // for another program to read, a variable this process does not know.
  const std::vector<Reference> unjudged = {
      {"gone behind an indirect string", "@" + f + "gone.dll,-100"},
      {"gone in a list", f + "lib.dll;" + f + "gone.dll"},
      {"gone behind a file address", "file:///" + Replaced(f + "gone.dll", '\\', "/")},
      {"gone with forward slashes", Replaced(f + "gone.dll", '\\', "/")},
      {"gone behind rundll32", "rundll32.exe " + f + "gone.dll,Entry"},
      {"gone behind an unknown variable", "%KelvaneScanUnknown%\\gone.dll"},
      {"gone behind an unknown variable in the middle", f + "%KelvaneScanUnknown%\\gone.dll"},
      {"gone behind a variable naming a file", "%KelvaneScanFile%\\gone.dll"},
      {"gone with an unknown variable in the arguments", gone + " /log=%KelvaneScanUnknown%"},
      {"gone behind an NT path", "\\??\\" + f + "gone.dll"},
  };
  const std::vector<Reference> controls = {
      {"gone", f + "gone.dll"},
      {"gone quoted", Quoted(f + "gone.dll"), f + "gone.dll"},
      {"gone quoted with a switch", Quoted(gone) + " /min", gone},
      {"gone quoted with a placeholder", Quoted(gone) + " \"%1\"", gone},
      {"gone quoted with a quoted argument", Quoted(gone) + " -open " + Quoted(f + "My Doc.txt"),
       gone},
      {"gone with spaces and a switch", gone + " /min"},
      {"gone with spaces and a dash switch", gone + " -silent"},
      {"gone with placeholders", gone + " %1 %2"},
      {"gone in a whole command line in quotes", Quoted(gone + " /min"), gone + " /min"},
      {"gone with an icon index", f + "gone.dll,1"},
      {"gone with a negative resource index", f + "gone.dll,-123"},
      {"gone with a type library resource", f + "gone.dll\\2"},
      {"gone in a dotted folder", f + "Vendor.Product.3\\main.dll"},
      {"gone in a semicolon folder", f + "semi;colon\\gone.txt"},
      {"gone without extension", f + "GONEREADME"},
      {"gone behind a parent part", f + "Data\\..\\gone.dll"},
      {"gone behind a current part", f + ".\\gone.dll"},
      {"gone behind a doubled backslash", f + "\\gone.dll"},
      {"gone behind a leading variable", "%KelvaneScanDir%\\gone.dll", f + "gone.dll"},
      {"gone behind a variable in the middle", f + "%KelvaneScanSub%\\gone.exe", gone},
      {"gone behind two variables", "%SystemDrive%" + fromRoot + "\\%KelvaneScanSub%\\gone.exe",
       gone},
      {"gone behind a variable in the file name", f + "App Dir\\%KelvaneScanName%2.exe",
       f + "App Dir\\tool2.exe"},
      {"gone behind quoted variables", "\"%KelvaneScanDir%\\%KelvaneScanSub%\\gone.exe\" /q", gone},
      {"gone folder with a trailing backslash", f + "GoneFolder\\"},
      {"gone with a trailing semicolon", f + "gone.dll;"},
      {"gone with a trailing dot", f + "gone.dll."},
      {"gone in upper case", UpperCaseAscii(f + "gone.dll")},
      {"gone with ANSI letters", f + "caf\u00E9\\g\u00F6ne.txt"},
      {"gone with Cyrillic letters", f + "\u0422\u0435\u0441\u0442\\\u043D\u0435\u0442.txt"},
      {"gone with Greek letters", f + "\u03A9\u03BC\u03AD\u03B3\u03B1\\\u03CC\u03C7\u03B9.txt"},
      {"gone with Chinese letters", f + "\u4E2D\u6587\\\u6CA1\u6709.dll"},
      {"gone with Japanese letters", f + "\u65E5\u672C\u8A9E\\\u306A\u3044.exe"},
      {"gone with Arabic letters", f + "\u0639\u0631\u0628\u064A\\\u0644\u0627.ini"},
      {"gone with an emoji", f + "\U0001F600\\\U0001F622.txt"},
      {"gone in a missing folder", f + "NoSuch\\gone.dll"},
  };
  Put(kCorpus, present);
  Put(kCorpus, unjudged);
  Put(kCorpus, controls);

  // A Run value names a program: a folder is none.
  const std::vector<Reference> commands = {
      {"KelvaneScan quoted", Quoted(tool) + " /min"},
      {"KelvaneScan quoted with a placeholder", Quoted(tool) + " \"%1\""},
      {"KelvaneScan spaces and a switch", tool + " -silent"},
      {"KelvaneScan without extension", f + "App Dir\\tool /min"},
      {"KelvaneScan variables", "\"%KelvaneScanDir%\\%KelvaneScanSub%\\tool.exe\" /q"},
      {"KelvaneScan a variable in the middle", f + "%KelvaneScanSub%\\tool.exe -x"},
      {"KelvaneScan a parent part", f + "Data\\..\\App Dir\\tool.exe"},
      {"KelvaneScan rundll32", "rundll32.exe " + f + "lib.dll,Entry"},
      {"KelvaneScan installer", std::string("msiexec /x ") + kGuid},
      {"KelvaneScan ANSI letters", f + "caf\u00E9\\r\u00E9sum\u00E9.txt"},
      {"KelvaneScan Japanese letters", Quoted(f + kJapaneseFile) + " /\u8D77\u52D5"},
  };
  const std::vector<Reference> commandControls = {
      {"KelvaneScan gone quoted", Quoted(gone) + " /min", gone},
      {"KelvaneScan gone with spaces", gone + " -silent"},
      {"KelvaneScan gone with placeholders", gone + " %1 %2"},
      {"KelvaneScan gone behind variables", "\"%KelvaneScanDir%\\%KelvaneScanSub%\\gone.exe\"",
       gone},
      {"KelvaneScan a folder", f + "Data"},
      {"KelvaneScan gone in Cyrillic", f + "\u0422\u0435\u0441\u0442\\\u043D\u0435\u0442.exe -x"},
  };
  Put(kRun, commands);
  Put(kRun, commandControls);

  EXPECT_EQ(Differences({ScanCategory::FilesAndFoldersCurrentUser}, controls),
            std::vector<std::string>{});
  EXPECT_EQ(Differences({ScanCategory::StartupPrograms}, commandControls),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace kelvane
