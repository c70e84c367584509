#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "platform/RegFile.h"
#include "tests/conformance/ScanConformanceFixture.h"
#include "tests/support/RegistryValues.h"

namespace kelvane {
namespace {

using testsupport::NumberValue;
using testsupport::TextValue;

const char kNtFonts[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char kHelp[] = "Software\\Microsoft\\Windows\\Help";
const char kHtmlHelp[] = "Software\\Microsoft\\Windows\\Html Help";
const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kStartupReg[] = "Software\\Microsoft\\Shared Tools\\MSConfig\\startupreg";
const char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kInstallerFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders";
const char kAddRemoveCache[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
const char kClasses[] = "Software\\Classes";
const char kFileExts[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

struct KeyPath {
  RootKey root;
  std::string path;
};

// The keys the test adds values or subkeys to.
const std::vector<KeyPath> kPreparedKeys = {
    {kHkeyLocalMachine, kNtFonts},          {kHkeyLocalMachine, kHelp},
    {kHkeyLocalMachine, kHtmlHelp},         {kHkeyLocalMachine, kSharedDlls},
    {kHkeyCurrentUser, kRun},               {kHkeyLocalMachine, kRunOnce},
    {kHkeyLocalMachine, kStartupReg},       {kHkeyLocalMachine, kUninstall},
    {kHkeyLocalMachine, kInstallerFolders}, {kHkeyLocalMachine, kAddRemoveCache},
    {kHkeyLocalMachine, kClasses},          {kHkeyCurrentUser, kFileExts},
};

// Registry content built value by value, so that paths need no escaping.
class RegContent {
 public:
  RegContent& Key(RootKey root, const std::string& path) {
    file_.keys.push_back(RegFileKey{root, path, false, {}});
    return *this;
  }
  RegContent& Text(const std::string& name, const std::string& text) {
    return Value(name, TextValue(text));
  }
  RegContent& Number(const std::string& name, std::uint32_t number) {
    return Value(name, NumberValue(number));
  }
  void ApplyTo(RegistryStore& registry) const { ApplyRegFile(registry, file_); }

 private:
  RegContent& Value(const std::string& name, RawValue value) {
    file_.keys.back().values.push_back(RegFileValue{name, false, value});
    return *this;
  }
  RegFile file_;
};

class ScanConformanceFontsToExtensions : public ScanConformanceFixture {
 protected:
  void SetUp() override {
    ScanConformanceFixture::SetUp();
    for (const KeyPath& key : kPreparedKeys) RememberFirstMissingKey(key.root, key.path);
  }

  void TearDown() override {
    ScanConformanceFixture::TearDown();
    if (!fontFile_.empty()) Files().DeleteFileSilently(fontFile_);
  }

  void RemoveMarkedEntries() override {
    for (const KeyPath& key : kPreparedKeys) {
      RegistryAccess access(*registry_);
      access.SetRootKey(key.root);
      if (!access.OpenKey(key.path, false)) continue;
      for (const std::string& name : access.ValueNames()) {
        if (IsMarked(name)) access.DeleteValue(name);
      }
      for (const std::string& name : access.SubkeyNames()) {
        if (IsMarked(name)) access.DeleteKey(name);
      }
    }
  }

  std::string fontFile_;  // the marked file the test put into the fonts folder
};

TEST_F(ScanConformanceFontsToExtensions, FontsHelpFilesAndSharedDlls) {
  const std::optional<std::string> fonts =
      fileEnvironment_->FileSystem().SpecialFolder(ShellFolder::Fonts);
  ASSERT_TRUE(fonts.has_value());
  const std::string mark = kMark;
  fontFile_ = *fonts + "\\" + mark + "InFonts.ttf";
  MakeFile(fontFile_);
  MakeFile(folder_ + mark + "Here.ttf");
  const std::string help = folder_ + mark + "Help";
  fileEnvironment_->MakeFolder(help);
  MakeFile(help + "\\" + mark + "Here.hlp");
  MakeFile(help + "\\" + mark + "Here.chm");
  MakeFile(folder_ + mark + "Unused.dll");
  MakeFile(folder_ + mark + "Used.dll");

  RegContent()
      .Key(kHkeyLocalMachine, kNtFonts)
      .Text(mark + "Gone (TrueType)", folder_ + mark + "Gone.ttf")
      .Text(mark + "Here (TrueType)", folder_ + mark + "Here.ttf")
      .Text(mark + "InFonts (TrueType)", mark + "InFonts.ttf")
      .Text(mark + "Bare (TrueType)", mark + "Bare.ttf")
      .Text(folder_ + mark + "Named.fon", folder_ + mark + "Named.fon")
      .Key(kHkeyLocalMachine, kHelp)
      .Text(mark + "Here.hlp", help)
      .Text(mark + "Gone.hlp", help + "\\")
      .Key(kHkeyLocalMachine, kHtmlHelp)
      .Text(mark + "Here.chm", help + "\\")
      .Text(mark + "Gone.chm", folder_ + mark + "NoFolder")
      .Text(help + "\\" + mark + "Named.chm", "")
      .Key(kHkeyLocalMachine, kSharedDlls)
      .Number(folder_ + mark + "Unused.dll", 0)
      .Number(folder_ + mark + "Used.dll", 3)
      .Number(folder_ + mark + "Gone.dll", 1)
      .Text(folder_ + mark + "Text.dll", "1")
      .ApplyTo(*registry_);

  const std::string fontsKey = std::string("HKEY_LOCAL_MACHINE\\") + kNtFonts;
  const std::string helpKey = std::string("HKEY_LOCAL_MACHINE\\") + kHelp;
  const std::string htmlHelpKey = std::string("HKEY_LOCAL_MACHINE\\") + kHtmlHelp;
  const std::string dllsKey = std::string("HKEY_LOCAL_MACHINE\\") + kSharedDlls;
  EXPECT_EQ(
      MarkedRows({ScanCategory::WindowsFonts, ScanCategory::HelpFiles, ScanCategory::SharedDlls}),
      (std::vector<std::string>{
          fontsKey + " | " + folder_ + mark + "Named.fon | 2",
          fontsKey + "\\" + mark + "Gone (TrueType) | " + folder_ + mark + "Gone.ttf | 1",
          helpKey + "\\" + mark + "Gone.hlp | " + help + "\\" + mark + "Gone.hlp | 1",
          htmlHelpKey + " | " + help + "\\" + mark + "Named.chm | 2",
          htmlHelpKey + "\\" + mark + "Gone.chm | " + folder_ + mark + "NoFolder\\" + mark +
              "Gone.chm | 1",
          dllsKey + " | " + folder_ + mark + "Gone.dll | 2",
          dllsKey + " | " + folder_ + mark + "Unused.dll | 2",
      }));
}

TEST_F(ScanConformanceFontsToExtensions, StartupPrograms) {
  const std::string mark = kMark;
  const std::string gone = folder_ + mark + "Gone.exe";
  MakeFile(folder_ + mark + "Here.exe");
  RegContent()
      .Key(kHkeyCurrentUser, kRun)
      .Text(mark + "Empty", "")
      .Text(mark + "Quotes", "\"\"")
      .Text(mark + "Here", folder_ + mark + "Here.exe /min")
      .Text(mark + "Gone", "\"" + gone + "\" -x")
      .Key(kHkeyLocalMachine, kRunOnce)
      .Text(mark + "Gone", gone)
      .Key(kHkeyLocalMachine, std::string(kStartupReg) + "\\" + mark + "Gone")
      .Text("command", gone + " /s")
      .Key(kHkeyLocalMachine, std::string(kStartupReg) + "\\" + mark + "NoCommand")
      .Text("item", gone)
      .Key(kHkeyLocalMachine, std::string(kStartupReg) + "\\" + mark + "Number")
      .Number("command", 1)
      .ApplyTo(*registry_);

  const std::string userRun = std::string("HKEY_CURRENT_USER\\") + kRun + "\\" + mark;
  EXPECT_EQ(
      MarkedRows({ScanCategory::StartupPrograms}),
      (std::vector<std::string>{
          userRun + "Empty |  | 1",
          userRun + "Gone | \"" + gone + "\" -x | 1",
          userRun + "Quotes | \"\" | 1",
          std::string("HKEY_LOCAL_MACHINE\\") + kRunOnce + "\\" + mark + "Gone | " + gone + " | 1",
          std::string("HKEY_LOCAL_MACHINE\\") + kStartupReg + "\\" + mark + "Gone | " + gone +
              " /s | 0",
      }));
}

TEST_F(ScanConformanceFontsToExtensions, AddRemoveProgramsAndInstaller) {
  const std::string mark = kMark;
  MakeFile(folder_ + mark + "Here.exe");
  fileEnvironment_->MakeFolder(folder_ + mark + "Shared");
  RegContent()
      .Key(kHkeyLocalMachine, std::string(kUninstall) + "\\" + mark + "NoCommand")
      .Text("DisplayName", mark)
      .Key(kHkeyLocalMachine, std::string(kUninstall) + "\\{" + mark + "-0000}")
      .Key(kHkeyLocalMachine, std::string(kUninstall) + "\\" + mark + "Hidden")
      .Number("SystemComponent", 1)
      .Key(kHkeyLocalMachine, std::string(kUninstall) + "\\" + mark + "App")
      .Text("UninstallString", "\"" + folder_ + mark + "Gone.exe\" /S")
      .Text("QuietUninstallString", folder_ + mark + "Here.exe /S /quiet")
      .Text("DisplayIcon", folder_ + mark + "Gone.ico")
      .Key(kHkeyLocalMachine, kInstallerFolders)
      .Text(folder_ + mark + "Shared\\", "")
      .Text(folder_ + mark + "SharedGone\\", "")
      .Key(kHkeyLocalMachine, std::string(kAddRemoveCache) + "\\" + UpperCaseAscii(mark) + "APP")
      .Key(kHkeyLocalMachine, std::string(kAddRemoveCache) + "\\" + mark + "Orphan")
      .ApplyTo(*registry_);

  const std::string uninstall = std::string("HKEY_LOCAL_MACHINE\\") + kUninstall;
  const std::string installer =
      "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
  EXPECT_EQ(MarkedRows({ScanCategory::AddRemovePrograms, ScanCategory::Installer}),
            (std::vector<std::string>{
                uninstall + " | " + mark + "NoCommand | 3",
                installer + "Uninstall\\" + mark + "App\\UninstallString | \"" + folder_ + mark +
                    "Gone.exe\" /S | 1",
                installer + "Installer\\Folders | " + folder_ + mark + "SharedGone\\ | 2",
                installer + "App Management\\ARPCache | " + mark + "Orphan | 3",
            }));
}

TEST_F(ScanConformanceFontsToExtensions, FileExtensions) {
  const std::string ext = "." + LowerCaseAscii(kMark);
  RegContent()
      .Key(kHkeyLocalMachine, std::string(kClasses) + "\\" + ext + "empty")
      .Key(kHkeyLocalMachine, std::string(kClasses) + "\\" + ext + "default")
      .Text("", "")
      .Key(kHkeyLocalMachine, std::string(kClasses) + "\\" + ext + "text")
      .Text("", "txtfile")
      .Key(kHkeyLocalMachine, std::string(kClasses) + "\\" + ext + "number")
      .Number("", 0)
      .Key(kHkeyLocalMachine, std::string(kClasses) + "\\" + kMark + "Class\\shell")
      .Key(kHkeyCurrentUser, std::string(kFileExts) + "\\" + ext + "a")
      .Key(kHkeyCurrentUser, std::string(kFileExts) + "\\" + ext + "b\\OpenWithList")
      .Key(kHkeyCurrentUser, std::string(kFileExts) + "\\" + ext + "c\\OpenWithList")
      .Text("a", "x.exe")
      .ApplyTo(*registry_);

  const std::string classes = std::string("HKEY_LOCAL_MACHINE\\") + kClasses;
  const std::string fileExts = std::string("HKEY_CURRENT_USER\\") + kFileExts;
  EXPECT_EQ(MarkedRows({ScanCategory::FileExtensions}), (std::vector<std::string>{
                                                            classes + " | " + ext + "default | 3",
                                                            classes + " | " + ext + "empty | 3",
                                                            fileExts + " | " + ext + "a | 3",
                                                            fileExts + " | " + ext + "b | 3",
                                                        }));
}

}  // namespace
}  // namespace kelvane
