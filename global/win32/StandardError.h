// One line on standard error, for runs without a window (-report, -cleanonce); nothing happens
// when the program has no standard error.
#pragma once

#include <string>

namespace kelvane {

void WriteStandardError(const std::string& line);

}  // namespace kelvane
