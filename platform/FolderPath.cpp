#include "platform/FolderPath.h"

namespace kelvane {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// Drops the "." segments a typed path may start with.
std::string WithoutLeadingDots(std::string path) {
  while (path.size() >= 2 && path[0] == '.' && IsSeparator(path[1])) path.erase(0, 2);
  return path == "." ? "" : path;
}

}  // namespace

std::string AbsoluteFolder(const std::string& folder, const std::string& base) {
  if (folder.empty()) return folder;
  if (folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1])) return folder;
  if (HasDrive(folder)) {
    if (folder.size() > 2 && IsSeparator(folder[2])) return folder;
    return folder.substr(0, 2) + "\\" + WithoutLeadingDots(folder.substr(2));
  }
  if (IsSeparator(folder[0])) return (HasDrive(base) ? base.substr(0, 2) : "") + folder;
  return base + WithoutLeadingDots(folder);
}

}  // namespace kelvane
