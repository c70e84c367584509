#include "backup/BackupRecord.h"

#include <cctype>

#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/Sha256.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr char kRecordsKey[] = "Software\\Tessaly\\Kelvane\\Backups";

std::string RecordPath(const std::string& fileName) {
  return std::string(kRecordsKey) + "\\" + LowerCaseAscii(fileName);
}

std::string TwoDigits(int number) {
  return std::string(number < 10 ? "0" : "") + std::to_string(number);
}

std::optional<std::uint64_t> Number(const std::string& text) {
  if (text.empty() || text.size() > 19) return std::nullopt;
  std::uint64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return number;
}

}  // namespace

BackupRecord RecordOf(const std::string& fileName, const std::string& contents) {
  BackupRecord record;
  record.size = contents.size();
  record.sha256 = Sha256Of(contents);
  if (const std::optional<LocalDateTime> time = RunTimeOfName(fileName)) {
    record.runTime = std::to_string(time->year) + "-" + TwoDigits(time->month) + "-" +
                     TwoDigits(time->day) + " " + TwoDigits(time->hour) + ":" +
                     TwoDigits(time->minute) + ":" + TwoDigits(time->second);
  }
  // A file that does not read counts nothing: the digest alone tells whether it is the one
  // written.
  if (const auto counts = KeysAndValuesOf(contents)) {
    record.keys = counts->first;
    record.values = counts->second;
  }
  return record;
}

std::optional<std::pair<std::size_t, std::size_t>> KeysAndValuesOf(const std::string& contents) {
  std::pair<std::size_t, std::size_t> counts{0, 0};
  try {
    for (const RegFileKey& key : ParseRegFile(contents).keys) {
      if (key.remove) continue;
      ++counts.first;
      for (const RegFileValue& value : key.values) counts.second += value.remove ? 0 : 1;
    }
  } catch (const RegFileError&) {
    return std::nullopt;
  }
  return counts;
}

bool StoreBackupRecord(RegistryStore& registry, const std::string& fileName,
                       const BackupRecord& record) {
  RegistryAccess key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  return key.OpenKey(RecordPath(fileName), true) &&
         key.WriteString("Size", std::to_string(record.size)) &&
         key.WriteString("SHA256", record.sha256) && key.WriteString("RunTime", record.runTime) &&
         key.WriteString("Keys", std::to_string(record.keys)) &&
         key.WriteString("Values", std::to_string(record.values));
}

std::optional<BackupRecord> LoadBackupRecord(RegistryStore& registry,
                                             const std::string& fileName) {
  RegistryAccess key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  if (!key.KeyExists(RecordPath(fileName)) || !key.OpenKey(RecordPath(fileName), false)) {
    return std::nullopt;
  }
  const std::optional<std::uint64_t> size = Number(key.ReadString("Size"));
  const std::optional<std::uint64_t> keys = Number(key.ReadString("Keys"));
  const std::optional<std::uint64_t> values = Number(key.ReadString("Values"));
  BackupRecord record;
  record.sha256 = key.ReadString("SHA256");
  record.runTime = key.ReadString("RunTime");
  if (!size || !keys || !values || record.sha256.size() != 64) return std::nullopt;
  record.size = *size;
  record.keys = static_cast<std::size_t>(*keys);
  record.values = static_cast<std::size_t>(*values);
  return record;
}

void DropBackupRecord(RegistryStore& registry, const std::string& fileName) {
  RegistryAccess key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  key.DeleteKey(RecordPath(fileName));
}

BackupOrigin OriginOf(const std::optional<BackupRecord>& record, const std::string& contents) {
  if (!record) return BackupOrigin::Unknown;
  const bool same = record->size == contents.size() && record->sha256 == Sha256Of(contents);
  return same ? BackupOrigin::Written : BackupOrigin::Changed;
}

std::optional<LocalDateTime> RunTimeOfName(const std::string& fileName) {
  constexpr std::size_t kDigits = 14;
  const std::string upper = UpperCaseAscii(fileName);
  const std::string end = upper.size() > 6 + kDigits ? upper.substr(6 + kDigits) : "";
  if (upper.rfind("BACKUP", 0) != 0 || (end != ".REG" && end != "-UNICODE.REG")) {
    return std::nullopt;
  }
  const std::string digits = fileName.substr(6, kDigits);
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  const auto field = [&](std::size_t at, std::size_t size) {
    return std::stoi(digits.substr(at, size));
  };
  return LocalDateTime{field(0, 4), field(4, 2), field(6, 2), field(8, 2), field(10, 2),
                       field(12, 2)};
}

}  // namespace kelvane
