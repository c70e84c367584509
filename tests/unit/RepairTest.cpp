#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "backup/BackupWriter.h"
#include "platform/RegFile.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "repair/Repair.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/RepairHarness.h"

namespace kelvane {
namespace {

using testsupport::NumberValue;
using testsupport::PutValue;
using testsupport::Raw;
using testsupport::TextValue;

constexpr char kBackupFolder[] = "C:\\Backup";
constexpr char kFile[] = "C:\\Backup\\Backup20100305090702.reg";
constexpr char kTop[] = "Software\\Old";

ProblemRecord Row(const std::string& key, const std::string& value, RepairKind kind) {
  return ProblemRecord{"Invalid", key, value, kind};
}

class Repair : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddDrive('C', DriveType::Fixed);
    files_.AddFolder(kBackupFolder);
  }

  void Put(const std::string& path, const std::string& name, const RawValue& value) {
    PutValue(registry_, kHkeyCurrentUser, path, name, value);
  }
  testsupport::RegistrySnapshot Snapshot() {
    return testsupport::TakeSnapshot(registry_, kHkeyCurrentUser, kTop);
  }
  std::string Backup() { return files_.FileContents(kFile).value_or("<missing>"); }
  void ImportBackup() { ApplyRegFile(registry_, ParseRegFile(Backup())); }

  void AddTicked(const ProblemRecord& record) {
    results_.Add(record);
    results_.SetTicked(results_.Count() - 1, true);
  }
  // The walk, with the rows it repaired removed as the run removes them.
  RepairWalk Walk() {
    testsupport::SilentProgress progress;
    RepairWalk walk = RepairTickedRows(results_, repairer_, progress);
    results_.RemoveMarked(walk.repaired);
    return walk;
  }
  std::vector<std::string> KeysLeft() const {
    std::vector<std::string> keys;
    for (const ResultRow& row : results_.Rows()) keys.push_back(row.record.key);
    return keys;
  }

  MemoryRegistry registry_;
  MemoryFileSystem files_;
  ResultsModel results_;
  RowRepairer repairer_{registry_, files_, kFile};
};

TEST_F(Repair, RowsAreRepairedLastFirstAndEachItemIsInTheBackupBeforeItGoes) {
  Put("Software\\Old\\Gone", "", TextValue("C:\\Old\\old.exe"));
  Put("Software\\Old\\Gone\\Sub", "Say", TextValue("a \"quoted\" word"));
  Put("Software\\Old\\Values", "Path", TextValue("C:\\x"));
  Put("Software\\Old\\Values", "", NumberValue(42));
  Put("Software\\Old\\Values", "Stays", NumberValue(1));
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Gone", "", RepairKind::Key));
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Path", RepairKind::ValueNamedByValue));
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "", RepairKind::DefaultValue));
  const testsupport::RegistrySnapshot before = Snapshot();

  EXPECT_EQ(Walk().ticked, 3u);
  EXPECT_TRUE(results_.Empty());
  EXPECT_EQ(Backup(),
            "REGEDIT4\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Old\\Values]\r\n@=dword:0000002A\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Old\\Values]\r\n\"Path\"=\"C:\\\\x\"\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Old\\Gone]\r\n@=\"C:\\\\Old\\\\old.exe\"\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Old\\Gone\\Sub]\r\n"
            "\"Say\"=\"a \\\"quoted\\\" word\"\r\n");
  const testsupport::RegistrySnapshot after = Snapshot();
  EXPECT_EQ(after.count("Gone"), 0u);
  EXPECT_EQ(after.at("Values").size(), 1u);

  ImportBackup();
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(Repair, RowsWhoseItemIsGoneOrUnnamedStayAndWriteNothing) {
  Put("Software\\Old\\Here", "Real", TextValue("x"));
  const std::vector<ProblemRecord> rows = {
      Row("HKEY_CURRENT_USER\\Software\\Old\\Missing", "", RepairKind::Key),
      Row("HKEY_CURRENT_USER\\Software\\Old\\Here", "Removed by hand",
          RepairKind::ValueNamedByValue),
      Row("HKEY_CURRENT_USER\\Software\\Old\\Here\\Nope", "", RepairKind::ValueInKeyText),
      Row("HKEY_NOWHERE\\Software\\Old\\Here", "Real", RepairKind::ValueNamedByValue),
      Row("HKEY_PERFORMANCE_DATA\\Software\\Old\\Here", "", RepairKind::Key),
      Row("HKEY_CURRENT_USER", "", RepairKind::Key),
      Row("HKEY_CURRENT_USER\\", "", RepairKind::Key),
      Row("HKEY_CURRENT_USER\\Software\\Old", "", RepairKind::SubkeyNamedByValue),
      Row("HKEY_CURRENT_USER\\Software\\Old\\Here", "", RepairKind::DefaultValue),
      Row("C:\\Links\\missing.lnk", "", RepairKind::ShortcutFile),
      Row("HKEY_CURRENT_USER\\Software\\Old\\Here", "Real", RepairKind::EncodedValueName),
  };
  for (const ProblemRecord& row : rows) AddTicked(row);
  const testsupport::RegistrySnapshot before = Snapshot();

  EXPECT_EQ(Walk().ticked, rows.size());
  EXPECT_EQ(results_.Count(), rows.size());
  EXPECT_EQ(results_.TickedCount(), rows.size());
  EXPECT_EQ(Snapshot(), before);
  EXPECT_FALSE(files_.FileExists(kFile));
}

