#include "scan/FileReference.h"

#include <cstring>

#include "platform/Text.h"
#include "scan/JudgedDrive.h"

namespace kelvane {
namespace {

// The longest path the system's ANSI file functions take (MAX_PATH without its NUL). No file
// or folder has a longer name for them, so longer candidates are never asked about: a value of
// a megabyte would otherwise be asked about a million times, each answer kept.
constexpr std::size_t kLongestPath = 259;

// Where a path written without quotes may end and its arguments begin.
bool IsSeparator(char c) {
  switch (c) {
    case ' ': case '*': case ',': case '/': case ':': case ';': case '<': case '>': case '?':
    case '|':
      return true;
    default:
      return false;
  }
}

// Blanks, quotes and path characters stand in no variable's name, so the signs of "%1 %2" or
// of a folder called "50%" enclose none.
bool IsVariableName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    if (static_cast<unsigned char>(c) <= ' ' || std::strchr("\\/\":*?<>|;,=", c)) return false;
  }
  return true;
}

bool Contains(const std::string& upperText, const char* upperPart) {
  return upperText.find(upperPart) != std::string::npos;
}

bool CachedAnswer(std::unordered_map<std::string, bool>& answers, const std::string& path,
                  bool (FileSystemAccess::*ask)(const std::string&), FileSystemAccess& files) {
  if (path.size() > kLongestPath) return false;
  const std::string key = UpperCaseAscii(path);
  const auto found = answers.find(key);
  if (found != answers.end()) return found->second;
  const bool answer = (files.*ask)(path);
  answers.emplace(key, answer);
  return answer;
}

}  // namespace

FileReferenceCheck::FileReferenceCheck(FileSystemAccess& files, DriveChecks drives)
    : files_(files), drives_(std::move(drives)) {}

bool FileReferenceCheck::FileExists(const std::string& path) {
  return CachedAnswer(fileAnswers_, path, &FileSystemAccess::FileExists, files_);
}

bool FileReferenceCheck::DirectoryExists(const std::string& path) {
  return CachedAnswer(folderAnswers_, path, &FileSystemAccess::DirectoryExists, files_);
}

std::string FileReferenceCheck::ExpandPathVariable(const std::string& text) {
  const std::optional<std::string> expanded = files_.ExpandEnvironmentStrings(text);
  if (!expanded) return text;
  const std::string trimmed = Trim(*expanded, IsSpaceOrControl);
  return DirectoryExists(trimmed) ? trimmed : text;
}

std::optional<std::string> FileReferenceCheck::ExpandVariables(const std::string& text) {
  std::string expanded;
  std::size_t position = 0;
  for (;;) {
    const auto open = text.find('%', position);
    const auto close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) return expanded + text.substr(position);
    const std::string name = text.substr(open + 1, close - open - 1);
    if (!IsVariableName(name)) {
      // The second sign may open a name of its own.
      expanded += text.substr(position, close - position);
      position = close;
      continue;
    }
    const std::string variable = "%" + name + "%";
    const std::optional<std::string> value = files_.ExpandEnvironmentStrings(variable);
    // An unknown name comes back as it was; a value holding a percent sign is not expanded
    // again. Either way what the path names is not known.
    if (!value || value->find('%') != std::string::npos) return std::nullopt;
    expanded += text.substr(position, open - position) + *value;
    position = close + 1;
  }
}

bool FileReferenceCheck::IsOnEmptyFloppy(const std::string& path) const {
  if (!drives_.includeRemoveMedia) return false;
  const std::string start = UpperCaseAscii(path.substr(0, 3));
  return (start == "A:\\" && !drives_.driveAReady) || (start == "B:\\" && !drives_.driveBReady);
}

std::optional<std::string> FileReferenceCheck::PathToTest(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const std::string upperText = UpperCaseAscii(text);
  if (Contains(upperText, "\\HP")) return std::nullopt;
  const bool skipsRedirected = drives_.isWow64 && !drives_.scan64Bit;
  if (skipsRedirected && (Contains(upperText, "SYSTEM32") || Contains(upperText, "PROGRAMFILES") ||
                          Contains(upperText, "PROGRAM FILES"))) {
    return std::nullopt;
  }

  std::string path = text;
  if (path[0] == '"') {
    path.erase(0, 1);
    if (path.empty()) return std::nullopt;
    const auto closing = path.find('"');
    if (closing != std::string::npos) path.erase(closing);
  }

  std::string root;
  if (!path.empty() && path[0] == '%') {
    const auto closing = path.find('%', 1);
    // Without a closing percent sign there is no variable to expand: not judged.
    if (closing == std::string::npos) return std::nullopt;
    // The path's root is trusted only when it names a folder; a file, a list or a command in
    // the variable cannot be told from it.
    root = ExpandPathVariable(path.substr(0, closing + 1));
    if (!root.empty() && root[0] == '%') return std::nullopt;
    path.erase(0, closing + 1);
  }
  const std::optional<std::string> rest = ExpandVariables(path);
  if (!rest) return std::nullopt;
  path = root + *rest;

  if (skipsRedirected) {
    const std::string upperPath = UpperCaseAscii(path);
    if (Contains(upperPath, "SYSTEM32") || Contains(upperPath, "PROGRAM FILES")) {
      return std::nullopt;
    }
  }
  return path;
}

