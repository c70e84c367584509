// What the program is asked to do by its first argument, and what it answers a wrong one with.
#pragma once

#include <string>
#include <vector>

namespace kelvane {

enum class StartMode {
  Window,     // no argument
  Report,     // "-report FILE"
  CleanOnce,  // "-cleanonce"
  Usage,      // anything else, "/?" included
};

// The arguments after the program's name; switches in any ASCII case.
StartMode StartModeOf(const std::vector<std::string>& arguments);

// A wrong argument, or "-report" without its file.
constexpr int kUsageExitCode = 2;
// "-cleanonce" while the program's window is open: nothing was scanned or repaired.
constexpr int kAlreadyRunningExitCode = 4;

// The lines that explain the switches.
std::string UsageText();
// The line for standard error when "-cleanonce" finds the program running.
std::string AlreadyRunningLine();

}  // namespace kelvane
