// What the restore window lists: the backup files of a folder, newest name first, with their
// date and size texts; and where its rows and middle buttons go.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup/BackupRecord.h"
#include "backup/BackupWriter.h"
#include "global/Localization.h"
#include "platform/FileSystemAccess.h"

namespace kelvane {

struct BackupFileEntry {
  std::string name;  // without the folder
  std::uint32_t dosTime = 0;
  std::uint32_t size = 0;
  // Filled by JudgeBackupFiles: whether the program wrote the file as it is, and what it holds.
  BackupOrigin origin = BackupOrigin::Unknown;
  std::optional<std::size_t> keys;
  std::optional<std::size_t> values;
};

// Every file of the folder (no folder) whose extension is ".reg" in any letter case, sorted by
// name descending without regard to the case of ASCII letters.
std::vector<BackupFileEntry> ListBackupFiles(FileSystemAccess& files, const std::string& folder);

// Reads each file and compares it with the program's record of the files it wrote.
void JudgeBackupFiles(RegistryStore& registry, FileSystemAccess& files, const std::string& folder,
                      std::vector<BackupFileEntry>& entries);

// The folder, a backslash when it has none at its end, and the name.
std::string BackupFilePath(const std::string& folder, const std::string& name);

// Kilobytes rounded up, digits grouped by commas: "2,001 KB", "1 KB", "0 KB".
std::string BackupSizeText(std::uint32_t bytes);

// The system's texts for a local date and for a time of day.
struct DateTimeFormat {
  std::function<std::string(const LocalDateTime&)> shortDate;
  std::function<std::string(const LocalDateTime&)> longTime;
};

// The run's time in the name the program gives its files, else the file's time: a copied backup
// keeps its run's date. The date, a blank and the time; the date alone at midnight.
std::string BackupDateText(const BackupFileEntry& entry, const DateTimeFormat& format);

// What the mark column says: nothing for the program's own file as it wrote it.
std::string BackupOriginText(const Language& language, BackupOrigin origin);

// The row selected after deleting the row at index from a list that now holds count rows: the
// one that moved into its place, else the last; -1 for none.
int RowToSelectAfterDelete(int deletedIndex, int count);

// Lefts of the two middle buttons, spread evenly between the first button and the last.
struct MiddleButtonLefts {
  int second = 0;
  int third = 0;
};
MiddleButtonLefts SpreadMiddleButtons(int firstLeft, int firstWidth, int secondWidth,
                                      int thirdWidth, int lastLeft);

}  // namespace kelvane
