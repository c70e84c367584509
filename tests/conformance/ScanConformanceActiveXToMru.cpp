#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "tests/conformance/ScanConformanceFixture.h"
#include "tests/support/RegistryValues.h"

namespace kelvane {
namespace {

using testsupport::ProgramUseEntry;
using testsupport::TextValue;

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kMenuOrderPrograms = kExplorer + "\\MenuOrder\\Start Menu2\\Programs";
const std::string kOpenSave = kExplorer + "\\ComDlg32\\OpenSaveMRU";
const std::string kUserAssist =
    kExplorer + "\\UserAssist\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count";
const std::string kService = "SYSTEM\\CurrentControlSet\\Services\\KelvaneScanService";
const std::string kSoundApp = "AppEvents\\Schemes\\Apps\\KelvaneScanApp";

// The marked keys, removed before and after each test.
const struct {
  RootKey root;
  std::string path;
} kMarkedKeys[] = {
    {kHkeyClassesRoot, "CLSID\\{KelvaneScan-ClassFile}"},
    {kHkeyClassesRoot, "CLSID\\{KelvaneScan-ClassAppId}"},
    {kHkeyClassesRoot, "Interface\\{KelvaneScan-Interface}"},
    {kHkeyClassesRoot, "TypeLib\\{KelvaneScan-Lib}"},
    {kHkeyLocalMachine, kService},
    {kHkeyCurrentUser, kMenuOrderPrograms + "\\KelvaneScanGone"},
    {kHkeyCurrentUser, kMenuOrderPrograms + "\\KelvaneScanKept"},
    {kHkeyCurrentUser, kSoundApp},
    {kHkeyCurrentUser, kOpenSave + "\\kelvanescan"},
};

// Keys of the user's that a fresh prefix lacks; those the test had to make go again after it.
const std::string kUserScaffolds[] = {kExplorer + "\\MenuOrder", kExplorer + "\\ComDlg32",
                                      kExplorer + "\\UserAssist"};

class ScanConformanceActiveXToMru : public ScanConformanceFixture {
 protected:
  void SetUp() override {
    ScanConformanceFixture::SetUp();
    for (const std::string& path : kUserScaffolds) RememberFirstMissingKey(kHkeyCurrentUser, path);
  }

  std::string ShellFolder(int id) {
    const std::optional<std::string> folder = Files().SpecialFolder(id);
    if (!folder) throw std::runtime_error("no shell folder " + std::to_string(id));
    return *folder + "\\";
  }

  // Marked shortcuts and folders outside the scratch folder, which the environment removes.
  std::vector<std::string> MarkedShellItems() {
    return {ShellFolder(ShellFolder::CommonDesktopDirectory) + "KelvaneScanPublic.lnk",
            ShellFolder(ShellFolder::AppData) + "KelvaneScanDeep",
            ShellFolder(ShellFolder::StartMenu) + "KelvaneScanMenu.lnk",
            ShellFolder(ShellFolder::DesktopDirectory) + "KelvaneScanGone.lnk",
            ShellFolder(ShellFolder::DesktopDirectory) + "KelvaneScanHere.lnk",
            ShellFolder(ShellFolder::DesktopDirectory) + "KelvaneScanFolder.lnk",
            ShellFolder(ShellFolder::Programs) + "KelvaneScanKept"};
  }

  void RemoveMarkedEntries() override {
    for (const auto& marked : kMarkedKeys) {
      RegistryAccess key(*registry_);
      key.SetRootKey(marked.root);
      key.DeleteKey(marked.path);
    }
    for (const std::string& path : {kOpenSave, kUserAssist}) {
      RegistryAccess key(*registry_);
      key.SetRootKey(kHkeyCurrentUser);
      if (!key.OpenKey(path, false)) continue;
      for (const std::string& name : key.ValueNames()) {
        if (IsMarked(name) || IsMarked(Rot13(name))) key.DeleteValue(name);
      }
    }
    for (const std::string& item : MarkedShellItems()) Files().DeleteFileSilently(item);
  }

