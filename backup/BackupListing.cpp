#include "backup/BackupListing.h"

#include <algorithm>
#include <limits>

#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr char kBackupExtension[] = ".REG";

bool HasBackupExtension(const std::string& name) {
  const std::size_t length = sizeof(kBackupExtension) - 1;
  return name.size() >= length &&
         UpperCaseAscii(name.substr(name.size() - length)) == kBackupExtension;
}

LocalDateTime FromDosTime(std::uint32_t dosTime) {
  LocalDateTime time;
  time.year = 1980 + static_cast<int>(dosTime >> 25);
  time.month = static_cast<int>(dosTime >> 21 & 0x0F);
  time.day = static_cast<int>(dosTime >> 16 & 0x1F);
  time.hour = static_cast<int>(dosTime >> 11 & 0x1F);
  time.minute = static_cast<int>(dosTime >> 5 & 0x3F);
  time.second = static_cast<int>(dosTime & 0x1F) * 2;
  return time;
}

}  // namespace

std::vector<BackupFileEntry> ListBackupFiles(FileSystemAccess& files, const std::string& folder) {
  std::vector<BackupFileEntry> found;
  for (const FileEntry& entry : files.FindEntries(BackupFilePath(folder, "*"))) {
    if (entry.attributes & kFileAttributeDirectory) continue;
    if (HasBackupExtension(entry.name)) found.push_back({entry.name, entry.dosTime, entry.size});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const BackupFileEntry& a, const BackupFileEntry& b) {
                     return UpperCaseAscii(a.name) > UpperCaseAscii(b.name);
                   });
  return found;
}

std::string BackupFilePath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

std::string BackupSizeText(std::uint32_t bytes) {
  const std::string digits = std::to_string(bytes / 1024 + (bytes % 1024 != 0 ? 1 : 0));
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped + " KB";
}

std::string BackupDateText(const BackupFileEntry& entry, const DateTimeFormat& format) {
  const LocalDateTime time = RunTimeOfName(entry.name).value_or(FromDosTime(entry.dosTime));
  const std::string date = format.shortDate(time);
  if (time.hour == 0 && time.minute == 0 && time.second == 0) return date;
  return date + " " + format.longTime(time);
}

void JudgeBackupFiles(RegistryStore& registry, FileSystemAccess& files, const std::string& folder,
                      std::vector<BackupFileEntry>& entries) {
  for (BackupFileEntry& entry : entries) {
    const std::optional<std::string> contents = files.ReadFileEnd(
        BackupFilePath(folder, entry.name), std::numeric_limits<std::size_t>::max());
    if (!contents) continue;
    const std::optional<BackupRecord> record = LoadBackupRecord(registry, entry.name);
    entry.origin = OriginOf(record, *contents);
    // The program's own file holds what it recorded; any other is read through.
    if (entry.origin == BackupOrigin::Written) {
      entry.keys = record->keys;
      entry.values = record->values;
    } else if (const auto counts = KeysAndValuesOf(*contents)) {
      entry.keys = counts->first;
      entry.values = counts->second;
    }
  }
}

std::string BackupOriginText(const Language& language, BackupOrigin origin) {
  switch (origin) {
    case BackupOrigin::Written: return "";
    case BackupOrigin::Changed:
      return language.LangString("RES_Backup_Mark_Changed", "changed since written");
    case BackupOrigin::Unknown:
      return language.LangString("RES_Backup_Mark_Unknown", "not written by the program");
  }
  return "";
}

int RowToSelectAfterDelete(int deletedIndex, int count) {
  if (count <= 0) return -1;
  return std::min(deletedIndex, count - 1);
}

MiddleButtonLefts SpreadMiddleButtons(int firstLeft, int firstWidth, int secondWidth,
                                      int thirdWidth, int lastLeft) {
  // Integer division truncates toward zero, also when the buttons overlap.
  const int gap = (lastLeft - firstLeft - firstWidth - secondWidth - thirdWidth) / 3;
  MiddleButtonLefts lefts;
  lefts.second = firstLeft + firstWidth + gap;
  lefts.third = lefts.second + secondWidth + gap;
  return lefts;
}

}  // namespace kelvane
