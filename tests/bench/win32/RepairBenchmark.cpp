// Under Wine: a repair of many ticked rows (values one by one, and keys with small subtrees),
// each backed up, flushed and read back before it is deleted, against plain deletion of the same
// items without a backup. Prints the figures.
//   repair_benchmark.exe [values] [keys]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "main/Repair.h"
#include "tests/support/RepairHarness.h"
#include "platform/RegistryAccess.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

namespace kelvane {
namespace {

const char kBenchKey[] = "Software\\KelvaneRepairBench";
const char kBackupFile[] = "C:\\KelvaneRepairBench.reg";

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string ValueName(long index) { return "Value " + std::to_string(index); }
std::string KeyPath(long index) { return std::string(kBenchKey) + "\\Key" + std::to_string(index); }

// values in one key, and keys each holding two values and a subkey with one more.
void Generate(Win32Registry& registry, long values, long keys) {
  RegistryAccess access(registry);
  access.SetRootKey(kHkeyCurrentUser);
  access.OpenKey(std::string("\\") + kBenchKey + "\\Values", true);
  for (long index = 0; index < values; ++index) {
    access.WriteString(ValueName(index),
                       "C:\\KelvaneGone\\program" + std::to_string(index) + ".exe");
  }
  for (long index = 0; index < keys; ++index) {
    access.OpenKey("\\" + KeyPath(index) + "\\Sub", true);
    access.WriteString("", "C:\\KelvaneGone\\sub.dll");
    access.OpenKey("\\" + KeyPath(index), false);
    access.WriteString("", "C:\\KelvaneGone\\key.exe");
    access.WriteString("Version", "1.0." + std::to_string(index));
  }
}

ResultsModel Rows(long values, long keys) {
  ResultsModel results;
  const std::string root = "HKEY_CURRENT_USER\\";
  for (long index = 0; index < values; ++index) {
    results.Add({"Invalid", root + kBenchKey + "\\Values", ValueName(index),
                 RepairKind::ValueNamedByValue});
  }
  for (long index = 0; index < keys; ++index) {
    results.Add({"Invalid", root + KeyPath(index), "", RepairKind::Key});
  }
  results.TickAll(true);
  return results;
}

double PlainDeletion(Win32Registry& registry, long values, long keys) {
  const Clock::time_point start = Clock::now();
  RegistryAccess access(registry);
  access.SetRootKey(kHkeyCurrentUser);
  for (long index = keys; index-- > 0;) access.DeleteKey("\\" + KeyPath(index));
  access.OpenKey(std::string("\\") + kBenchKey + "\\Values", false);
  for (long index = values; index-- > 0;) access.DeleteValue(ValueName(index));
  return SecondsSince(start);
}

int Run(long values, long keys) {
  Win32Registry registry;
  Win32FileSystem files;
  RegistryAccess cleaner(registry);
  cleaner.SetRootKey(kHkeyCurrentUser);
  cleaner.DeleteKey(std::string("\\") + kBenchKey);
  DeleteFileA(kBackupFile);

  Generate(registry, values, keys);
  ResultsModel results = Rows(values, keys);
  RowRepairer repairer(registry, files, kBackupFile);
  const Clock::time_point start = Clock::now();
  testsupport::SilentProgress progress;
  const RepairWalk walk = RepairTickedRows(results, repairer, progress);
  const double repair = SecondsSince(start);
  results.RemoveMarked(walk.repaired);
  const std::size_t ticked = walk.ticked;

  Generate(registry, values, keys);
  const double plain = PlainDeletion(registry, values, keys);

  WIN32_FILE_ATTRIBUTE_DATA backup = {};
  GetFileAttributesExA(kBackupFile, GetFileExInfoStandard, &backup);
  std::printf("rows %zu (values %ld, keys %ld), left %zu\n", ticked, values, keys, results.Count());
  std::printf("repair with backup: %.2f s (%.0f rows/s), backup file %lu bytes\n", repair,
              ticked / repair, backup.nFileSizeLow);
  std::printf("plain deletion:     %.2f s (%.0f rows/s), ratio %.1f\n", plain, ticked / plain,
              repair / plain);
  cleaner.DeleteKey(std::string("\\") + kBenchKey);
  DeleteFileA(kBackupFile);
  return results.Empty() ? 0 : 1;
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  const long values = argc > 1 ? std::atol(argv[1]) : 5000;
  const long keys = argc > 2 ? std::atol(argv[2]) : 1000;
  return kelvane::Run(values, keys);
}
