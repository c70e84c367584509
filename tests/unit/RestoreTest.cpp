#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backup/BackupListing.h"
#include "backup/BackupRecord.h"
#include "backup/ImportCheck.h"
#include "backup/RestoreRun.h"
#include "editor/ProcessProgress.h"
#include "platform/PortableProfileStore.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "repair/Repair.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryProcesses.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystem.h"
#include "tests/support/EditorPromptsRecorder.h"
#include "tests/support/RegistryValues.h"

namespace kelvane {
namespace {

using Lines = std::vector<std::string>;
using testsupport::PutValue;
using testsupport::TextValue;

// The name, date and size texts are also read from the window under Wine.
TEST(BackupListing, ListsRegFilesNewestNameFirstWithTheirDateAndSizeTexts) {
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  for (const char* name : {"C:\\B\\a.reg", "C:\\B\\B.REG", "C:\\B\\c.Reg", "C:\\B\\d.txt"}) {
    files.AddFile(name);
  }
  files.AddFolder("C:\\B\\x.reg");
  Lines names;
  for (const BackupFileEntry& entry : ListBackupFiles(files, "C:\\B")) names.push_back(entry.name);
  EXPECT_EQ(names, (Lines{"c.Reg", "B.REG", "a.reg"}));
  EXPECT_TRUE(ListBackupFiles(files, "C:\\Gone").empty());
  const auto numbers = [](int a, int b, int c) {
    return std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c);
  };
  const DateTimeFormat format{
      [&](const LocalDateTime& t) { return numbers(t.day, t.month, t.year); },
      [&](const LocalDateTime& t) { return numbers(t.hour, t.minute, t.second); }};
  const auto dateOf = [&](const char* name, std::uint32_t dosTime) {
    return BackupDateText({name, dosTime, 0}, format);
  };
  EXPECT_EQ(dateOf("a.reg", PackDosDateTime(2009, 12, 3, 14, 5, 58)), "3.12.2009 14.5.58");
  EXPECT_EQ(dateOf("a.reg", PackDosDateTime(2010, 1, 27, 0, 0, 0)), "27.1.2010");
  // A copied backup keeps its run's date.
  EXPECT_EQ(dateOf("Backup20080229235900.reg", PackDosDateTime(2010, 1, 27, 0, 0, 0)),
            "29.2.2008 23.59.0");
  EXPECT_EQ(dateOf("Backup20080229235900-Unicode.reg", PackDosDateTime(2010, 1, 27, 0, 0, 0)),
            "29.2.2008 23.59.0");
  EXPECT_EQ(dateOf("Backup20080229235900-Other.reg", PackDosDateTime(2010, 1, 27, 0, 0, 0)),
            "27.1.2010");
  EXPECT_EQ(BackupSizeText(1234567), "1,206 KB");
  EXPECT_EQ(BackupSizeText(0xFFFFFFFFu), "4,194,304 KB");
}

TEST(BackupListing, SelectionAfterADeleteAndTheSpreadOfTheMiddleButtons) {
  EXPECT_EQ(RowToSelectAfterDelete(1, 3), 1);
  EXPECT_EQ(RowToSelectAfterDelete(2, 2), 1);
  EXPECT_EQ(RowToSelectAfterDelete(0, 0), -1);
  const MiddleButtonLefts spread = SpreadMiddleButtons(10, 75, 90, 75, 341);
  EXPECT_EQ(spread.second, 10 + 75 + 30);
  EXPECT_EQ(spread.third, spread.second + 90 + 30);
  // Buttons wider than the room overlap; the gap is truncated toward zero.
  EXPECT_EQ(SpreadMiddleButtons(0, 100, 100, 100, 296).second, 99);
}

TEST(ProcessProgress, CreepsSlowerAsItGoesAndEndsOnePastTheMaximum) {
  std::vector<int> reachedAt;
  int position = 0;
  std::size_t next = 0;
  const int marks[] = {300, 400, 450, 490, 500, 501};
  for (int tick = 1; tick <= 200; ++tick) {
    position = NextProcessProgressPosition(position);
    while (next < 6 && position >= marks[next]) {
      reachedAt.push_back(tick);
      ++next;
    }
  }
  EXPECT_EQ(reachedAt, (std::vector<int>{30, 49, 65, 85, 94, 95}));
  EXPECT_EQ(position, kProcessProgressMaximum + 1);
}

TEST(ImportCheck, LooksForWhatTheFileLeavesInTheRegistryExactly) {
  MemoryRegistry registry;
  PortableProfileStore profiles;
  const std::string lan = "English";
  const Language language{profiles, "", lan};
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "Text", TextValue("x"));
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "Later", TextValue("second"));
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "", TextValue("changed"));
  // Wine's editor ends string data without a NUL with one.
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "Bare",
           RawValue{RegType::ExpandSz, {'%', 0}});
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "Bin", RawValue{RegType::Binary, {1, 0}});
  const std::string text = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"text\"=\"x\"\r\n"
                           "\"Later\"=\"first\"\r\n@=\"default\"\r\n\"Bare\"=hex(2):25\r\n"
                           "\"Bin\"=hex:01\r\n\"Gone\"=-\r\n\"Dropped\"=\"x\"\r\n"
                           "[HKEY_CURRENT_USER\\Software\\a]\r\n\"Later\"=\"second\"\r\n"
                           "\"DROPPED\"=-\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Old\\Sub]\r\n\"v\"=\"1\"\r\n"
                           "[-HKEY_CURRENT_USER\\Software\\Old]\r\n"
                           "[HKEY_CURRENT_USER\\Software\\Missing]\r\n\"v\"=dword:00000001\r\n";
  const std::atomic<bool> stop{false};
  const ImportCheck check = CheckImport(registry, ParseRegFile(text), stop);
  EXPECT_EQ(check.checked, 8u);
  EXPECT_EQ(check.missing,
            (Lines{"[HKEY_CURRENT_USER\\Software\\A] @", "[HKEY_CURRENT_USER\\Software\\A] \"Bin\"",
                   "[HKEY_CURRENT_USER\\Software\\Missing]",
                   "[HKEY_CURRENT_USER\\Software\\Missing] \"v\""}));
  const ImportCheck many{{std::string(60, 'a') + std::string(60, 'b'), "1", "2", "3", "4", "5"}};
  EXPECT_EQ(IncompleteImportMessage(language, many),
            "Entries of the backup file that are not back in the registry: 6\r\nThe backup file "
            "is kept.\r\n\r\n" + std::string(49, 'a') + "..." + std::string(48, 'b') +
                "\r\n1\r\n2\r\n3\r\n4\r\n...");
  // One NUL more is all that counts as restored.
  EXPECT_FALSE(ImportGaveBack(RawValue{RegType::Sz, {'a'}}, RawValue{RegType::Sz, {'a', 0, 0}}));
  EXPECT_FALSE(
      ImportGaveBack(RawValue{RegType::Binary, {'a'}}, RawValue{RegType::Binary, {'a', 0}}));
  EXPECT_FALSE(ImportGaveBack(RawValue{RegType::Sz, {}}, RawValue{RegType::Sz, {0}}));
}