TEST_F(Repair, ItemsABackupCouldNotRestoreExactlyAreLeftAlone) {
  Put("Software\\Old\\Lines", "two\r\nlines", TextValue("x"));
  Put("Software\\Old\\Tree\\Locked", "V", TextValue("y"));
  registry_.MakeValuesUnreadable(kHkeyCurrentUser, "Software\\Old\\Tree\\Locked");
  Put("Software\\Old\\Fine", "F", TextValue("z"));
  const std::string old = "HKEY_CURRENT_USER\\Software\\Old\\";
  AddTicked(Row(old + "Lines", "two\r\nlines", RepairKind::ValueNamedByValue));
  AddTicked(Row(old + "Tree", "", RepairKind::Key));
  AddTicked(Row(old + "Fine", "", RepairKind::Key));
  const testsupport::RegistrySnapshot before = Snapshot();

  EXPECT_EQ(Walk().ticked, 3u);
  EXPECT_EQ(KeysLeft(), (std::vector<std::string>{old + "Lines", old + "Tree"}));
  testsupport::RegistrySnapshot expected = before;
  expected.erase("Fine");
  EXPECT_EQ(Snapshot(), expected);
  EXPECT_EQ(Backup(),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old\\Fine]\r\n\"F\"=\"z\"\r\n");
}

TEST_F(Repair, ALinkAndAKeyHoldingOneAreLeftAndWhatTheyLeadToStays) {
  Put("Software\\Target", "Kept", TextValue("x"));
  const std::string target = MemoryRegistry::FullName(kHkeyCurrentUser, "Software\\Target");
  registry_.AddLink(kHkeyCurrentUser, "Software\\Old\\Link", target);
  registry_.AddLink(kHkeyCurrentUser, "Software\\Old\\Holder\\Inner", target);
  const std::string old = "HKEY_CURRENT_USER\\Software\\Old";
  AddTicked(Row(old + "\\Link", "", RepairKind::Key));
  AddTicked(Row(old, "Link", RepairKind::SubkeyNamedByValue));
  AddTicked(Row(old + "\\Holder", "", RepairKind::Key));
  const auto before = testsupport::TakeSnapshot(registry_, kHkeyCurrentUser, "Software");

  EXPECT_EQ(Walk().ticked, 3u);
  EXPECT_EQ(results_.Count(), 3u);
  EXPECT_EQ(testsupport::TakeSnapshot(registry_, kHkeyCurrentUser, "Software"), before);
  EXPECT_FALSE(files_.FileExists(kFile));
}

// Checked again right before the deletion: a subkey that became a link after the backup was
// read is not deleted by its name, which would delete what it leads to.
TEST_F(Repair, AKeyThatBecameALinkSinceItsBackupIsNotDeletedThroughIt) {
  Put("Software\\Target", "Kept", TextValue("x"));
  Put("Software\\Old\\Gone\\Sub", "", TextValue("y"));
  Put("Software\\Old\\Values", "Path", TextValue("C:\\x"));
  const std::string old = "HKEY_CURRENT_USER\\Software\\Old\\";
  AddTicked(Row(old + "Gone", "", RepairKind::Key));
  AddTicked(Row(old + "Values", "Path", RepairKind::ValueNamedByValue));
  bool swapped = false;
  // The value, queued first, goes first; by then the subkey is a link.
  registry_.SetBeforeDeletion([&] {
    if (std::exchange(swapped, true)) return;
    RegistryAccess(registry_).DeleteKey("Software\\Old\\Gone\\Sub");
    registry_.AddLink(kHkeyCurrentUser, "Software\\Old\\Gone\\Sub",
                      MemoryRegistry::FullName(kHkeyCurrentUser, "Software\\Target"));
  });

  Walk();
  EXPECT_EQ(KeysLeft(), std::vector<std::string>{old + "Gone"});
  RegistryAccess target(registry_);
  ASSERT_TRUE(target.OpenKey("Software\\Target", false));
  EXPECT_EQ(target.ReadText("Kept"), "x");
}

