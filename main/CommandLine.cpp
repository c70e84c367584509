#include "main/CommandLine.h"

#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr std::size_t kMostReportsKept = 10000;

StartRequest Usage() { return StartRequest{StartMode::Usage}; }

// A whole number from 1 to kMostReportsKept; none otherwise.
std::optional<std::size_t> ReportsToKeep(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  std::size_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  if (number == 0 || number > kMostReportsKept) return std::nullopt;
  return number;
}

}  // namespace

StartRequest ParseCommandLine(const std::vector<std::string>& arguments) {
  StartRequest request;
  if (arguments.empty()) return request;
  std::size_t next = 1;
  if (SameTextAscii(arguments[0], "-report")) {
    request.mode = StartMode::Report;
    request.quiet = true;
    if (arguments.size() < 2) return request;
    request.reportPath = arguments[1];
    next = 2;
  } else if (SameTextAscii(arguments[0], "-cleanonce")) {
    request.mode = StartMode::CleanOnce;
  } else {
    return Usage();
  }
  for (; next < arguments.size(); ++next) {
    const std::string& argument = arguments[next];
    const bool hasValue = next + 1 < arguments.size();
    if (SameTextAscii(argument, "-quiet")) {
      request.quiet = true;
    } else if (SameTextAscii(argument, "-exitcode") && request.mode == StartMode::Report) {
      request.exitCode = true;
    } else if (SameTextAscii(argument, "-report") && request.mode == StartMode::CleanOnce &&
               hasValue && !request.WantsReport()) {
      request.reportPath = arguments[++next];
      request.quiet = true;
    } else if (SameTextAscii(argument, "-keep") && request.mode == StartMode::Report &&
               hasValue && !request.keep) {
      request.keep = ReportsToKeep(arguments[++next]);
      if (!request.keep) return Usage();
    } else if (SameTextAscii(argument, "-format") && hasValue && !request.format) {
      request.format = ReportFormatNamed(arguments[++next]);
      if (!request.format) return Usage();
    } else {
      return Usage();
    }
  }
  if (request.format && !request.WantsReport()) return Usage();
  return request;
}

std::string UsageText() {
  return "Usage: Kelvane.exe [-report FILE [-format text|csv|jsonl] [-exitcode] [-keep N] | "
         "-cleanonce "
         "[-quiet] [-report FILE [-format text|csv|jsonl]]]\r\n"
         "  (nothing)     shows the main window\r\n"
         "  -report FILE  scans the categories ticked in options.ini and writes the report to "
         "FILE, without any window; .csv and .jsonl files get the machine reports\r\n"
         "  -format NAME  the report's format, whatever FILE's extension\r\n"
         "  -exitcode     with -report: exits with 0 when no certain problem was found, 1 when "
         "some were, 5 when the scan or the report failed\r\n"
         "  -keep N       with -report: of the reports named as FILE, whose \"*\" becomes the "
         "time of each run, only the newest N are kept\r\n"
         "  -cleanonce    scans the ticked categories and repairs every certain problem found, "
         "without the main window\r\n"
         "  -quiet        with -cleanonce: no window of any kind, no question; implied by "
         "-report\r\n"
         "Exit codes: 0 done, 1 failed, 2 wrong arguments, 3 problems left after -cleanonce, "
         "4 -cleanonce while the program is running";
}

std::string AlreadyRunningLine() {
  return "clean-once: the program is already running; nothing was scanned or repaired";
}

}  // namespace kelvane
