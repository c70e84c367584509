#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "editor/EditorCommands.h"
#include "platform/PortableProfileStore.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryEditor.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryProcesses.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystem.h"
#include "tests/support/EditorPromptsRecorder.h"

namespace kelvane {
namespace {

using Lines = std::vector<std::string>;

class EditorCommands : public ::testing::Test {
 protected:
  EditorCommands() {
    files_.AddDrive('C', DriveType::Fixed);
    files_.AddFolder("C:\\Windows\\SysWOW64");
    files_.SetEnvironment("SystemRoot", "C:\\Windows");
    files_.SetSpecialFolder(ShellFolder::SystemX86, "C:\\Windows\\SysWOW64");
  }

  std::string LastKey() {
    RegistryAccess access(registry_);
    access.SetRootKey(kHkeyCurrentUser);
    if (!access.OpenKey(kRegistryEditorSettingsKey, false)) return "<no key>";
    return access.ReadString(kRegistryEditorLastKey);
  }

  MemoryRegistry registry_;
  MemoryFileSystem files_;
  MemorySystem system_;
  MemoryProcesses processes_;
  PortableProfileStore profiles_;
  std::string lan_ = "English";
  Language language_{profiles_, "", lan_};
  EditorContext context_{registry_, files_, system_, processes_, language_};
  testsupport::RecordingEditorPrompts prompts_;
};

TEST_F(EditorCommands, TheEditorOfTheViewTheProgramReadsIsStartedOrItsAbsenceIsReported) {
  const RegistryEditor plain = FindRegistryEditor(system_, files_);
  EXPECT_EQ(ImportCommandLine(plain, "C:\\B\\x.reg"), "Regedit /s \"C:\\B\\x.reg\"");
  system_.SetWow64(true);
  EXPECT_EQ(ImportCommandLine(FindRegistryEditor(system_, files_), "C:\\x.reg"),
            "C:\\Windows\\SysWOW64\\regedit.exe -m /s \"C:\\x.reg\"");
  files_.SetSpecialFolder(ShellFolder::SystemX86, "C:\\Win dows\\SysWOW64");
  EXPECT_EQ(ExportCommandLine(FindRegistryEditor(system_, files_), "C:\\x.reg"),
            "\"C:\\Win dows\\SysWOW64\\regedit.exe\" -m /e \"C:\\x.reg\"");

  EXPECT_TRUE(RunWithBackupHint(context_, prompts_, "Regedit /s \"x\"", "Working..."));
  // What follows the process runs before the wait ends, and what it raises comes through.
  int followed = 0;
  EXPECT_TRUE(RunWithBackupHint(context_, prompts_, "x", "Checking...",
                                [&](const std::atomic<bool>&) { ++followed; }));
  EXPECT_EQ(followed, 1);
  EXPECT_THROW(RunWithBackupHint(context_, prompts_, "x", "Failing...",
                                 [](const std::atomic<bool>&) { throw std::runtime_error("x"); }),
               std::runtime_error);
  prompts_.processRunsToItsEnd = false;
  EXPECT_FALSE(RunWithBackupHint(context_, prompts_, "Regedit /s \"x\"", "Stopped..."));
  processes_.SetStartSucceeds(false);
  EXPECT_FALSE(RunWithBackupHint(context_, prompts_, "Regedit /s \"x\"", "Never shown"));
  EXPECT_EQ(prompts_.hints, (Lines{"Working...", "Checking...", "Failing...", "Stopped..."}));
  EXPECT_EQ(prompts_.messages, Lines{"information: Please check if Regedit.exe exists."});
}

TEST_F(EditorCommands, AFullBackupGoesToARegFileAndAsksBeforeReplacingOne) {
  EXPECT_EQ(FullBackupFileName("C:\\full"), "C:\\full.reg");
  EXPECT_EQ(FullBackupFileName("C:\\full.REG"), "C:\\full.REG");
  EXPECT_EQ(FullBackupFileName("C:\\full.reg.bak"), "C:\\full.reg.bak.reg");
  EXPECT_EQ(FullBackupFileName("C:\\x.txt"), "C:\\x.txt.reg");
  EXPECT_EQ(FullBackupFileName("C:\\a.reg\\full"), "C:\\a.reg\\full.reg");

  BackupFullRegistry(context_, prompts_);  // cancelled
  files_.AddFileWithContents("C:\\full.reg", "old");
  prompts_.chosenFile = "C:\\full";
  prompts_.overwrite = true;
  BackupFullRegistry(context_, prompts_);
  EXPECT_EQ(prompts_.saveDialogs,
            Lines(2, "Save full registry | Registry backup files (*.reg)|*.REG"));
  EXPECT_EQ(prompts_.questions, Lines{"C:\\full.reg has existed,overite it?"});
  EXPECT_EQ(processes_.CommandLines(), Lines{"Regedit /e \"C:\\full.reg\""});
  EXPECT_EQ(prompts_.hints, Lines{"Backup registry..."});
}

TEST_F(EditorCommands, WindowsBackupIsLookedForBelowTheSystemRootAndItsAbsenceIsNotReported) {
  files_.AddFolder("C:\\Windows");
  files_.SetEnvironment("SystemRoot", "  C:\\Windows ");
  EXPECT_EQ(WindowsBackupProgram(files_), "C:\\Windows\\system32\\ntbackup.exe");
  files_.SetEnvironment("SystemRoot", "C:\\Gone");
  EXPECT_EQ(WindowsBackupProgram(files_), "%SystemRoot%\\system32\\ntbackup.exe");
  system_.SetShellSucceeds(false);
  StartWindowsBackup(context_);
  EXPECT_EQ(system_.ShellRequests(),
            (std::vector<ShellRequest>{{"%SystemRoot%\\system32\\ntbackup.exe", ""}}));
  EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(EditorCommands, OpenInRegEditRemembersTheKeyEachKindOfRowNames) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\A\\Val";
  const struct {
    RepairKind kind;
    std::string lastKey;
  } kinds[] = {
      {RepairKind::Key, key},
      {RepairKind::ValueInKeyText, "HKEY_CURRENT_USER\\Software\\A"},
      {RepairKind::ValueNamedByValue, key},
      {RepairKind::SubkeyNamedByValue, key + "\\Sub"},
      {RepairKind::ShortcutFile, ""},
      {RepairKind::DefaultValue, key},
      {RepairKind::EncodedValueName, key},
  };
  for (const auto& row : kinds) {
    OpenInRegistryEditor(context_, ProblemRecord{"Problem", key, "Sub", row.kind});
    EXPECT_EQ(LastKey(), row.lastKey) << static_cast<int>(row.kind);
  }
  system_.SetWow64(true);
  OpenInRegistryEditor(context_, ProblemRecord{"Problem", key, "", RepairKind::Key});
  const std::vector<ShellRequest> requests = system_.ShellRequests();
  ASSERT_EQ(requests.size(), 8u);
  EXPECT_EQ(requests.front(), (ShellRequest{"Regedit", "-m"}));
  EXPECT_EQ(requests.back(), (ShellRequest{"C:\\Windows\\SysWOW64\\regedit.exe", "-m"}));
  // A row of the 64-bit view opens in the editor of that view, at the key's own name.
  ProblemRecord row64{"Problem", With64BitViewMark(key), "", RepairKind::Key};
  row64.view = RowView::Bits64;
  files_.SetEnvironment("SystemRoot", "C:\\Windows");
  OpenInRegistryEditor(context_, row64);
  EXPECT_EQ(LastKey(), key);
  EXPECT_EQ(system_.ShellRequests().back(), (ShellRequest{"C:\\Windows\\regedit.exe", "-m"}));
}

}  // namespace
}  // namespace kelvane
