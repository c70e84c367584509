// Repair against the live registry and files: everything it deletes comes back when the
// system's registry editor imports the run's backup file.
#include <gtest/gtest.h>

#include "global/Localization.h"
#include "main/RepairRun.h"
#include "platform/PortableProfileStore.h"
#include "platform/RegistryAccess.h"
#include "tests/conformance/FileSystemEnvironment.h"
#include "tests/conformance/RegistryEnvironment.h"
#include "tests/support/RegistrySnapshot.h"

namespace kelvane {
namespace {

using testsupport::NumberValue;
using testsupport::PutValue;
using testsupport::Raw;
using testsupport::TextValue;

constexpr char kRunFileName[] = "Backup20100305090702.reg";

// Agrees to every question and records what the run reported.
class AgreeingPrompts : public RepairPrompts {
 public:
  std::vector<std::size_t> summaries;
  std::vector<std::string> failures;
  bool AskCreateBackupFolder(const std::string&) override { return true; }
  bool CreateRestorePoint() override { return true; }
  void ShowResults() override {}
  void ShowSummary(std::size_t tickedCount) override { summaries.push_back(tickedCount); }
  void ShowFailure(const std::string& message) override { failures.push_back(message); }
  void Beep() override {}
};

// The first line where two exports differ, to keep a failure's message short.
std::string FirstDifference(const std::string& before, const std::string& after) {
  std::size_t at = 0;
  while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
  const std::size_t lineStart = before.rfind('\n', at) == std::string::npos ? 0 : before.rfind('\n', at) + 1;
  return "before: " + before.substr(lineStart, 160) + "\nafter:  " + after.substr(lineStart, 160);
}

class RepairConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_ = MakeConformanceRegistry();
    files_ =
        MakeFileSystemEnvironment(::testing::UnitTest::GetInstance()->current_test_info()->name());
    DeleteScratch();
    settings_.OutputDirectory = files_->ScratchFolder() + "Backup";
    settings_.ShowHint = true;
  }
  void TearDown() override { DeleteScratch(); }

  void DeleteScratch() {
    RegistryAccess access(*registry_);
    access.DeleteKey(kConformanceScratchKey);
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
  void Run() {
    RepairContext context{*registry_, files_->FileSystem(), 11,
                          [] { return LocalDateTime{2010, 3, 5, 9, 7, 2}; }};
    RunRepair(results_, leftovers_, settings_, language_, context, prompts_, backupFile_);
  }
  testsupport::RegistrySnapshot Snapshot() {
    return testsupport::TakeSnapshot(*registry_, kHkeyCurrentUser, kConformanceScratchKey);
  }

  std::unique_ptr<RegistryStore> registry_;
  std::unique_ptr<FileSystemEnvironment> files_;
  PortableProfileStore profiles_;
  std::string lan_ = "English";
  Language language_{profiles_, "", lan_};
  Settings settings_;
  ResultsModel results_;
  Leftovers leftovers_;
  AgreeingPrompts prompts_;
  std::string backupFile_;
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

  Run();
  EXPECT_TRUE(prompts_.failures.empty());
  EXPECT_EQ(prompts_.summaries, std::vector<std::size_t>{8});
  EXPECT_EQ(leftovers_.keys, std::vector<std::string>{KeyText("Missing")});
  EXPECT_EQ(backupFile_, settings_.OutputDirectory + "\\" + kRunFileName);
  const testsupport::RegistrySnapshot repaired = Snapshot();
  EXPECT_EQ(repaired.count("Whole"), 0u);
  EXPECT_EQ(repaired.count("Classes\\{X}"), 0u);
  EXPECT_EQ(repaired.at("A\\B").size(), 1u);
  EXPECT_EQ(repaired.at("Named").size(), 1u);
  EXPECT_EQ(repaired.at("Count").size(), 0u);
  EXPECT_EQ(repaired.at("Def").size(), 1u);
  EXPECT_FALSE(files_->FileSystem().FileExists(shortcut));

  ImportRegFile(*registry_, *files_, backupFile_);
  const std::string after = ExportRegistry(*registry_, *files_);
  EXPECT_TRUE(after == before) << FirstDifference(before, after);
}

TEST_F(RepairConformance, ABackupFileThatCannotBeWrittenDeletesNothing) {
  files_->MakeFolder(settings_.OutputDirectory);
  // A folder where the run's file would go: the file can be neither made nor opened.
  files_->MakeFolder(settings_.OutputDirectory + "\\" + kRunFileName);
  Put("Values", "Path", TextValue("C:\\KelvaneGone\\a.exe"));
  Put("Tree\\Sub", "", TextValue("C:\\KelvaneGone\\b.exe"));
  AddTicked(KeyText("Tree"), "", RepairKind::Key);
  AddTicked(KeyText("Values"), "Path", RepairKind::ValueNamedByValue);
  const testsupport::RegistrySnapshot before = Snapshot();

  Run();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(results_.TickedCount(), 2u);
  ASSERT_EQ(prompts_.failures.size(), 1u);
  EXPECT_NE(prompts_.failures[0].find(kRunFileName), std::string::npos) << prompts_.failures[0];
  EXPECT_TRUE(prompts_.summaries.empty());
}

}  // namespace
}  // namespace kelvane
