// The backup files a repair run leaves in a folder, for tests that start from an empty one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kelvane {

inline std::vector<std::string> BackupFiles(const std::string& folder) {
  std::vector<std::string> paths;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\Backup*.reg").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return paths;
  do {
    paths.push_back(folder + "\\" + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return paths;
}

inline void RemoveBackupFolder(const std::string& folder) {
  for (const std::string& file : BackupFiles(folder)) DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace kelvane
