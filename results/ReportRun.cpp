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

std::vector<std::string> ReportLinesOf(ReportFormat format, const ReportHeader& header,
                                       const std::vector<ReportedRow>& rows) {
  switch (format) {
    case ReportFormat::Csv: return CsvReportLines(rows);
    case ReportFormat::JsonLines: return JsonLinesReportLines(header, rows);
    case ReportFormat::Text: break;
  }
  ResultsModel inSight;
  for (const ReportedRow& row : rows) {
    if (!row.ignored) inSight.Add(row.record);
  }
  return TextReportLines(inSight);
}

ReportOutcome RunReport(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                        ProfileStore& profiles, const std::string& programFolder,
                        const ReportRequest& request, const ReportFacts& facts) {
  // The window's size plays no part without a window.
  Settings settings = LoadSettings(profiles, programFolder, PixelSize{}, PixelSize{});
  const Language language(profiles, programFolder, settings.languageName);
  CategoryTree tree;
  tree.Restore(settings);

  ReportHeader header{facts.programVersion, facts.computer, facts.user, facts.utcNow(), "",
                      tree.Collect()};
  ResultsModel results;
  CollectingSink sink(results);
  Scanner scanner(registry, files, system, language,
                  ScanOptions{settings.judgeRemovableMedia, settings.judgeCdDrives}, sink);
  scanner.MeasureFloppyDrives();
  scanner.Execute(header.categories);
  header.ended = facts.utcNow();
  if (sink.ended != ScanEnd::Completed) {
    const std::optional<ScanFailure> failure = scanner.Failure();
    return {false, failure ? ScanFailureLine(*failure) : "the scan ended early"};
  }

  ReportOutcome outcome{true};
  const HiddenRows hidden(settings, Leftovers{});
  std::vector<ReportedRow> rows;
  for (const ResultRow& row : results.Rows()) {
    const bool ignored = hidden.Hides(row.record);
    rows.push_back({row.record, ignored});
    if (ignored) {
      ++outcome.ignored;
    } else {
      ++outcome.rows;
      if (row.record.certainty == Certainty::Certain) ++outcome.certain;
    }
  }
  try {
    WriteReportLines(files, request.path, ReportLinesOf(request.format, header, rows));
  } catch (const FileIoError& error) {
    return {false, error.what()};
  }
  return outcome;
}

std::string ReportSummaryLine(const ReportOutcome& outcome, const std::string& path) {
  if (!outcome.written) return "report: failed, no report written";
  return "report: " + std::to_string(outcome.rows) + " problems found (" +
         std::to_string(outcome.certain) + " certain, " +
         std::to_string(outcome.rows - outcome.certain) + " to review, " +
         std::to_string(outcome.ignored) + " ignored); report written to " + path;
}

}  // namespace kelvane