// A machine in memory whose registry editor does what it is told.
class RestoreRun : public ::testing::Test {
 protected:
  void SetUp() override { files.AddDrive('C', DriveType::Fixed); }

  MemoryRegistry registry;
  MemoryFileSystem files;
  MemorySystem system;
  MemoryProcesses processes;
  PortableProfileStore profiles;
  const std::string lan = "English";
  const Language language{profiles, "", lan};
  EditorContext context{registry, files, system, processes, language};
  testsupport::RecordingEditorPrompts prompts;
};

// A complete and an incomplete import are tried under Wine with the real registry editor.
TEST_F(RestoreRun, AStoppedMissingOrUnreadableImportIsNeverComplete) {
  const std::string file = "C:\\Backup\\x.reg";
  const std::string unreadable = "REGEDIT4\r\n\"A\"=\"a\"\r\n";
  files.AddFileWithContents(file, unreadable);
  ASSERT_TRUE(StoreBackupRecord(registry, "x.reg", RecordOf("x.reg", unreadable)));

  prompts.processRunsToItsEnd = false;
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::NotImported);
  prompts.processRunsToItsEnd = true;
  processes.SetStartSucceeds(false);
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::NotImported);
  processes.SetStartSucceeds(true);
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::Incomplete);
  EXPECT_EQ(processes.CommandLines(), Lines(3, "Regedit /s \"" + file + "\""));
  EXPECT_EQ(prompts.messages,
            (Lines{"information: Please check if Regedit.exe exists.",
                   "warning: The backup file does not read back, so the restore cannot be "
                   "checked.\r\nLine 2 of the registry file: a value stands before the first key"
                   "\r\nThe backup file is kept."}));
}

