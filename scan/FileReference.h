// Whether a registry string names a file or folder that no longer exists. Whenever the answer
// is not certain (no drive letter, an excluded drive, several paths, an unknown variable
// anywhere) the string is not a problem.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "platform/FileSystemAccess.h"
#include "scan/ProblemRecord.h"

namespace kelvane {

struct DriveChecks {
  std::string driveLetters;  // lower-case letters of the drives whose references are judged
  std::string fixedLetters;  // the fixed ones among them: only their answers are direct
  bool isWow64 = false;
  // On 64-bit Windows: the 64-bit view and file system are examined too.
  bool scan64Bit = false;
  bool includeRemoveMedia = false;
  bool driveAReady = false;
  bool driveBReady = false;
};

// What a string was found to name that is not there: the path tested, after quotes, variables
// and (where known) arguments were handled.
struct MissingPath {
  std::string path;
  // Certain only on a fixed drive whose nearest existing folder above the path could be listed.
  Certainty certainty = Certainty::Review;
  bool onEmptyDrive = false;  // a floppy drive without a medium
  // What a 64-bit program would find there: for a row that cannot be told to be either
  // program's, a file in either place exists.
  bool foundByNativeProgram = false;
};

class FileReferenceCheck {
 public:
  FileReferenceCheck(FileSystemAccess& files, DriveChecks drives);

  // None when the string is no problem or the answer is not certain.
  std::optional<MissingPath> Missing(const std::string& text, const std::string& anchorName,
                                     bool allowFolder);
  // The evidence for a path that is known to be missing.
  MissingPath EvidenceFor(const std::string& path);
  // The expansion, trimmed, when it names an existing folder; otherwise the text unchanged.
  std::string ExpandPathVariable(const std::string& text);
  // A path on drive A: or B: while that drive has no medium, when removable media are judged.
  bool IsOnEmptyFloppy(const std::string& path) const;

  const DriveChecks& Drives() const { return drives_; }

 private:
  // The path to test, quotes and variables handled; none when it cannot be judged.
  std::optional<std::string> PathToTest(const std::string& text);
  // Every %NAME% replaced by its value; none when a name is unknown, as what the text names
  // cannot be known then.
  std::optional<std::string> ExpandVariables(const std::string& text);
  bool IsInvalidAnchoredPath(std::string& path, const std::string& anchorName);
  bool IsInvalidPlainPath(const std::string& path, bool allowFolder);
  bool PassesExistenceTest(const std::string& candidate, bool allowFolder);
  bool ExistsAsProgram(const std::string& candidate);
  // Answers are kept for the object's life, which is one scan: the same folders and programs
  // are asked about again and again.
  bool FileExists(const std::string& path);
  bool DirectoryExists(const std::string& path);
  // Whether the nearest folder above the path that exists can be listed.
  bool NearestFolderIsListable(const std::string& path);

  FileSystemAccess& files_;
  DriveChecks drives_;
  std::unordered_map<std::string, bool> fileAnswers_;
  std::unordered_map<std::string, bool> folderAnswers_;
  // Listing a folder is slow where it holds thousands of files, and rows share folders.
  std::unordered_map<std::string, bool> listableAnswers_;
};

}  // namespace kelvane
