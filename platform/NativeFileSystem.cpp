#include "platform/NativeFileSystem.h"

#include "platform/Text.h"

namespace kelvane {
namespace {

// What a 32-bit program's variable is called for a 64-bit one.
const struct {
  const char* variable;
  const char* native;
} kNativeVariables[] = {
    {"%PROGRAMFILES%", "%ProgramW6432%"},
    {"%COMMONPROGRAMFILES%", "%CommonProgramW6432%"},
};

std::string ReplaceVariables(const std::string& text) {
  std::string result = text;
  for (const auto& name : kNativeVariables) {
    const std::string variable = name.variable;
    for (std::size_t at = UpperCaseAscii(result).find(variable); at != std::string::npos;
         at = UpperCaseAscii(result).find(variable, at + 1)) {
      result.replace(at, variable.size(), name.native);
    }
  }
  return result;
}

}  // namespace

NativeFileSystem::NativeFileSystem(FileSystemAccess& files) : files_(files) {
  const std::optional<std::string> windows = files_.ExpandEnvironmentStrings("%SystemRoot%");
  if (windows && !windows->empty() && windows->front() != '%') {
    systemFolder_ = UpperCaseAscii(*windows + "\\System32");
    aliasFolder_ = *windows + "\\Sysnative";
    aliasMissing_ = !files_.DirectoryExists(aliasFolder_);
  }
}

bool NativeFileSystem::IsUnseen(const std::string& path) const {
  return aliasMissing_ && UpperCaseAscii(path).rfind(systemFolder_, 0) == 0;
}

std::string NativeFileSystem::NativePath(const std::string& path) {
  if (systemFolder_.empty() || path.size() < systemFolder_.size()) return path;
  if (UpperCaseAscii(path.substr(0, systemFolder_.size())) != systemFolder_) return path;
  const std::string rest = path.substr(systemFolder_.size());
  if (!rest.empty() && rest[0] != '\\') return path;
  return aliasFolder_ + rest;
}

bool NativeFileSystem::FileExists(const std::string& path) {
  return IsUnseen(path) || files_.FileExists(NativePath(path));
}

bool NativeFileSystem::DirectoryExists(const std::string& path) {
  return IsUnseen(path) || files_.DirectoryExists(NativePath(path));
}

std::vector<FileEntry> NativeFileSystem::FindEntries(const std::string& pattern) {
  return files_.FindEntries(NativePath(pattern));
}

std::optional<std::string> NativeFileSystem::ExpandEnvironmentStrings(const std::string& text) {
  return files_.ExpandEnvironmentStrings(ReplaceVariables(text));
}

std::string NativeFileSystem::GetShortcutTarget(const std::string& shortcutPath) {
  return files_.GetShortcutTarget(shortcutPath);
}

}  // namespace kelvane