// Only the program's own file, unchanged, is imported without a question and deleted after.
TEST_F(RestoreRun, AFileTheProgramDidNotWriteIsImportedOnYesAndNeverDeleted) {
  processes.SetProgram([&](const std::string&) {
    ApplyRegFile(registry, ParseRegFile(*files.FileContents("C:\\B\\Backup20260101000000.reg")));
  });
  const std::string file = "C:\\B\\Backup20260101000000.reg";
  const std::string text = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"V\"=\"1\"\r\n";
  files.AddFileWithContents(file, text);

  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::NotImported);
  EXPECT_TRUE(processes.CommandLines().empty());
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0].rfind("The program did not write this backup file.", 0), 0u);
  prompts.overwrite = true;
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::Complete);
  EXPECT_TRUE(files.FileExists(file));

  StoreBackupRecord(registry, "Backup20260101000000.reg", RecordOf("x", text + "\r\n"));
  prompts.overwrite = false;
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::NotImported);
  EXPECT_EQ(prompts.questions.back().rfind("This backup file was changed since", 0), 0u);

  StoreBackupRecord(registry, "Backup20260101000000.reg", RecordOf("x", text));
  prompts.messages.clear();
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::CompleteAndDeleted);
  EXPECT_EQ(prompts.questions.size(), 3u);
  EXPECT_FALSE(files.FileExists(file));
  EXPECT_FALSE(LoadBackupRecord(registry, "Backup20260101000000.reg").has_value());
  EXPECT_EQ(prompts.messages, Lines{"information: Entries of the backup file that are back in the "
                                    "registry: 2\r\nThe backup file is deleted."});
}

// A shortcut the repair deleted comes back from the program's own backup, byte for byte, and
// never over a file put in its place; a file the program did not write places none.
TEST_F(RestoreRun, TheProgramsOwnBackupPutsItsShortcutsBackButNeverOverAFile) {
  prompts.overwrite = true;
  files.AddFolder("C:\\B");
  const std::string file = "C:\\B\\Backup20260101000000.reg";
  const std::string kept = "C:\\Menu\\Kept.lnk";
  const std::string old = "C:\\Menu\\Old.lnk";
  files.AddShortcut(old, "C:\\Gone\\old.exe");
  files.AddShortcut(kept, "C:\\Gone\\kept.exe");
  const std::string oldBytes = *files.FileContents(old);
  {
    RowRepairer repairer(registry, files, file);
    for (const std::string& path : {old, kept}) {
      repairer.Queue({"", path, "", RepairKind::ShortcutFile}, 0);
    }
    repairer.Finish();
  }
  ASSERT_FALSE(files.FileExists(old));
  files.AddFileWithContents(kept, "put there since");

  const std::string text = *files.FileContents(file);
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, false), RestoreOutcome::Complete);
  EXPECT_FALSE(files.FileExists(old)) << "placed by a file the program did not write";

  StoreBackupRecord(registry, "Backup20260101000000.reg", RecordOf("x", text));
  prompts.messages.clear();
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::Incomplete);
  EXPECT_EQ(files.FileContents(old), oldBytes);
  EXPECT_EQ(files.GetShortcutTarget(old), "C:\\Gone\\old.exe");
  EXPECT_EQ(files.FileContents(kept), "put there since");
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].substr(prompts.messages[0].size() - kept.size()), kept);
}

// A file swapped between the question and the import changes nothing: the editor imports a copy
// of what the user saw, which is gone afterwards.
TEST_F(RestoreRun, TheEditorImportsACopyOfWhatWasJudged) {
  files.SetEnvironment("TEMP", "C:\\Temp");
  files.AddFolder("C:\\Temp");
  const std::string file = "C:\\B\\Backup20260101000000.reg";
  files.AddFileWithContents(file, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n");
  std::string imported;
  processes.SetProgram([&](const std::string& commandLine) {
    files.AddFileWithContents(file, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Evil]\r\n");
    const std::size_t open = commandLine.find('"') + 1;
    imported = commandLine.substr(open, commandLine.rfind('"') - open);
    ApplyRegFile(registry, ParseRegFile(*files.FileContents(imported)));
  });
  prompts.overwrite = true;
  EXPECT_EQ(RestoreBackupFile(context, prompts, file, true), RestoreOutcome::Complete);
  EXPECT_EQ(imported, "C:\\Temp\\KelvaneRestore0.reg");
  EXPECT_FALSE(files.FileExists(imported));
  RegistryAccess key(registry);
  key.SetRootKey(kHkeyCurrentUser);
  EXPECT_TRUE(key.KeyExists("Software\\A"));
  EXPECT_FALSE(key.KeyExists("Software\\Evil"));
}

}  // namespace
}  // namespace kelvane
