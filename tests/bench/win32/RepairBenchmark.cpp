// Under Wine: a repair of many ticked rows (values one by one, and keys with small subtrees),
// each backed up, flushed and read back before it is deleted, against plain deletion of the same
// items without a backup. Prints the figures of each run, the best of each and their ratio.
//   repair_benchmark.exe [values] [keys] [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/RegistryAccess.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "repair/Repair.h"
#include "tests/support/RepairHarness.h"

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

struct Figures {
  double repair = 0;
  double plain = 0;
  std::size_t ticked = 0;
  std::size_t left = 0;
  unsigned long backupBytes = 0;
};

Figures RunOnce(long values, long keys) {
  Win32Registry registry;
  Win32FileSystem files;
  RegistryAccess cleaner(registry);
  cleaner.SetRootKey(kHkeyCurrentUser);
  cleaner.DeleteKey(std::string("\\") + kBenchKey);
  DeleteFileA(kBackupFile);

  Figures figures;
  Generate(registry, values, keys);
  ResultsModel results = Rows(values, keys);
  RowRepairer repairer(registry, files, kBackupFile);
  testsupport::SilentProgress progress;
  const Clock::time_point start = Clock::now();
  const RepairWalk walk = RepairTickedRows(results, repairer, progress);
  figures.repair = SecondsSince(start);
  results.RemoveMarked(walk.repaired);
  figures.ticked = walk.ticked;
  figures.left = results.Count();

  Generate(registry, values, keys);
  figures.plain = PlainDeletion(registry, values, keys);

  WIN32_FILE_ATTRIBUTE_DATA backup = {};
  GetFileAttributesExA(kBackupFile, GetFileExInfoStandard, &backup);
  figures.backupBytes = backup.nFileSizeLow;
  cleaner.DeleteKey(std::string("\\") + kBenchKey);
  DeleteFileA(kBackupFile);
  return figures;
}

// Each figure is the best of the runs, the one least disturbed by whatever else the machine did.
int Run(long values, long keys, int runs) {
  double bestRepair = 0;
  double bestPlain = 0;
  std::size_t left = 0;
  for (int run = 0; run < runs; ++run) {
    const Figures figures = RunOnce(values, keys);
    std::printf(
        "run %d: repair with backup %.2f s (%.0f rows/s), plain deletion %.2f s, "
        "backup file %lu bytes, rows left %zu\n",
        run + 1, figures.repair, figures.ticked / figures.repair, figures.plain,
        figures.backupBytes, figures.left);
    bestRepair = run == 0 ? figures.repair : std::min(bestRepair, figures.repair);
    bestPlain = run == 0 ? figures.plain : std::min(bestPlain, figures.plain);
    left += figures.left;
  }
  std::printf("rows %ld (values %ld, keys %ld), best of %d runs\n", values + keys, values, keys,
              runs);
  std::printf("repair with backup: %.2f s\nplain deletion:     %.2f s\nratio %.2f\n", bestRepair,
              bestPlain, bestRepair / bestPlain);
  return left == 0 ? 0 : 1;
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  const long values = argc > 1 ? std::atol(argv[1]) : 5000;
  const long keys = argc > 2 ? std::atol(argv[2]) : 1000;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
  return kelvane::Run(values, keys, runs);
}
