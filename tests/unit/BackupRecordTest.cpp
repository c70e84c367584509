#include <gtest/gtest.h>

#include <string>

#include "backup/BackupRecord.h"
#include "platform/RegistryAccess.h"
#include "platform/memory/MemoryRegistry.h"

namespace kelvane {
namespace {

constexpr char kName[] = "Backup20261207225959.reg";
const std::string kWritten =
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old]\r\n\"A\"=\"1\"\r\n\"B\"=dword:00000002\r\n"
    "\r\n[-HKEY_CURRENT_USER\\Software\\Gone]\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old\\Sub]\r\n"
    "\"C\"=-\r\n\r\n";

TEST(BackupRecord, TellsTheFileAsWrittenFromAChangedOneAndFromAnyOther) {
  MemoryRegistry registry;
  const BackupRecord record = RecordOf(kName, kWritten);
  EXPECT_EQ(record.runTime, "2026-12-07 22:59:59");
  EXPECT_EQ(RecordOf("Backup2026120722595x.reg", kWritten).runTime, "");
  EXPECT_EQ(record.keys, 2u);
  EXPECT_EQ(record.values, 2u);
  EXPECT_EQ(OriginOf(LoadBackupRecord(registry, kName), kWritten), BackupOrigin::Unknown);

  ASSERT_TRUE(StoreBackupRecord(registry, kName, record));
  EXPECT_EQ(OriginOf(LoadBackupRecord(registry, "BACKUP20261207225959.REG"), kWritten),
            BackupOrigin::Written);
  std::string edited = kWritten;
  edited[edited.find("\"1\"") + 1] = '2';
  EXPECT_EQ(OriginOf(LoadBackupRecord(registry, kName), edited), BackupOrigin::Changed);
  EXPECT_EQ(OriginOf(LoadBackupRecord(registry, kName), kWritten + "\r\n"), BackupOrigin::Changed);

  // A record someone damaged counts as none.
  RegistryAccess key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  ASSERT_TRUE(key.OpenKey("Software\\Tessaly\\Kelvane\\Backups\\backup20261207225959.reg", false));
  ASSERT_TRUE(key.WriteString("Size", "12x"));
  EXPECT_EQ(OriginOf(LoadBackupRecord(registry, kName), kWritten), BackupOrigin::Unknown);
  key.CloseKey();
  DropBackupRecord(registry, kName);
  EXPECT_TRUE(key.KeyExists("Software\\Tessaly\\Kelvane\\Backups"));
  EXPECT_FALSE(key.KeyExists("Software\\Tessaly\\Kelvane\\Backups\\backup20261207225959.reg"));
}

}  // namespace
}  // namespace kelvane