std::optional<MissingPath> FileReferenceCheck::Missing(const std::string& text,
                                                      const std::string& anchorName,
                                                      bool allowFolder) {
  std::optional<std::string> path = PathToTest(text);
  if (!path) return std::nullopt;
  const bool missing = anchorName.empty() ? IsInvalidPlainPath(*path, allowFolder)
                                          : IsInvalidAnchoredPath(*path, anchorName);
  if (!missing) return std::nullopt;
  return EvidenceFor(*path);
}

MissingPath FileReferenceCheck::EvidenceFor(const std::string& path) {
  MissingPath evidence{path, Certainty::Review, IsOnEmptyFloppy(path)};
  if (!evidence.onEmptyDrive && IsOnJudgedDrive(path, drives_.fixedLetters) &&
      NearestFolderIsListable(path)) {
    evidence.certainty = Certainty::Certain;
  }
  return evidence;
}

bool FileReferenceCheck::NearestFolderIsListable(const std::string& path) {
  std::string folder = path.substr(0, path.rfind('\\') + 1);
  while (folder.size() > 3 && !DirectoryExists(folder)) {
    folder.pop_back();
    folder.erase(folder.rfind('\\') + 1);
  }
  const std::string key = UpperCaseAscii(folder);
  const auto known = listableAnswers_.find(key);
  if (known != listableAnswers_.end()) return known->second;
  const std::vector<FileEntry> entries = files_.FindEntries(folder + "*");
  // A folder's listing begins with "."; a drive's root has none and lists at least something.
  const bool listable =
      !entries.empty() && (folder.size() <= 3 || entries.front().name == ".");
  listableAnswers_.emplace(key, listable);
  return listable;
}

bool FileReferenceCheck::IsInvalidAnchoredPath(std::string& path, const std::string& anchorName) {
  const auto at = UpperCaseAscii(path).find(UpperCaseAscii(anchorName));
  if (at == std::string::npos) return false;
  path = path.substr(0, at) + anchorName;
  if (!IsOnJudgedDrive(path, drives_.driveLetters)) return false;
  if (IsOnEmptyFloppy(path)) return true;
  return !FileExists(path);
}

bool FileReferenceCheck::ExistsAsProgram(const std::string& candidate) {
  if (candidate.size() > kLongestPath) return false;
  return FileExists(candidate + ".exe") || FileExists(candidate + ".com") ||
         FileExists(candidate + ".bat");
}

bool FileReferenceCheck::PassesExistenceTest(const std::string& candidate, bool allowFolder) {
  if (candidate.size() > kLongestPath) return false;
  if (FileExists(candidate)) return true;
  if (allowFolder && DirectoryExists(candidate)) return true;
  return ExistsAsProgram(candidate);
}

bool FileReferenceCheck::IsInvalidPlainPath(const std::string& path, bool allowFolder) {
  if (!IsOnJudgedDrive(path, drives_.driveLetters)) return false;
  if (IsOnEmptyFloppy(path)) return true;
  // A string naming several paths is not judged.
  if (path.find(":\\", 3) != std::string::npos) return false;

  const auto lastBackslash = path.rfind('\\');
  const std::string folder = path.substr(0, lastBackslash + 1);
  if (folder == path && DirectoryExists(path)) return false;

  if (DirectoryExists(folder)) {
    // Accept the path as soon as the part before a separator exists: what follows are arguments.
    std::string candidate = folder;
    for (std::size_t i = lastBackslash + 1; i < path.size(); ++i) {
      if (IsSeparator(path[i]) && PassesExistenceTest(candidate, allowFolder)) return false;
      candidate.push_back(path[i]);
    }
    for (;;) {
      if (PassesExistenceTest(candidate, allowFolder)) return false;
      if (candidate.empty() || candidate.back() != ';') return true;
      candidate.pop_back();
      if (candidate.empty()) return true;
    }
  }

  // The folder is missing too: any existing prefix still clears the string.
  std::string candidate;
  for (char c : path) {
    if (candidate.size() > kLongestPath) break;
    if (IsSeparator(c) && ExistsAsProgram(candidate)) return false;
    candidate.push_back(c);
    if (FileExists(candidate)) return false;
  }
  return true;
}

}  // namespace kelvane