TEST_F(Repair, AFullDiskEndsTheWalkAndNothingOfTheGroupItCouldNotBackUpIsDeleted) {
  for (const char* name : {"One", "Two", "Three"}) {
    Put("Software\\Old\\Values", name, TextValue(std::string("C:\\") + name));
    AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", name, RepairKind::ValueNamedByValue));
  }
  const testsupport::RegistrySnapshot before = Snapshot();
  files_.SetSpaceLeft(60);

  const RepairWalk walk = Walk();
  EXPECT_NE(walk.failure.find(kFile), std::string::npos) << walk.failure;
  EXPECT_EQ(results_.TickedCount(), 3u);
  EXPECT_EQ(Snapshot(), before);
}

// Rows that touch one another (a key and a value in it, a row twice, a key and its subkey)
// between rows that do not, on a registry of their own.
struct TouchingRows {
  TouchingRows() {
    files.AddDrive('C', DriveType::Fixed);
    files.AddFolder(kBackupFolder);
    const std::string root = "HKEY_CURRENT_USER\\Software\\Old\\";
    for (const char* name : {"A", "B", "C", "D"}) {
      PutValue(registry, kHkeyCurrentUser, "Software\\Old\\Values", name, TextValue(name));
      Add(root + "Values", name, RepairKind::ValueNamedByValue);
    }
    PutValue(registry, kHkeyCurrentUser, "Software\\Old\\Tree", "", TextValue("top"));
    PutValue(registry, kHkeyCurrentUser, "Software\\Old\\Tree\\Sub", "S", NumberValue(3));
    Add(root + "Tree", "Sub", RepairKind::SubkeyNamedByValue);
    Add(root + "Tree", "", RepairKind::Key);
    Add(root + "Tree", "", RepairKind::DefaultValue);
    Add(root + "Values", "B", RepairKind::ValueNamedByValue);
    Add(root + "Values\\C", "", RepairKind::ValueInKeyText);
    before = testsupport::TakeSnapshot(registry, kHkeyCurrentUser, kTop);
  }
  void Add(const std::string& key, const std::string& value, RepairKind kind) {
    results.Add(Row(key, value, kind));
    results.SetTicked(results.Count() - 1, true);
  }
  RepairWalk Walk(std::size_t groupItems) {
    RowRepairer repairer(registry, files, kFile, {groupItems, 1 << 20, std::chrono::hours(1)});
    testsupport::SilentProgress progress;
    return RepairTickedRows(results, repairer, progress);
  }
  testsupport::RegistrySnapshot Snapshot() {
    return testsupport::TakeSnapshot(registry, kHkeyCurrentUser, kTop);
  }

  MemoryRegistry registry;
  MemoryFileSystem files;
  ResultsModel results;
  testsupport::RegistrySnapshot before;
};

TEST(RepairGroups, WriteTheBytesOfItemByItemAndRepairTheSameRows) {
  TouchingRows single;
  TouchingRows grouped;
  const RepairWalk one = single.Walk(1);
  const RepairWalk many = grouped.Walk(100);
  EXPECT_EQ(grouped.files.FileContents(kFile), single.files.FileContents(kFile));
  EXPECT_EQ(many.repaired, one.repaired);
  EXPECT_EQ(grouped.Snapshot(), single.Snapshot());
  // The default value went before its key; the subkey and the values named twice were gone
  // when their rows came.
  EXPECT_EQ(many.repaired,
            (std::vector<bool>{true, false, false, true, false, true, true, true, true}));
}

// A program killed between a group's flush and its deletions, or between two deletions of one
// group, has every item it deleted in the backup file.
TEST(RepairGroups, AKillAtAnyDeletionLeavesABackupThatRestoresEverything) {
  struct Killed {};
  for (int killAt = 0; killAt < 7; ++killAt) {
    TouchingRows rows;
    int deletions = 0;
    rows.registry.SetBeforeDeletion([&] {
      if (deletions++ == killAt) throw Killed{};
    });
    EXPECT_THROW(rows.Walk(3), Killed) << killAt;
    rows.registry.SetBeforeDeletion(nullptr);
    const std::optional<std::string> backup = rows.files.FileContents(kFile);
    ASSERT_TRUE(backup.has_value()) << killAt;
    ApplyRegFile(rows.registry, ParseRegFile(*backup));
    EXPECT_EQ(rows.Snapshot(), rows.before) << "killed at deletion " << killAt;
  }
}

