#include "repair/QuietCleanOnce.h"

#include <algorithm>

#include "global/Localization.h"
#include "global/Settings.h"
#include "results/IgnoreLists.h"
#include "scan/CategoryTree.h"
#include "scan/SilentScan.h"

namespace kelvane {
namespace {

class NoProgress : public RepairProgress {
 public:
  void RowsDone(std::size_t, std::size_t) override {}
  bool StopRequested() override { return false; }
};

// Scans on the calling thread; the rows the ignore lists or earlier repairs hide are kept for
// the report, marked, and stay out of the list.
class QuietScan {
 public:
  QuietScan(RepairContext& context, SystemAccess& system, const Settings& settings,
            const Language& language, const Leftovers& leftovers,
            std::vector<ReportedRow>& reported)
      : context_(context),
        system_(system),
        settings_(settings),
        language_(language),
        leftovers_(leftovers),
        reported_(reported) {}

  // The failure's line, or none when the scan ran to its end.
  std::optional<std::string> Run(const std::vector<ScanCategory>& tasks, ResultsModel& results) {
    SilentScanResult scan =
        ScanSilently(context_.registry, context_.files, system_, language_,
                     ScanOptions{settings_.judgeRemovableMedia, settings_.judgeCdDrives,
                                 settings_.scan64Bit},
                     tasks);
    if (scan.failure) return scan.failure;
    const HiddenRows hidden(settings_, leftovers_);
    results.Clear();
    for (ProblemRecord& row : scan.rows) {
      if (hidden.Hides(row)) {
        // A row an earlier pass left is reported once, by that pass.
        if (!IsLeftover(row)) reported_.push_back({row, true});
        continue;
      }
      results.Add(std::move(row));
    }
    results.TickFound(false);
    return std::nullopt;
  }

 private:
  bool IsLeftover(const ProblemRecord& row) const {
    return std::find(leftovers_.begin(), leftovers_.end(), Leftover{row.key, row.value}) !=
           leftovers_.end();
  }

  RepairContext& context_;
  SystemAccess& system_;
  const Settings& settings_;
  const Language& language_;
  const Leftovers& leftovers_;
  std::vector<ReportedRow>& reported_;
};

class QuietPrompts : public RepairPrompts {
 public:
  QuietPrompts(QuietScan& scan, ResultsModel& results, const std::string& backupFolder,
               const std::function<bool()>& restorePoint)
      : scan_(scan), results_(results), backupFolder_(backupFolder), restorePoint_(restorePoint) {}

  bool AskCreateBackupFolder(const std::string&) override {
    failure = "the backup folder \"" + backupFolder_ + "\" does not exist; nothing was repaired";
    return false;
  }
  bool CreateRestorePoint() override {
    if (restorePoint_()) return true;
    failure = "the restore point could not be created; nothing was repaired";
    return false;
  }
  RepairWalk RunWalk(const std::function<RepairWalk(RepairProgress&)>& walk) override {
    NoProgress progress;
    return walk(progress);
  }
  void ShowResults() override {}
  std::size_t CheckAgain(const std::vector<ScanCategory>& categories) override {
    if (const std::optional<std::string> failed = scan_.Run(categories, results_)) {
      failure = "the check after the repair failed: " + *failed;
    }
    listRecorded = false;
    return results_.Count();
  }
  void ShowSummary(std::size_t, std::size_t) override {}
  void ShowFailure(const std::string& message) override { failure = message; }
  void Beep() override {}

  std::string failure;
  // Whether the rows in the list are in the report already.
  bool listRecorded = false;

 private:
  QuietScan& scan_;
  ResultsModel& results_;
  const std::string& backupFolder_;
  const std::function<bool()>& restorePoint_;
};

bool Holds(const std::vector<ProblemRecord>& rows, const ProblemRecord& row) {
  return std::any_of(rows.begin(), rows.end(), [&](const ProblemRecord& other) {
    return other.key == row.key && other.value == row.value;
  });
}

std::vector<ProblemRecord> RecordsOf(const ResultsModel& results) {
  std::vector<ProblemRecord> records;
  for (const ResultRow& row : results.Rows()) records.push_back(row.record);
  return records;
}

}  // namespace

QuietCleanOnceOutcome RunQuietCleanOnce(RepairContext& context, SystemAccess& system,
                                        ProfileStore& profiles, const std::string& programFolder,
                                        const std::function<bool()>& createRestorePoint) {
  QuietCleanOnceOutcome outcome;
  const Settings settings = LoadSettings(profiles, programFolder, PixelSize{}, PixelSize{});
  const Language language(profiles, programFolder, settings.languageName);
  CategoryTree tree;
  tree.Restore(settings);
  outcome.categories = tree.Collect();

  Leftovers leftovers;
  ResultsModel results;
  QuietScan scan(context, system, settings, language, leftovers, outcome.rows);
  if (const std::optional<std::string> failed = scan.Run(outcome.categories, results)) {
    outcome.exitCode = CleanOnceExitCode(std::nullopt);
    outcome.failure = failed.value();
    outcome.line = "clean-once: " + outcome.failure;
    return outcome;
  }

  QuietPrompts prompts(scan, results, settings.backupFolder, createRestorePoint);
  CleanOnceTally tally;
  const RepairOutcome repair = RepairInPasses(results, [&] {
    std::vector<ProblemRecord> before;
    std::vector<bool> ticked;
    for (const ResultRow& row : results.Rows()) {
      before.push_back(row.record);
      ticked.push_back(row.ticked);
    }
    RunBackupFiles backup;
    prompts.listRecorded = true;
    const RepairOutcome pass =
        RunRepair(results, leftovers, settings, language, context, prompts, backup);
    // The check after the pass may have refilled the list; what the pass kept went to the
    // leftovers, or stayed in the list when the pass ended early.
    std::vector<ProblemRecord> kept = prompts.listRecorded ? RecordsOf(results)
                                                           : std::vector<ProblemRecord>{};
    for (const Leftover& leftover : leftovers) kept.push_back({"", leftover.key, leftover.value});
    for (std::size_t row = 0; row < before.size(); ++row) {
      const bool repaired = ticked[row] && !Holds(kept, before[row]);
      outcome.rows.push_back({before[row], false,
                              repaired ? RowOutcome::Repaired : RowOutcome::Left,
                              repaired ? backup.FileOfRow(row) : ""});
    }
    // The files the pass wrote; passes within one second append to the same ones.
    std::vector<std::string>& files = outcome.backupFiles;
    for (const std::string& file : {backup.file, backup.UnicodeFile()}) {
      if (!file.empty() && context.files.FileExists(file) &&
          std::find(files.begin(), files.end(), file) == files.end()) {
        files.push_back(file);
      }
    }
    return pass;
  }, tally);
  // Rows for review, and certain ones found after the last pass, stay in the list.
  if (!prompts.listRecorded) {
    for (const ResultRow& row : results.Rows()) {
      outcome.rows.push_back({row.record, false, RowOutcome::Left});
    }
  }
  outcome.exitCode = CleanOnceExitCode(repair);
  outcome.failure = prompts.failure;
  outcome.line = CleanOnceRepairLine(tally, repair);
  return outcome;
}

std::string CleanOnceSummaryLine(const QuietCleanOnceOutcome& outcome,
                                 const std::string& reportPath) {
  std::string line = outcome.line + "; exit code " + std::to_string(outcome.exitCode);
  for (const std::string& file : outcome.backupFiles) line += "; backup " + file;
  if (!reportPath.empty()) line += "; report " + reportPath;
  return line;
}

}  // namespace kelvane
