// Reports for machines: CSV (RFC 4180, with a byte-order mark for spreadsheet programs) and
// JSON Lines (a header object, then one object per row), both UTF-8 with lines ending in CR LF.
// Field names are stable; a change of meaning raises kReportSchemaVersion. The schema is
// docs/report.schema.json.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "global/ScanCategory.h"
#include "scan/ProblemRecord.h"

namespace kelvane {

constexpr int kReportSchemaVersion = 1;

enum class ReportFormat { Text, Csv, JsonLines };

// "text", "csv" or "jsonl", in any case; none for another name.
std::optional<ReportFormat> ReportFormatNamed(const std::string& name);
// By the file's extension: ".csv", ".jsonl" (or ".ndjson"); any other is text.
ReportFormat ReportFormatOfFile(const std::string& path);

// What happened to a row: found by a report, or, in an unattended repair, repaired (with the
// backup file that holds what was deleted) or left.
enum class RowOutcome { Found, Repaired, Left };

struct ReportedRow {
  ProblemRecord record;
  bool ignored = false;  // an ignore list or an earlier repair hides it from the list
  RowOutcome outcome = RowOutcome::Found;
  std::string backupFile;
};

struct ReportHeader {
  std::string programVersion;
  std::string computer;
  std::string user;
  std::string started;  // UTC, ISO 8601
  std::string ended;
  std::vector<ScanCategory> categories;
};

std::vector<std::string> CsvReportLines(const std::vector<ReportedRow>& rows);
std::vector<std::string> JsonLinesReportLines(const ReportHeader& header,
                                              const std::vector<ReportedRow>& rows);

}  // namespace kelvane