class RepairRun : public Repair {
 protected:
  void SetUp() override {
    Repair::SetUp();
    settings_.showRepairSummary = true;
  }
  RepairOutcome Run(WindowsVersion windowsVersion = WindowsVersion::Windows7) {
    return run_.Run(results_, registry_, files_, windowsVersion);
  }

  testsupport::RepairHarness run_{kBackupFolder};
  Settings& settings_ = run_.settings;
  Leftovers& leftovers_ = run_.leftovers;
  testsupport::RecordingPrompts& prompts_ = run_.prompts;
  std::string& backupFile_ = run_.backup.file;
};

TEST_F(RepairRun, AMissingBackupFolderIsMadeOnlyWhenTheUserAgrees) {
  settings_.backupFolder = "C:\\Backup\\New\\Deeper";
  Put("Software\\Old\\Values", "Path", TextValue("C:\\x"));
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Path", RepairKind::ValueNamedByValue));
  prompts_.createFolder = false;
  EXPECT_EQ(Run(), RepairOutcome::Abandoned);
  EXPECT_EQ(prompts_.questions,
            std::vector<std::string>{"C:\\Backup\\New\\Deeper,The backup directory does not "
                                     "exist.\r\ncreates a new directory?"});
  EXPECT_FALSE(files_.DirectoryExists("C:\\Backup\\New"));
  EXPECT_EQ(results_.Count(), 1u);
  EXPECT_TRUE(backupFile_.empty());

  // With an empty list, agreeing makes the folder and nothing else happens.
  results_.Clear();
  prompts_.createFolder = true;
  EXPECT_EQ(Run(), RepairOutcome::Repaired);
  EXPECT_TRUE(files_.DirectoryExists("C:\\Backup\\New\\Deeper"));
  EXPECT_TRUE(backupFile_.empty());
  EXPECT_EQ(prompts_.resultsShown, 0);
  EXPECT_TRUE(prompts_.summaries.empty());
}

TEST_F(RepairRun, AFolderThatCannotBeMadeEndsTheRunAndSaysWhy) {
  settings_.backupFolder = "C:\\Locked\\Backup";
  files_.AddFolder("C:\\Locked");
  files_.SetWritable("C:\\Locked", false);
  Put("Software\\Old\\Values", "Path", TextValue("C:\\x"));
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Path", RepairKind::ValueNamedByValue));
  EXPECT_EQ(Run(), RepairOutcome::Abandoned);
  EXPECT_EQ(prompts_.questions.size(), 1u);
  EXPECT_EQ(results_.Count(), 1u);
  EXPECT_EQ(Snapshot().at("Values").count("Path"), 1u);
  EXPECT_EQ(prompts_.failures,
            (std::vector<std::string>{"Cannot create the folder \"C:\\Locked\\Backup\". "
                                      "Access is denied."}));
}

TEST_F(RepairRun, ABackupThatReadsBackAlteredEndsTheRunBeforeItsItemIsDeleted) {
  files_.AddShortcut("C:\\Links\\Old.lnk", "C:\\Gone\\a.exe");
  AddTicked(Row("C:\\Links\\Old.lnk", "", RepairKind::ShortcutFile));
  Put("Software\\Old\\Values", "Path", TextValue("C:\\x"));
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Path", RepairKind::ValueNamedByValue));
  const testsupport::RegistrySnapshot before = Snapshot();
  files_.SetReadsCorrupted(true);
  EXPECT_EQ(Run(), RepairOutcome::Abandoned);
  EXPECT_EQ(prompts_.failures,
            std::vector<std::string>{"Cannot write to file \"" + std::string(kFile) +
                                     "\". The file does not read back as it was written."});
  EXPECT_EQ(Snapshot(), before);
  // The walk ends at the value's row; the shortcut's row above it is never reached.
  EXPECT_EQ(results_.TickedCount(), 2u);
  EXPECT_TRUE(files_.FileExists("C:\\Links\\Old.lnk"));
  EXPECT_TRUE(leftovers_.empty());
  EXPECT_TRUE(prompts_.summaries.empty());
}