  void Put(RootKey root, const std::string& path, const std::string& name, const RawValue& value) {
    testsupport::PutValue(*registry_, root, path, name, value);
  }
};

TEST_F(ScanConformanceActiveXToMru, FindsExactlyTheBrokenRegistrationsShortcutsAndHistory) {
  MakeFile(folder_ + "here.exe");
  fileEnvironment_->WriteBytes(folder_ + "report.kelvanescan", "");

  Put(kHkeyClassesRoot, "CLSID\\{KelvaneScan-ClassFile}\\InprocServer32", "",
      TextValue(folder_ + "gone.dll"));
  Put(kHkeyClassesRoot, "CLSID\\{KelvaneScan-ClassAppId}", "AppID",
      TextValue("{KelvaneScan-AppGone}"));
  Put(kHkeyClassesRoot, "Interface\\{KelvaneScan-Interface}", "", TextValue("IKelvaneScan"));
  Put(kHkeyClassesRoot, "Interface\\{KelvaneScan-Interface}\\TypeLib", "",
      TextValue("{KelvaneScan-LibGone}"));
  Put(kHkeyClassesRoot, "TypeLib\\{KelvaneScan-Lib}\\1.0\\0\\win32", "",
      TextValue(folder_ + "gone.dll"));
  Put(kHkeyLocalMachine, kService, "ImagePath", TextValue(folder_ + "gone.exe /service"));
  Put(kHkeyCurrentUser, kMenuOrderPrograms + "\\KelvaneScanGone", "Order", ProgramUseEntry(0));
  Put(kHkeyCurrentUser, kMenuOrderPrograms + "\\KelvaneScanKept", "Order", ProgramUseEntry(0));
  Put(kHkeyCurrentUser, kSoundApp + "\\KelvaneScanEvent\\.Current", "",
      TextValue(folder_ + "gone.wav"));
  Put(kHkeyCurrentUser, kOpenSave, "KelvaneScanA", TextValue(folder_ + "gone"));
  Put(kHkeyCurrentUser, kOpenSave, "KelvaneScanB", TextValue(folder_ + "report"));
  Put(kHkeyCurrentUser, kOpenSave + "\\kelvanescan", "a", TextValue(folder_ + "gone.kelvanescan"));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScan:" + folder_ + "gone.exe"),
      ProgramUseEntry(5));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScan:" + folder_ + "here.exe"),
      ProgramUseEntry(5));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScanNeverRun"), ProgramUseEntry(0));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScanShort"), ProgramUseEntry(0, 4));

  fileEnvironment_->MakeFolder(ShellFolder(ShellFolder::Programs) + "KelvaneScanKept");
  const std::string deep = ShellFolder(ShellFolder::AppData) + "KelvaneScanDeep\\";
  fileEnvironment_->MakeFolder(deep);
  fileEnvironment_->MakeFolder(deep + "A");
  const std::vector<std::string> items = MarkedShellItems();
  const std::string publicShortcut = items[0];
  const std::string deepShortcut = deep + "A\\KelvaneScanDeep.lnk";
  const std::string menuShortcut = items[2];
  const std::string desktopShortcut = items[3];
  fileEnvironment_->MakeShortcut(publicShortcut, folder_ + "public.exe");
  fileEnvironment_->MakeShortcut(deepShortcut, folder_ + "deep.exe");
  fileEnvironment_->MakeShortcut(menuShortcut, folder_ + "menu.exe");
  fileEnvironment_->MakeShortcut(desktopShortcut, folder_ + "gone.exe");
  fileEnvironment_->MakeShortcut(items[4], folder_ + "here.exe");
  fileEnvironment_->MakeShortcut(items[5], folder_);

  const std::string services = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
  const std::string user = "HKEY_CURRENT_USER\\";
  EXPECT_EQ(MarkedRows({ScanCategory::CustomControls, ScanCategory::WindowsServices,
                        ScanCategory::StartMenu, ScanCategory::Shortcuts, ScanCategory::SoundEvents,
                        ScanCategory::ActiveX, ScanCategory::MruLists}),
            (std::vector<std::string>{
                "HKEY_CLASSES_ROOT\\CLSID\\{KelvaneScan-ClassFile}\\InprocServer32 | " + folder_ +
                    "gone.dll | 0",
                "HKEY_CLASSES_ROOT\\Interface\\{KelvaneScan-Interface} | IKelvaneScan - "
                "{KelvaneScan-LibGone} | 0",
                services + "KelvaneScanService\\ImagePath | " + folder_ + "gone.exe /service | 1",
                user + kMenuOrderPrograms + " | KelvaneScanGone | 3",
                publicShortcut + " | " + folder_ + "public.exe | 4",
                // The user's Start menu lies in the application data, and is walked again itself.
                deepShortcut + " | " + folder_ + "deep.exe | 4",
                menuShortcut + " | " + folder_ + "menu.exe | 4",
                menuShortcut + " | " + folder_ + "menu.exe | 4",
                desktopShortcut + " | " + folder_ + "gone.exe | 4",
                user + kSoundApp + "\\KelvaneScanEvent\\.Current | " + folder_ + "gone.wav | 5",
                "HKEY_CLASSES_ROOT\\TypeLib\\{KelvaneScan-Lib}\\1.0\\0\\win32\\ | " + folder_ +
                    "gone.dll | 1",
                "HKEY_CLASSES_ROOT\\CLSID\\{KelvaneScan-ClassAppId} | {KelvaneScan-AppGone} | 0",
                user + kOpenSave + "\\KelvaneScanA | " + folder_ + "gone | 1",
                user + kOpenSave + "\\kelvanescan\\a | " + folder_ + "gone.kelvanescan | 1",
                user + kUserAssist + " | KelvaneScan:" + folder_ + "gone.exe | 6",
                user + kUserAssist + " | KelvaneScanNeverRun | 6",
            }));
}

}  // namespace
}  // namespace kelvane
