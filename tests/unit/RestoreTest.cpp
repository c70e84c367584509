#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/PortableProfileStore.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryProcesses.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystem.h"
#include "tests/support/EditorPromptsRecorder.h"
#include "tests/support/RegistryValues.h"
#include "windows/BackupListing.h"
#include "windows/ImportCheck.h"
#include "windows/ProcessProgress.h"
#include "windows/RestoreRun.h"

namespace kelvane {
namespace {

using Lines = std::vector<std::string>;
using testsupport::PutValue;
using testsupport::TextValue;

TEST(BackupListing, ListsRegFilesNewestNameFirstWithTheirSizesAndDates) {
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  files.AddFile("C:\\B\\a.reg", 2048001);
  files.AddFile("C:\\B\\B.REG", 999);
  files.AddFile("C:\\B\\c.Reg", 0);
  files.AddFile("C:\\B\\d.txt", 5);
  files.AddFolder("C:\\B\\x.reg");
  files.SetLastWrite("C:\\B\\B.REG", PackDosDateTime(2010, 1, 27, 0, 0, 0));
  files.SetLastWrite("C:\\B\\c.Reg", PackDosDateTime(2009, 12, 3, 14, 5, 58));
  const DateTimeFormat format{
      [](const LocalDateTime& t) { return std::to_string(t.day) + "." + std::to_string(t.month) +
                                          "." + std::to_string(t.year); },
      [](const LocalDateTime& t) { return std::to_string(t.hour) + ":" + std::to_string(t.minute) +
                                          ":" + std::to_string(t.second); }};
  Lines rows;
  for (const BackupFileEntry& entry : ListBackupFiles(files, "C:\\B\\")) {
    rows.push_back(entry.name + "|" + BackupDateText(entry.dosTime, format) + "|" +
                   BackupSizeText(entry.size));
  }
  EXPECT_EQ(rows, (Lines{"c.Reg|3.12.2009 14:5:58|0 KB", "B.REG|27.1.2010|1 KB",
                         "a.reg|1.1.2010 12:0:0|2,001 KB"}));
  EXPECT_EQ(BackupSizeText(1234567), "1,206 KB");
  EXPECT_EQ(BackupSizeText(1024), "1 KB");
  EXPECT_EQ(BackupSizeText(0xFFFFFFFFu), "4,194,304 KB");
  EXPECT_EQ(BackupFilePath("C:\\B", "a.reg"), BackupFilePath("C:\\B\\", "a.reg"));
  EXPECT_TRUE(ListBackupFiles(files, "C:\\Gone").empty());
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
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "Text", TextValue("x"));
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "Later", TextValue("second"));
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "", TextValue("changed"));
  // Wine's editor ends string data without a NUL with one.
  PutValue(registry, kHkeyCurrentUser, "Software\\A", "Bare", RawValue{RegType::ExpandSz, {'%', 0}});
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
  EXPECT_EQ(CheckImport(registry, ParseRegFile(text), stop).missing,
            (Lines{"[HKEY_CURRENT_USER\\Software\\A] @", "[HKEY_CURRENT_USER\\Software\\A] \"Bin\"",
                   "[HKEY_CURRENT_USER\\Software\\Missing]",
                   "[HKEY_CURRENT_USER\\Software\\Missing] \"v\""}));
  // One NUL more is all that counts as restored.
  EXPECT_FALSE(ImportGaveBack(RawValue{RegType::Sz, {'a'}}, RawValue{RegType::Sz, {'a', 0, 0}}));
  EXPECT_FALSE(ImportGaveBack(RawValue{RegType::Binary, {'a'}}, RawValue{RegType::Binary, {'a', 0}}));
  EXPECT_FALSE(ImportGaveBack(RawValue{RegType::Sz, {}}, RawValue{RegType::Sz, {0}}));
}

class RestoreRun : public ::testing::Test {
 protected:
  RestoreRun() {
    files_.AddDrive('C', DriveType::Fixed);
    files_.AddFileWithContents(kFile, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old]\r\n"
                                      "\"A\"=\"a\"\r\n\"B\"=dword:00000002\r\n");
    // The editor imports the file it is given, leaving out the values named in dropped_; a
    // file it cannot read changes nothing.
    processes_.SetProgram([this](const std::string& commandLine) {
      EXPECT_EQ(commandLine, std::string("Regedit /s \"") + kFile + "\"");
      try {
        RegFile file = ParseRegFile(*files_.FileContents(kFile));
        for (RegFileKey& key : file.keys) {
          for (RegFileValue& value : key.values) value.remove = dropped_.count(value.name) != 0;
        }
        ApplyRegFile(registry_, file);
      } catch (const RegFileError&) {
      }
    });
  }

  void DeleteTree() {
    RegistryAccess access(registry_);
    access.DeleteKey("Software\\Old");
  }

  static constexpr char kFile[] = "C:\\Backup\\Backup20100305090702.reg";
  MemoryRegistry registry_;
  MemoryFileSystem files_;
  MemorySystem system_;
  MemoryProcesses processes_;
  PortableProfileStore profiles_;
  std::string lan_ = "English";
  Language language_{profiles_, "", lan_};
  EditorContext context_{registry_, files_, system_, processes_, language_};
  testsupport::RecordingEditorPrompts prompts_;
  std::set<std::string> dropped_;
};

TEST_F(RestoreRun, CountsAsCompleteOnlyWhenEverythingIsBack) {
  EXPECT_EQ(RestoreBackupFile(context_, prompts_, kFile), RestoreOutcome::Complete);
  EXPECT_EQ(prompts_.hints, Lines{"Restore registry..."});
  EXPECT_TRUE(prompts_.messages.empty());

  DeleteTree();
  dropped_ = {"B"};
  EXPECT_EQ(RestoreBackupFile(context_, prompts_, kFile), RestoreOutcome::Incomplete);
  EXPECT_EQ(prompts_.messages,
            Lines{"warning: Entries of the backup file that are not back in the registry: 1\r\n"
                  "The backup file is kept.\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old] \"B\""});
}

TEST_F(RestoreRun, AStoppedMissingOrUnreadableImportIsNeverComplete) {
  prompts_.processRunsToItsEnd = false;
  EXPECT_EQ(RestoreBackupFile(context_, prompts_, kFile), RestoreOutcome::NotImported);
  EXPECT_TRUE(prompts_.messages.empty());
  prompts_.processRunsToItsEnd = true;
  processes_.SetStartSucceeds(false);
  EXPECT_EQ(RestoreBackupFile(context_, prompts_, kFile), RestoreOutcome::NotImported);
  processes_.SetStartSucceeds(true);
  files_.AddFileWithContents(kFile, "REGEDIT4\r\n\"A\"=\"a\"\r\n");
  EXPECT_EQ(RestoreBackupFile(context_, prompts_, kFile), RestoreOutcome::Incomplete);
  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0], "information: Please check if Regedit.exe exists.");
  EXPECT_EQ(prompts_.messages[1],
            "warning: The backup file does not read back, so the restore cannot be checked.\r\n"
            "Line 2 of the registry file: a value stands before the first key\r\n"
            "The backup file is kept.");
}

}  // namespace
}  // namespace kelvane