TEST_F(RepairRun, AStopAfterAGroupLeavesTheRowsNotReachedAndNoSummary) {
  for (const char* name : {"One", "Two", "Three", "Four", "Five"}) {
    Put("Software\\Old\\Values", name, TextValue(name));
    AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", name, RepairKind::ValueNamedByValue));
  }
  const testsupport::RegistrySnapshot before = Snapshot();
  run_.groupLimits.items = 2;
  prompts_.stopAfterGroups = 1;
  EXPECT_EQ(Run(), RepairOutcome::Abandoned);
  const std::string values = "HKEY_CURRENT_USER\\Software\\Old\\Values";
  EXPECT_EQ(leftovers_, (Leftovers{{values, "One"}, {values, "Two"}, {values, "Three"}}));
  EXPECT_TRUE(results_.Empty());
  EXPECT_TRUE(prompts_.summaries.empty());
  EXPECT_TRUE(prompts_.checkedAgain.empty());
  EXPECT_EQ(Snapshot().at("Values").size(), 3u);
  ImportBackup();
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(RepairRun, TheRestorePointIsAskedForOnlyWhereItExistsAndCanCancelTheRun) {
  Put("Software\\Old\\Values", "Path", TextValue("C:\\x"));
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Path", RepairKind::ValueNamedByValue));
  settings_.createRestorePoint = true;
  prompts_.restorePointGoesOn = false;
  EXPECT_EQ(Run(WindowsVersion::WindowsXp), RepairOutcome::Abandoned);
  EXPECT_EQ(prompts_.restorePoints, 1);
  EXPECT_EQ(results_.Count(), 1u);
  EXPECT_TRUE(backupFile_.empty());
  EXPECT_EQ(Snapshot().at("Values").count("Path"), 1u);

  // Windows Me has no such service: the repair goes on without asking.
  EXPECT_EQ(Run(WindowsVersion::WindowsMe), RepairOutcome::Repaired);
  EXPECT_EQ(prompts_.restorePoints, 1);
  EXPECT_TRUE(results_.Empty());
  EXPECT_EQ(backupFile_, kFile);
}

TEST_F(RepairRun, RowsLeftAfterTheWalkBecomeLeftoversAndTheSummaryCountsEveryTickedRow) {
  Put("Software\\Old\\Values", "Path", TextValue("C:\\x"));
  Put("Software\\Old\\Values", "Kept", TextValue("C:\\y"));
  ProblemRecord goneAlready = Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Gone already",
                                  RepairKind::ValueNamedByValue);
  goneAlready.category = ScanCategory::SharedDlls;
  AddTicked(goneAlready);
  ProblemRecord kept =
      Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Kept", RepairKind::ValueNamedByValue);
  kept.category = ScanCategory::Applications;
  results_.Add(kept);
  ProblemRecord path =
      Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Path", RepairKind::ValueNamedByValue);
  path.category = ScanCategory::Installer;
  AddTicked(path);
  settings_.beepWhenDone = true;
  prompts_.foundByCheck = 4;
  // The row whose value was gone already stays ticked.
  EXPECT_EQ(Run(), RepairOutcome::RowsLeft);
  EXPECT_TRUE(results_.Empty());
  const std::string values = "HKEY_CURRENT_USER\\Software\\Old\\Values";
  EXPECT_EQ(leftovers_, (Leftovers{{values, "Gone already"}, {values, "Kept"}}));
  EXPECT_EQ(prompts_.summaries, std::vector<std::size_t>{2});
  // Only what the walk repaired is checked again, before the summary that counts it.
  EXPECT_EQ(prompts_.checkedAgain,
            std::vector<std::vector<ScanCategory>>{{ScanCategory::Installer}});
  EXPECT_EQ(prompts_.foundAfterRepair, std::vector<std::size_t>{4});
  EXPECT_EQ(prompts_.resultsShown, 1);
  EXPECT_EQ(prompts_.beeps, 1);
  EXPECT_EQ(Snapshot().at("Values").count("Kept"), 1u);

  settings_.showRepairSummary = false;
  settings_.beepWhenDone = false;
  AddTicked(Row("HKEY_CURRENT_USER\\Software\\Old\\Values", "Kept", RepairKind::ValueNamedByValue));
  EXPECT_EQ(Run(), RepairOutcome::Repaired);
  EXPECT_EQ(prompts_.summaries.size(), 1u);
  EXPECT_EQ(prompts_.beeps, 1);
  EXPECT_EQ(Snapshot().at("Values").count("Kept"), 0u);
}

}  // namespace
}  // namespace kelvane
