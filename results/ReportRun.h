// The unattended report: scans the categories ticked in the settings exactly as the Scan
// command does and writes the report in the format asked for: the text report holds what the
// ignore lists keep in sight, the machine reports every row, marked when a list hides it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystemAccess.h"
#include "platform/ProfileStore.h"
#include "platform/RegistryStore.h"
#include "platform/SystemAccess.h"
#include "results/MachineReport.h"

namespace kelvane {

struct ReportRequest {
  std::string path;
  ReportFormat format = ReportFormat::Text;
};

// What only the running system knows, for the machine reports' header.
struct ReportFacts {
  std::string programVersion;
  std::string computer;
  std::string user;
  std::function<std::string()> utcNow;  // ISO 8601
};

struct ReportOutcome {
  bool written = false;
  std::string failure;  // one line, when not written
  std::size_t rows = 0;  // in sight of the ignore lists
  std::size_t certain = 0;
  std::size_t ignored = 0;
};

ReportOutcome RunReport(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                        ProfileStore& profiles, const std::string& programFolder,
                        const ReportRequest& request, const ReportFacts& facts);

// The report's lines: the text report holds the rows no ignore list hides, the machine
// reports every row.
std::vector<std::string> ReportLinesOf(ReportFormat format, const ReportHeader& header,
                                       const std::vector<ReportedRow>& rows);

// The last line a headless run prints, for a fleet to collect: the same English words in every
// language, well under 2,048 characters.
std::string ReportSummaryLine(const ReportOutcome& outcome, const std::string& path);

}  // namespace kelvane
