#include "main/CommandLine.h"

#include "platform/Text.h"

namespace kelvane {

StartMode StartModeOf(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return StartMode::Window;
  if (SameTextAscii(arguments[0], "-report")) return StartMode::Report;
  if (SameTextAscii(arguments[0], "-cleanonce")) return StartMode::CleanOnce;
  return StartMode::Usage;
}

std::string UsageText() {
  return "Usage: Kelvane.exe [-report FILE | -cleanonce]\r\n"
         "  (nothing)     shows the main window\r\n"
         "  -report FILE  scans the categories ticked in options.ini and writes the text report "
         "to FILE, without a window\r\n"
         "  -cleanonce    scans the ticked categories and repairs every problem found, without "
         "the main window\r\n"
         "Exit codes: 0 done, 1 failed, 2 wrong arguments, 3 problems left after -cleanonce, "
         "4 -cleanonce while the program is running";
}

std::string AlreadyRunningLine() {
  return "clean-once: the program is already running; nothing was scanned or repaired";
}

}  // namespace kelvane
