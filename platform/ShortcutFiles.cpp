#include "platform/ShortcutFiles.h"

#include <optional>
#include <vector>

#include "platform/Text.h"

namespace kelvane {
namespace {

// Where the folders below the root begin: after "C:\" or after "\\server\share\"; none for a
// path that is not full.
std::optional<std::size_t> FoldersStart(const std::string& path) {
  if (path.size() > 3 && path[1] == ':' && path[2] == '\\') return 3;
  if (path.rfind("\\\\", 0) != 0 || path.rfind("\\\\?", 0) == 0) return std::nullopt;
  const std::size_t server = path.find('\\', 2);
  if (server == std::string::npos || server == 2) return std::nullopt;
  const std::size_t share = path.find('\\', server + 1);
  if (share == std::string::npos || share == server + 1) return std::nullopt;
  return share + 1;
}

// Every folder from below the root down to the file's own is itself a folder, not a link or
// junction.
bool IsOnPlainFolders(FileSystemAccess& files, const std::string& path) {
  const std::optional<std::size_t> start = FoldersStart(path);
  if (!start) return false;
  for (std::size_t end = path.find('\\', *start); end != std::string::npos;
       end = path.find('\\', end + 1)) {
    const std::vector<FileEntry> found = files.FindEntries(path.substr(0, end));
    if (found.size() != 1 || !(found[0].attributes & kFileAttributeDirectory) ||
        (found[0].attributes & kFileAttributeReparsePoint)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool HasShortcutExtension(const std::string& fileName) {
  const auto dot = fileName.rfind('.');
  return dot != std::string::npos && LowerCaseAscii(fileName.substr(dot)) == ".lnk";
}

bool IsDeletableShortcut(FileSystemAccess& files, const std::string& path) {
  return HasShortcutExtension(path) && files.IsPlainFile(path) && IsOnPlainFolders(files, path);
}

bool DeleteShortcutFile(FileSystemAccess& files, const std::string& path) {
  return IsDeletableShortcut(files, path) && files.DeleteFileSilently(path);
}

}  // namespace kelvane
