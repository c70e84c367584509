// Repair against the live registry and files: everything it deletes comes back when the
// system's registry editor imports the run's backup file.
#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "backup/BackupRecord.h"
#include "tests/conformance/RegistryScratchTest.h"
#include "tests/support/RepairHarness.h"

namespace kelvane {
namespace {

using testsupport::NumberValue;
using testsupport::PutValue;
using testsupport::Raw;
using testsupport::TextValue;

constexpr char kRunFileName[] = "Backup20100305090702.reg";

// The first line where two exports differ, to keep a failure's message short.
std::string FirstDifference(const std::string& before, const std::string& after) {
  std::size_t at = 0;
  while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
  const std::size_t newline = before.rfind('\n', at);
  const std::size_t lineStart = newline == std::string::npos ? 0 : newline + 1;
  return "before: " + before.substr(lineStart, 160) + "\nafter:  " + after.substr(lineStart, 160);
}

class RepairConformance : public RegistryScratchTest {
 protected:
  void SetUp() override {
    RegistryScratchTest::SetUp();
    run_.settings.backupFolder = files_->ScratchFolder() + "Backup";
    run_.settings.showRepairSummary = true;
  }

  void Put(const std::string& below, const std::string& name, const RawValue& value) {
    PutValue(*registry_, kHkeyCurrentUser, std::string(kConformanceScratchKey) + "\\" + below,
             name, value);
  }
  std::string KeyText(const std::string& below) {
    return std::string("HKEY_CURRENT_USER\\") + kConformanceScratchKey + "\\" + below;
  }
  void AddTicked(const std::string& key, const std::string& value, RepairKind kind) {
    results_.Add(ProblemRecord{"Invalid", key, value, kind});
    results_.SetTicked(results_.Count() - 1, true);
  }
  RepairOutcome Run() {
    return run_.Run(results_, *registry_, files_->FileSystem(), WindowsVersion::WindowsVista);
  }

  ResultsModel results_;
  testsupport::RepairHarness run_{""};
};

TEST_F(RepairConformance, RowsOfEveryKindComeBackWhenTheBackupIsImported) {
  const std::string scratch = kConformanceScratchKey;
  testsupport::PutEveryValueType(*registry_, kHkeyCurrentUser, scratch + "\\Whole");
  testsupport::PutEveryValueType(*registry_, kHkeyCurrentUser, scratch + "\\Classes\\{X}");
  Put("A\\B", "Val", Raw(RegType::MultiSz, std::string("x\0y\0\0", 5)));
  Put("A\\B", "Other", TextValue("stays"));
  Put("Named", "Expand", Raw(RegType::ExpandSz, std::string("%TEMP%\\x\0", 9)));
  Put("Named", "Kept", NumberValue(0xFFFFFFFFu));
  Put("Count", "N_o.1", Raw(RegType::Binary, std::string(72, '\x05')));
  Put("Count", "A_b.1", Raw(RegType::Binary, std::string(72, '\x06')));
  Put("Def", "", Raw(RegType::Qword, "\x01\x02\x03\x04\x05\x06\x07\x08"));
  Put("Def", "Beside", TextValue("C:\\x"));
  const std::string shortcut = files_->ScratchFolder() + "Old.lnk";
  files_->MakeShortcut(shortcut, "C:\\KelvaneGone\\old.exe");

  AddTicked(KeyText("Missing"), "", RepairKind::Key);
  AddTicked(KeyText("Whole"), "", RepairKind::Key);
  AddTicked(KeyText("A\\B\\Val"), "", RepairKind::ValueInKeyText);
  AddTicked(KeyText("Named"), "Expand", RepairKind::ValueNamedByValue);
  AddTicked(KeyText("Classes"), "{X}", RepairKind::SubkeyNamedByValue);
  AddTicked(shortcut, "", RepairKind::ShortcutFile);
  AddTicked(KeyText("Def"), "", RepairKind::DefaultValue);
  AddTicked(KeyText("Count"), "A_b.1", RepairKind::EncodedValueName);
  const std::string before = ExportRegistry(*registry_, *files_);

  // The missing key's row is left.
  EXPECT_EQ(Run(), RepairOutcome::RowsLeft);
  EXPECT_TRUE(run_.prompts.failures.empty());
  EXPECT_EQ(run_.prompts.summaries, std::vector<std::size_t>{8});
  EXPECT_EQ(run_.leftovers, (Leftovers{{KeyText("Missing"), ""}}));
  EXPECT_EQ(run_.backup.file, run_.settings.backupFolder + "\\" + kRunFileName);
  const testsupport::RegistrySnapshot repaired = Snapshot();
  EXPECT_EQ(repaired.count("Whole"), 0u);
  EXPECT_EQ(repaired.count("Classes\\{X}"), 0u);
  EXPECT_EQ(repaired.at("A\\B").size(), 1u);
  EXPECT_EQ(repaired.at("Named").size(), 1u);
  // The stored name is the shown one rotated by 13.
  EXPECT_EQ(repaired.at("Count").count("N_o.1"), 0u);
  EXPECT_EQ(repaired.at("Count").count("A_b.1"), 1u);
  EXPECT_EQ(repaired.at("Def").size(), 1u);
  EXPECT_FALSE(files_->FileSystem().FileExists(shortcut));

  // The run recorded its file as its own; apart from that record, the import gives back
  // everything as it was.
  const std::optional<std::string> written =
      files_->FileSystem().ReadFileEnd(run_.backup.file, std::numeric_limits<std::size_t>::max());
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(OriginOf(LoadBackupRecord(*registry_, kRunFileName), *written), BackupOrigin::Written);
  RegistryAccess records(*registry_);
  records.SetRootKey(kHkeyLocalMachine);
  EXPECT_TRUE(records.DeleteKey("Software\\Tessaly"));

  ImportRegFile(*registry_, *files_, run_.backup.file);
  const std::string after = ExportRegistry(*registry_, *files_);
  EXPECT_TRUE(after == before) << FirstDifference(before, after);
}

TEST_F(RepairConformance, ABackupFileThatCannotBeWrittenDeletesNothing) {
  files_->MakeFolder(run_.settings.backupFolder);
  // A folder where the run's file would go: the file can be neither made nor opened.
  files_->MakeFolder(run_.settings.backupFolder + "\\" + kRunFileName);
  Put("Values", "Path", TextValue("C:\\KelvaneGone\\a.exe"));
  Put("Tree\\Sub", "", TextValue("C:\\KelvaneGone\\b.exe"));
  AddTicked(KeyText("Tree"), "", RepairKind::Key);
  AddTicked(KeyText("Values"), "Path", RepairKind::ValueNamedByValue);
  const testsupport::RegistrySnapshot before = Snapshot();

  EXPECT_EQ(Run(), RepairOutcome::Abandoned);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(results_.TickedCount(), 2u);
  ASSERT_EQ(run_.prompts.failures.size(), 1u);
  const std::string& failure = run_.prompts.failures[0];
  EXPECT_NE(failure.find(kRunFileName), std::string::npos) << failure;
  EXPECT_TRUE(run_.prompts.summaries.empty());
}

}  // namespace
}  // namespace kelvane
