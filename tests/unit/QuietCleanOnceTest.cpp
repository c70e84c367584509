#include <gtest/gtest.h>

#include <string>

#include "platform/PortableProfileStore.h"
#include "platform/RegFile.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystem.h"
#include "repair/QuietCleanOnce.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

const char kRun[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// A startup entry naming a missing program (certain) and a service whose program is missing
// (for review), scanned by those two categories only.
class QuietCleanOnce : public ::testing::Test {
 protected:
  QuietCleanOnce() {
    files.AddDrive('C', DriveType::Fixed);
    files.AddFolder("C:\\Backup");
    files.AddFolder("C:\\Windows");
    ApplyRegFile(registry,
                 ParseRegFile(std::string("REGEDIT4\r\n[") + kRun + "]\r\n"
                              "\"Old\"=\"C:\\\\Gone\\\\old.exe\"\r\n"
                              "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Gone]\r\n"
                              "\"ImagePath\"=\"C:\\\\Gone\\\\svc.exe\"\r\n"));
  }
  QuietCleanOnceOutcome Run(const std::string& options,
                            const std::string& backupFolder = "C:\\Backup") {
    std::string ticks = "[TreeViewNodeCheck]\r\n";
    for (int node = kFirstCategoryNumber; node <= kLastCategoryNumber; ++node) {
      const bool ticked = node == CategoryNumber(ScanCategory::StartupPrograms) ||
                          node == CategoryNumber(ScanCategory::WindowsServices);
      ticks += std::to_string(node) + (ticked ? "=1\r\n" : "=0\r\n");
    }
    testsupport::WriteRawFile(folder.Path() + "options.ini",
                              "[Options]\r\nOutputDirectory=" + backupFolder + "\r\n" + options + ticks);
    RepairContext context{registry, files, WindowsVersion::Windows7,
                          [] { return LocalDateTime{2010, 3, 5, 9, 7, 2}; }, {}};
    return RunQuietCleanOnce(context, system, profiles, folder.Path(), [this] {
      ++restorePointsAsked;
      return restorePointWorks;
    });
  }
  bool RunValueExists() {
    RegistryAccess key(registry);
    key.SetRootKey(kHkeyCurrentUser);
    return key.OpenKey(std::string(kRun).substr(18), false) && key.ValueExists("Old");
  }

  testsupport::ScratchFolder folder;
  MemoryRegistry registry;
  MemoryFileSystem files;
  MemorySystem system;
  PortableProfileStore profiles;
  int restorePointsAsked = 0;
  bool restorePointWorks = true;
};

TEST_F(QuietCleanOnce, RepairsTheCertainRowLeavesTheOneForReviewAndReportsBoth) {
  const QuietCleanOnceOutcome outcome = Run("");
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.line, "clean-once: 2 problems found, every certain one repaired, 1 left for review");
  EXPECT_FALSE(RunValueExists());
  ASSERT_EQ(outcome.rows.size(), 2u);
  EXPECT_EQ(outcome.rows[0].outcome, RowOutcome::Repaired);
  EXPECT_EQ(outcome.rows[0].backupFile, "C:\\Backup\\Backup20100305090702.reg");
  EXPECT_EQ(outcome.rows[1].outcome, RowOutcome::Left);
  EXPECT_EQ(outcome.rows[1].record.certainty, Certainty::Review);
  EXPECT_EQ(outcome.backupFiles, std::vector<std::string>{"C:\\Backup\\Backup20100305090702.reg"});
  EXPECT_EQ(restorePointsAsked, 0);
}

TEST_F(QuietCleanOnce, AMissingBackupFolderOrAFailedRestorePointDeletesNothingAndSaysWhy) {
  restorePointWorks = false;
  QuietCleanOnceOutcome outcome = Run("RestorePoint=1\r\n");
  EXPECT_EQ(restorePointsAsked, 1);
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.failure, "the restore point could not be created; nothing was repaired");
  EXPECT_TRUE(outcome.backupFiles.empty());
  EXPECT_TRUE(RunValueExists());

  outcome = Run("", "C:\\Missing");
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.failure,
            "the backup folder \"C:\\Missing\" does not exist; nothing was repaired");
  EXPECT_FALSE(files.DirectoryExists("C:\\Missing"));
  EXPECT_TRUE(RunValueExists());
  for (const ReportedRow& row : outcome.rows) EXPECT_EQ(row.outcome, RowOutcome::Left);
}

// Each repaired row names the file that holds it; the run lists both.
TEST_F(QuietCleanOnce, ARowCodePage1252CannotHoldNamesTheUnicodeFile) {
  RegistryAccess key(registry);
  key.SetRootKey(kHkeyCurrentUser);
  ASSERT_TRUE(key.OpenKey(std::string(kRun).substr(18), false));
  ASSERT_TRUE(key.WriteString("\u0422\u0435\u0441\u0442", "C:\\Gone\\\u65e5\u672c.exe"));
  key.CloseKey();
  const QuietCleanOnceOutcome outcome = Run("");
  const std::string file = "C:\\Backup\\Backup20100305090702.reg";
  const std::string unicodeFile = "C:\\Backup\\Backup20100305090702-Unicode.reg";
  ASSERT_EQ(outcome.rows.size(), 3u);
  for (const ReportedRow& row : outcome.rows) {
    if (row.record.certainty == Certainty::Review) continue;
    EXPECT_EQ(row.outcome, RowOutcome::Repaired);
    const bool western = row.record.value == "C:\\Gone\\old.exe";
    EXPECT_EQ(row.backupFile, western ? file : unicodeFile) << row.record.value;
  }
  EXPECT_EQ(outcome.backupFiles, (std::vector<std::string>{file, unicodeFile}));
}

}  // namespace
}  // namespace kelvane
