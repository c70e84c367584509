#include "results/ReportRun.h"

#include "global/Localization.h"
#include "global/Settings.h"
#include "results/IgnoreLists.h"
#include "results/ResultsModel.h"
#include "results/TextReport.h"
#include "scan/CategoryTree.h"
#include "scan/SilentScan.h"

namespace kelvane {
namespace {

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
  const SilentScanResult scan =
      ScanSilently(registry, files, system, language,
                   ScanOptions{settings.judgeRemovableMedia, settings.judgeCdDrives,
                               settings.scan64Bit},
                   header.categories);
  header.ended = facts.utcNow();
  if (scan.failure) return {false, *scan.failure};

  ReportOutcome outcome{true};
  const HiddenRows hidden(settings, Leftovers{});
  std::vector<ReportedRow> rows;
  for (const ProblemRecord& record : scan.rows) {
    const bool ignored = hidden.Hides(record);
    rows.push_back({record, ignored});
    if (ignored) {
      ++outcome.ignored;
    } else {
      ++outcome.rows;
      if (record.certainty == Certainty::Certain) ++outcome.certain;
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
