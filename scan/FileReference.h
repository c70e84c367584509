// Whether a registry string names a file or folder that no longer exists. Whenever the answer
// is not certain (no drive letter, an excluded drive, several paths, an unknown variable) the
// string is not a problem.
#pragma once

#include <string>
#include <unordered_map>

#include "platform/FileSystemAccess.h"

namespace kelvane {

struct DriveChecks {
  std::string driveLetters;  // lower-case letters of the drives whose references are judged
  bool isWow64 = false;
  bool includeRemoveMedia = false;
  bool driveAReady = false;
  bool driveBReady = false;
};

class FileReferenceCheck {
 public:
  FileReferenceCheck(FileSystemAccess& files, DriveChecks drives);

  bool IsInvalidPath(const std::string& text, const std::string& anchorName, bool allowFolder);
  // The expansion, trimmed, when it names an existing folder; otherwise the text unchanged.
  std::string ExpandPathVariable(const std::string& text);
  // A path on drive A: or B: while that drive has no medium, when removable media are judged.
  bool IsOnEmptyFloppy(const std::string& path) const;

  const DriveChecks& Drives() const { return drives_; }

 private:
  bool IsInvalidAnchoredPath(std::string path, const std::string& anchorName);
  bool IsInvalidPlainPath(const std::string& path, bool allowFolder);
  bool PassesExistenceTest(const std::string& candidate, bool allowFolder);
  bool ExistsAsProgram(const std::string& candidate);
  // Answers are kept for the object's life, which is one scan: the same folders and programs
  // are asked about again and again.
  bool FileExists(const std::string& path);
  bool DirectoryExists(const std::string& path);

  FileSystemAccess& files_;
  DriveChecks drives_;
  std::unordered_map<std::string, bool> fileAnswers_;
  std::unordered_map<std::string, bool> folderAnswers_;
};

}  // namespace kelvane
