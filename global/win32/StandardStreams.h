// Lines on standard output and error, for runs without a window (-report, -cleanonce); nothing
// happens when the program has no such stream.
#pragma once

#include <string>

namespace kelvane {

// Begins with "Kelvane: ".
void WriteStandardError(const std::string& line);
// The line as it is: a fleet collects the last one.
void WriteStandardOutput(const std::string& line);

}  // namespace kelvane
