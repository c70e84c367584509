// Whether a path is one the scan judges at all: a full path on one of the drives the user asked
// to be checked.
#pragma once

#include <string>

#include "platform/Text.h"

namespace kelvane {

// True when the first character is one of the drive letters (in any case) and ":\" follows it.
inline bool IsOnJudgedDrive(const std::string& path, const std::string& driveLetters) {
  return !path.empty() &&
         UpperCaseAscii(driveLetters).find(UpperCaseAscii(path.substr(0, 1))) !=
             std::string::npos &&
         path.compare(1, 2, ":\\") == 0;
}

}  // namespace kelvane
