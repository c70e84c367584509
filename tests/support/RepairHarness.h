// What a repair run needs besides the registry and the files, in English, with a stand-in for
// its window that answers as told and records what the run showed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "global/Settings.h"
#include "platform/PortableProfileStore.h"
#include "repair/RepairRun.h"

namespace kelvane::testsupport {

// Never asks to stop.
class SilentProgress : public RepairProgress {
 public:
  void RowsDone(std::size_t, std::size_t) override {}
  bool StopRequested() override { return false; }
};

class RecordingPrompts : public RepairPrompts, private RepairProgress {
 public:
  // The walk is asked to stop once this many groups are done.
  std::size_t stopAfterGroups = SIZE_MAX;
  std::size_t groupsDone = 0;
  bool createFolder = true;
  bool restorePointGoesOn = true;
  std::vector<std::string> questions;
  int restorePoints = 0;
  int resultsShown = 0;
  std::vector<std::size_t> summaries;
  std::vector<std::vector<ScanCategory>> checkedAgain;
  std::size_t foundByCheck = 0;
  std::vector<std::size_t> foundAfterRepair;
  std::vector<std::string> failures;
  int beeps = 0;

  bool AskCreateBackupFolder(const std::string& question) override {
    questions.push_back(question);
    return createFolder;
  }
  bool CreateRestorePoint() override {
    ++restorePoints;
    return restorePointGoesOn;
  }
  RepairWalk RunWalk(const std::function<RepairWalk(RepairProgress&)>& walk) override {
    return walk(*this);
  }
  void RowsDone(std::size_t, std::size_t) override {}
  // Asked once after each group.
  bool StopRequested() override { return ++groupsDone >= stopAfterGroups; }
  void ShowResults() override { ++resultsShown; }
  std::size_t CheckAgain(const std::vector<ScanCategory>& categories) override {
    checkedAgain.push_back(categories);
    return foundByCheck;
  }
  void ShowSummary(std::size_t tickedCount, std::size_t foundAfter) override {
    summaries.push_back(tickedCount);
    foundAfterRepair.push_back(foundAfter);
  }
  void ShowFailure(const std::string& message) override { failures.push_back(message); }
  void Beep() override { ++beeps; }
};

// Every run starts on 5 March 2010 at 09:07:02.
struct RepairHarness {
  explicit RepairHarness(std::string backupFolder) { settings.backupFolder = backupFolder; }

  RepairOutcome Run(ResultsModel& results, RegistryStore& registry, FileSystemAccess& files,
                    WindowsVersion windowsVersion) {
    RepairContext context{registry, files, windowsVersion,
                          [] { return LocalDateTime{2010, 3, 5, 9, 7, 2}; }, groupLimits};
    return RunRepair(results, leftovers, settings, language, context, prompts, backup);
  }

  PortableProfileStore profiles;
  std::string lan = "English";
  Language language{profiles, "", lan};
  Settings settings;
  RepairGroupLimits groupLimits;
  Leftovers leftovers;
  RecordingPrompts prompts;
  RunBackupFiles backup;
};

}  // namespace kelvane::testsupport
