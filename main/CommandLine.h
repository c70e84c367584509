// What the program is asked to do by its arguments, and what it answers wrong ones with.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "results/MachineReport.h"

namespace kelvane {

enum class StartMode {
  Window,     // no argument
  Report,     // "-report FILE"
  CleanOnce,  // "-cleanonce"
  Usage,      // anything else, "/?" included
};

struct StartRequest {
  StartMode mode = StartMode::Window;
  std::string reportPath;  // empty when "-report" came without its file
  std::optional<ReportFormat> format;
  // "-exitcode": the report's exit code says whether certain problems were found.
  bool exitCode = false;
  // No window of any kind; "-report" implies it.
  bool quiet = false;
  // "-keep N": of a series of reports ("*" in the file name), the newest N are kept.
  std::optional<std::size_t> keep;

  ReportFormat Format() const { return format.value_or(ReportFormatOfFile(reportPath)); }
  bool WantsReport() const { return !reportPath.empty(); }
};

// The arguments after the program's name; switches in any ASCII case. The first chooses the
// mode; "-report FILE", "-format text|csv|jsonl", "-exitcode", "-keep N" and "-quiet" may
// follow where they make sense, and anything else asks for the usage.
StartRequest ParseCommandLine(const std::vector<std::string>& arguments);

// Exit codes. 0: done (with "-exitcode": no certain problem found).
constexpr int kFailedExitCode = 1;
// With "-exitcode": certain problems were found.
constexpr int kProblemsFoundExitCode = 1;
// A wrong argument, or "-report" without its file.
constexpr int kUsageExitCode = 2;
// "-cleanonce" left rows it could not repair: see CleanOnceExitCode.
// "-cleanonce" while the program's window is open: nothing was scanned or repaired.
constexpr int kAlreadyRunningExitCode = 4;
// With "-exitcode": the scan failed or the report could not be written.
constexpr int kDetectionFailedExitCode = 5;

// The lines that explain the switches.
std::string UsageText();
// The line for standard error when "-cleanonce" finds the program running.
std::string AlreadyRunningLine();

}  // namespace kelvane
