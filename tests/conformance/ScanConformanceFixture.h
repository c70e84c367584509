// What the scan conformance tests share: the runner's registry, files, system and profiles, a
// mark on every name a test adds, and a scan that keeps only the rows carrying the mark, since
// the live machine has content of its own.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/Scanner.h"
#include "tests/conformance/FileSystemEnvironment.h"
#include "tests/conformance/ProfileEnvironment.h"
#include "tests/conformance/RegistryEnvironment.h"
#include "tests/conformance/SystemEnvironment.h"
#include "tests/support/RecordingSink.h"

namespace kelvane {

class ScanConformanceFixture : public ::testing::Test {
 protected:
  static constexpr char kMark[] = "KelvaneScan";

  static bool IsMarked(const std::string& text) {
    return UpperCaseAscii(text).find(UpperCaseAscii(kMark)) != std::string::npos;
  }

  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    fileEnvironment_ = MakeFileSystemEnvironment(test->name());
    registry_ = MakeConformanceRegistry();
    system_ = MakeConformanceSystem();
    profiles_ = MakeConformanceProfileStore();
    RemoveMarkedEntries();
    folder_ = fileEnvironment_->ScratchFolder() + kMark + "\\";
    fileEnvironment_->MakeFolder(folder_);
  }

  void TearDown() override {
    RemoveMarkedEntries();
    for (const KeyMade& made : keysMade_) {
      RegistryAccess key(*registry_);
      key.SetRootKey(made.root);
      key.DeleteKey(made.path);
    }
  }

  // Removes whatever marked entries the fixture's tests add outside the scratch folder; runs
  // before and after each test, so that a test that failed half-way leaves nothing behind.
  virtual void RemoveMarkedEntries() = 0;

  // Remembers the shortest beginning of the path that does not exist yet, which the test is
  // about to make, so that it goes again after the test.
  void RememberFirstMissingKey(RootKey root, const std::string& path) {
    RegistryAccess key(*registry_);
    key.SetRootKey(root);
    std::size_t start = 0;
    while (start <= path.size()) {
      const std::size_t end = std::min(path.find('\\', start), path.size());
      const std::string prefix = path.substr(0, end);
      if (!key.KeyExists(prefix)) {
        keysMade_.push_back(KeyMade{root, prefix});
        return;
      }
      start = end + 1;
    }
  }

  FileSystemAccess& Files() { return fileEnvironment_->FileSystem(); }
  void MakeFile(const std::string& path) { fileEnvironment_->WriteBytes(path, "MZ"); }

  // Runs the tasks to the end and returns the rows whose RowText carries the mark.
  std::vector<ProblemRecord> MarkedRecords(const std::vector<ScanCategory>& tasks) {
    std::string lan = "English";
    Language language(*profiles_, "C:\\", lan);
    testsupport::RecordingSink sink;
    Scanner worker(*registry_, Files(), *system_, language, ScanOptions{}, sink);
    worker.Execute(tasks);
    EXPECT_EQ(sink.events.back(), "completed");
    std::vector<ProblemRecord> rows;
    for (const ProblemRecord& row : sink.rows) {
      if (!IsMarked(testsupport::RowText(row))) continue;
      rows.push_back(row);
      testsupport::ExpectExplained(row);
    }
    return rows;
  }

  // The marked rows as RowText shows them.
  std::vector<std::string> MarkedRows(const std::vector<ScanCategory>& tasks) {
    std::vector<std::string> rows;
    for (const ProblemRecord& row : MarkedRecords(tasks)) rows.push_back(testsupport::RowText(row));
    return rows;
  }

  std::unique_ptr<FileSystemEnvironment> fileEnvironment_;
  std::unique_ptr<RegistryStore> registry_;
  std::unique_ptr<SystemAccess> system_;
  std::unique_ptr<ProfileStore> profiles_;
  std::string folder_;  // the test's marked folder in its scratch folder, with a backslash

 private:
  struct KeyMade {
    RootKey root;
    std::string path;
  };
  std::vector<KeyMade> keysMade_;
};

}  // namespace kelvane
