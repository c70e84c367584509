// What the program records of each backup file it writes, under HKEY_LOCAL_MACHINE where only
// an administrator can write, so that the restore window tells its own files, unchanged, from
// any other file a user could place in the backup folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "backup/BackupWriter.h"
#include "platform/RegistryStore.h"

namespace kelvane {

struct BackupRecord {
  std::uint64_t size = 0;
  std::string sha256;
  std::string runTime;  // "YYYY-MM-DD hh:mm:ss", from the file's name
  std::size_t keys = 0;
  std::size_t values = 0;
};

// The record of a file as it now reads: its size, digest, run time and how many keys and
// values it gives back.
BackupRecord RecordOf(const std::string& fileName, const std::string& contents);
// Only the counts, without the digest: none for text that does not read as a registry file.
std::optional<std::pair<std::size_t, std::size_t>> KeysAndValuesOf(const std::string& contents);

// Records by the file's name without its folder, replacing an earlier record; false when the
// registry refuses it.
bool StoreBackupRecord(RegistryStore& registry, const std::string& fileName,
                       const BackupRecord& record);
std::optional<BackupRecord> LoadBackupRecord(RegistryStore& registry, const std::string& fileName);
// Forgets a deleted file's record.
void DropBackupRecord(RegistryStore& registry, const std::string& fileName);

enum class BackupOrigin {
  Written,  // the program wrote it and it is unchanged since
  Changed,  // the program wrote a file of that name, but this one differs from it
  Unknown,  // the program did not write it
};

BackupOrigin OriginOf(const std::optional<BackupRecord>& record, const std::string& contents);

// The run's time in the names the program gives its files, "Backup20261207225959.reg" and
// "Backup20261207225959-Unicode.reg"; none for any other name.
std::optional<LocalDateTime> RunTimeOfName(const std::string& fileName);

}  // namespace kelvane
