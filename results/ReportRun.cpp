#include "results/ReportRun.h"

#include "global/Localization.h"
#include "global/Settings.h"
#include "results/IgnoreLists.h"
#include "results/ResultsModel.h"
#include "results/TextReport.h"
#include "scan/CategoryTree.h"
#include "scan/ScanFailureMessage.h"
#include "scan/Scanner.h"

namespace kelvane {
namespace {

class CollectingSink : public ScanSink {
 public:
  explicit CollectingSink(ResultsModel& results) : results_(results) {}
  void ShowStatus(const std::string&) override {}
  void ShowKeyProgress(const std::string&) override {}
  void AddProblem(const ProblemRecord& row) override { results_.Add(row); }
  void BeforeTask() override {}
  void AfterTask() override {}
  void ScanEnded(ScanEnd how) override { ended = how; }
  ScanEnd ended = ScanEnd::Failed;

 private:
  ResultsModel& results_;
};

}  // namespace

ReportOutcome RunReport(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                        ProfileStore& profiles, const std::string& programFolder,
                        const std::string& reportPath) {
  // The window's size plays no part without a window.
  Settings settings = LoadSettings(profiles, programFolder, PixelSize{}, PixelSize{});
  const Language language(profiles, programFolder, settings.languageName);
  CategoryTree tree;
  tree.Restore(settings);

  ResultsModel results;
  CollectingSink sink(results);
  Scanner scanner(registry, files, system, language,
                  ScanOptions{settings.judgeRemovableMedia, settings.judgeCdDrives}, sink);
  scanner.MeasureFloppyDrives();
  scanner.Execute(tree.Collect());
  if (sink.ended != ScanEnd::Completed) {
    const std::optional<ScanFailure> failure = scanner.Failure();
    return {false, failure ? ScanFailureLine(*failure) : "the scan ended early", 0};
  }

  results.TickAll(true);
  FilterResults(results, settings, Leftovers{});
  try {
    WriteTextReport(files, reportPath, results);
  } catch (const FileIoError& error) {
    return {false, error.what(), 0};
  }
  return {true, "", results.Count()};
}

}  // namespace kelvane
