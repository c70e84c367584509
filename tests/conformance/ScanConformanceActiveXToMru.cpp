#include <gtest/gtest.h>

#include "global/Localization.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/ScanTaskThread.h"
#include "tests/conformance/FileSystemEnvironment.h"
#include "tests/conformance/ProfileEnvironment.h"
#include "tests/conformance/RegistryEnvironment.h"
#include "tests/conformance/SystemEnvironment.h"
#include "tests/support/RecordingSink.h"

namespace kelvane {
namespace {

// Everything the test adds carries this mark, so its rows can be told from those of whatever
// else the machine holds.
const char kMark[] = "KelvaneScan";

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

bool IsMarked(const std::string& text) {
  return UpperCaseAscii(text).find(UpperCaseAscii(kMark)) != std::string::npos;
}

RawValue Text(const std::string& text) {
  RawValue value{RegType::Sz, Bytes(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

// A program-use entry: sixteen bytes with the run counter at bytes 4 to 7.
RawValue UseEntry(unsigned char runs, std::size_t size = 16) {
  Bytes data(size);
  if (size > 4) data[4] = runs;
  return RawValue{RegType::Binary, data};
}

class ScanConformanceActiveXToMru : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    fileEnvironment_ = MakeFileSystemEnvironment(test->name());
    registry_ = MakeConformanceRegistry();
    system_ = MakeConformanceSystem();
    profiles_ = MakeConformanceProfileStore();
    RemoveMarks();
    for (const std::string& path : kUserScaffolds) {
      RegistryAccess key(*registry_);
      key.SetRootKey(kHkeyCurrentUser);
      if (!key.KeyExists(path)) scaffoldsMade_.push_back(path);
    }
  }

  void TearDown() override {
    RemoveMarks();
    for (const std::string& path : scaffoldsMade_) {
      RegistryAccess key(*registry_);
      key.SetRootKey(kHkeyCurrentUser);
      key.DeleteKey(path);
    }
  }

  FileSystemAccess& Files() { return fileEnvironment_->FileSystem(); }

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

  void RemoveMarks() {
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

  void Put(RootKey root, const std::string& path, const std::string& name,
           const RawValue& value) {
    const std::unique_ptr<RegistryKey> rootKey = registry_->OpenRoot(root);
    const std::unique_ptr<RegistryKey> key = rootKey->OpenSubkey(path, kAccessFull, true);
    if (!key || !key->SetValue(name, value)) throw std::runtime_error("cannot write " + path);
  }

  std::vector<std::string> MarkedRows(const std::vector<std::string>& tasks) {
    std::string lan = "English";
    Language language(*profiles_, "C:\\", lan);
    testsupport::RecordingSink sink;
    TScanTaskThread worker(*registry_, Files(), *system_, language, ScanOptions{}, sink);
    worker.FTaskList = tasks;
    worker.Execute();
    EXPECT_EQ(sink.events.back(), "completed");
    std::vector<std::string> rows;
    for (const ProblemRecord& row : sink.rows) {
      const std::string line = row.key + " | " + row.value + " | " +
                               std::to_string(static_cast<int>(row.repairKind));
      if (IsMarked(line)) rows.push_back(line);
    }
    return rows;
  }

  std::unique_ptr<FileSystemEnvironment> fileEnvironment_;
  std::unique_ptr<RegistryStore> registry_;
  std::unique_ptr<SystemAccess> system_;
  std::unique_ptr<ProfileStore> profiles_;
  std::vector<std::string> scaffoldsMade_;
};

TEST_F(ScanConformanceActiveXToMru, FindsExactlyTheBrokenRegistrationsShortcutsAndHistory) {
  const std::string folder = fileEnvironment_->ScratchFolder() + kMark + "\\";
  fileEnvironment_->MakeFolder(folder);
  fileEnvironment_->WriteBytes(folder + "here.exe", "MZ");
  fileEnvironment_->WriteBytes(folder + "report.kelvanescan", "");

  Put(kHkeyClassesRoot, "CLSID\\{KelvaneScan-ClassFile}\\InprocServer32", "",
      Text(folder + "gone.dll"));
  Put(kHkeyClassesRoot, "CLSID\\{KelvaneScan-ClassAppId}", "AppID",
      Text("{KelvaneScan-AppGone}"));
  Put(kHkeyClassesRoot, "Interface\\{KelvaneScan-Interface}", "", Text("IKelvaneScan"));
  Put(kHkeyClassesRoot, "Interface\\{KelvaneScan-Interface}\\TypeLib", "",
      Text("{KelvaneScan-LibGone}"));
  Put(kHkeyClassesRoot, "TypeLib\\{KelvaneScan-Lib}\\1.0\\0\\win32", "",
      Text(folder + "gone.dll"));
  Put(kHkeyLocalMachine, kService, "ImagePath", Text(folder + "gone.exe /service"));
  Put(kHkeyCurrentUser, kMenuOrderPrograms + "\\KelvaneScanGone", "Order", UseEntry(0));
  Put(kHkeyCurrentUser, kMenuOrderPrograms + "\\KelvaneScanKept", "Order", UseEntry(0));
  Put(kHkeyCurrentUser, kSoundApp + "\\KelvaneScanEvent\\.Current", "", Text(folder + "gone.wav"));
  Put(kHkeyCurrentUser, kOpenSave, "KelvaneScanA", Text(folder + "gone"));
  Put(kHkeyCurrentUser, kOpenSave, "KelvaneScanB", Text(folder + "report"));
  Put(kHkeyCurrentUser, kOpenSave + "\\kelvanescan", "a", Text(folder + "gone.kelvanescan"));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScan:" + folder + "gone.exe"), UseEntry(5));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScan:" + folder + "here.exe"), UseEntry(5));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScanNeverRun"), UseEntry(0));
  Put(kHkeyCurrentUser, kUserAssist, Rot13("KelvaneScanShort"), UseEntry(0, 4));

  fileEnvironment_->MakeFolder(ShellFolder(ShellFolder::Programs) + "KelvaneScanKept");
  const std::string deep = ShellFolder(ShellFolder::AppData) + "KelvaneScanDeep\\";
  fileEnvironment_->MakeFolder(deep);
  fileEnvironment_->MakeFolder(deep + "A");
  const std::vector<std::string> items = MarkedShellItems();
  const std::string publicShortcut = items[0];
  const std::string deepShortcut = deep + "A\\KelvaneScanDeep.lnk";
  const std::string menuShortcut = items[2];
  const std::string desktopShortcut = items[3];
  fileEnvironment_->MakeShortcut(publicShortcut, folder + "public.exe");
  fileEnvironment_->MakeShortcut(deepShortcut, folder + "deep.exe");
  fileEnvironment_->MakeShortcut(menuShortcut, folder + "menu.exe");
  fileEnvironment_->MakeShortcut(desktopShortcut, folder + "gone.exe");
  fileEnvironment_->MakeShortcut(items[4], folder + "here.exe");
  fileEnvironment_->MakeShortcut(items[5], folder);

  const std::string services = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\";
  const std::string user = "HKEY_CURRENT_USER\\";
  EXPECT_EQ(
      MarkedRows({"13", "15", "16", "17", "18", "19", "20"}),
      (std::vector<std::string>{
          "HKEY_CLASSES_ROOT\\CLSID\\{KelvaneScan-ClassFile}\\InprocServer32 | " + folder +
              "gone.dll | 0",
          "HKEY_CLASSES_ROOT\\Interface\\{KelvaneScan-Interface} | IKelvaneScan - "
          "{KelvaneScan-LibGone} | 0",
          services + "KelvaneScanService\\ImagePath | " + folder + "gone.exe /service | 1",
          user + kMenuOrderPrograms + " | KelvaneScanGone | 3",
          publicShortcut + " | " + folder + "public.exe | 4",
          // The user's Start menu lies in the application data, and is walked again itself.
          deepShortcut + " | " + folder + "deep.exe | 4",
          menuShortcut + " | " + folder + "menu.exe | 4",
          menuShortcut + " | " + folder + "menu.exe | 4",
          desktopShortcut + " | " + folder + "gone.exe | 4",
          user + kSoundApp + "\\KelvaneScanEvent\\.Current | " + folder + "gone.wav | 5",
          "HKEY_CLASSES_ROOT\\TypeLib\\{KelvaneScan-Lib}\\1.0\\0\\win32\\ | " + folder +
              "gone.dll | 1",
          "HKEY_CLASSES_ROOT\\CLSID\\{KelvaneScan-ClassAppId} | {KelvaneScan-AppGone} | 0",
          user + kOpenSave + "\\KelvaneScanA | " + folder + "gone | 1",
          user + kOpenSave + "\\kelvanescan\\a | " + folder + "gone.kelvanescan | 1",
          user + kUserAssist + " | KelvaneScan:" + folder + "gone.exe | 6",
          user + kUserAssist + " | KelvaneScanNeverRun | 6",
      }));
}

}  // namespace
}  // namespace kelvane
