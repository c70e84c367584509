// Under Wine: the files-and-folders walk of HKEY_LOCAL_MACHINE\Software, HKEY_CURRENT_USER and
// HKEY_USERS over a large generated registry, against a minimal raw pass over the same keys
// (every key and value enumerated, every string read, one attribute query per drive path), and
// how long a stop takes in the middle of the walk. Prints the figures.
//   scan_benchmark.exe [keys]
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "global/Localization.h"
#include "platform/RegistryAccess.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "scan/Scanner.h"

namespace kelvane {
namespace {

const char kBenchKey[] = "Software\\KelvaneBench";
const char kBenchFolder[] = "C:\\KelvaneBench";
constexpr int kFolders = 50;
constexpr int kFilesPerFolder = 40;
constexpr int kValuesPerKey = 3;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string PoolFile(long number) {
  return std::string(kBenchFolder) + "\\F" + std::to_string(number % kFolders) + "\\file" +
         std::to_string(number % (kFolders * kFilesPerFolder)) + ".dll";
}

// A third of the values are drive paths, half of those to files that exist.
void Generate(long keys) {
  for (int folder = 0; folder < kFolders; ++folder) {
    CreateDirectoryA(kBenchFolder, nullptr);
    CreateDirectoryA((std::string(kBenchFolder) + "\\F" + std::to_string(folder)).c_str(), nullptr);
  }
  for (long file = 0; file < kFolders * kFilesPerFolder; file += 2) {
    HANDLE handle = CreateFileA(PoolFile(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  Win32Registry registry;
  RegistryAccess access(registry);
  for (long key = 0; key < keys; ++key) {
    access.CloseKey();
    const std::string path = std::string(kBenchKey) + "\\Vendor" + std::to_string(key % 200) +
                             "\\Product" + std::to_string(key / 200 % 50) + "\\Item" +
                             std::to_string(key);
    if (!access.OpenKey(path, true)) {
      std::fprintf(stderr, "cannot create %s\n", path.c_str());
      std::exit(1);
    }
    for (int value = 0; value < kValuesPerKey; ++value) {
      const long number = key * kValuesPerKey + value;
      // Pool files alternate existing and missing: every other drive path exists.
      const std::string text =
          value == 0 ? PoolFile(number / 3) : "setting " + std::to_string(number);
      access.WriteString("Value" + std::to_string(value), text);
    }
  }
}

struct RawCounts {
  long keys = 0;
  long values = 0;
  long paths = 0;
};

void RawPass(HKEY parent, const char* path, RawCounts& counts) {
  HKEY key;
  if (RegOpenKeyExA(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  ++counts.keys;
  // Enumerate as far as the key's information says, as the scan does: Wine answers every
  // index of Perflib\009 with an error rather than the end of the list.
  DWORD subkeys = 0;
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  char name[16384];
  static BYTE data[65536];
  for (DWORD index = 0; index < values; ++index) {
    DWORD nameLength = sizeof(name);
    DWORD type = 0;
    DWORD size = sizeof(data) - 1;
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) {
      continue;
    }
    ++counts.values;
    if ((type == REG_SZ || type == REG_EXPAND_SZ) && size > 3 && data[1] == ':' && data[2] == '\\') {
      data[size] = 0;
      ++counts.paths;
      GetFileAttributesA(reinterpret_cast<char*>(data));
    }
  }
  for (DWORD index = 0; index < subkeys; ++index) {
    DWORD nameLength = sizeof(name);
    if (RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS) {
      RawPass(key, name, counts);
    }
  }
  RegCloseKey(key);
}

class CountingSink : public ScanSink {
 public:
  void ShowStatus(const std::string&) override {}
  void ShowKeyProgress(const std::string&) override { ++keys; }
  void AddProblem(const ProblemRecord&) override { ++rows; }
  void BeforeTask() override {}
  void AfterTask() override {}
  void ScanEnded(ScanEnd) override {}
  std::atomic<long> keys{0};
  long rows = 0;
};

struct Services {
  Win32Registry registry;
  Win32FileSystem files;
  Win32System system;
  Win32ProfileStore profiles;
  std::string lan = "English";
  Language language{profiles, files.ProgramFolder(), lan};
};

const std::vector<ScanCategory> kFilesAndFolders = {ScanCategory::FilesAndFoldersLocalMachine,
                                                    ScanCategory::FilesAndFoldersCurrentUser,
                                                    ScanCategory::FilesAndFoldersUsers};

double TimeScan(Services& services, CountingSink& sink) {
  Scanner worker(services.registry, services.files, services.system, services.language,
                 ScanOptions{}, sink);
  const auto start = Clock::now();
  worker.Execute(kFilesAndFolders);
  return SecondsSince(start);
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  using namespace kelvane;
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const long keys = argc > 1 ? std::atol(argv[1]) : 300000;
  auto start = Clock::now();
  Generate(keys);
  std::printf("generated %ld keys, %ld values in %.1f s\n", keys, keys * kValuesPerKey,
              SecondsSince(start));

  Services services;
  for (int round = 1; round <= 2; ++round) {
    RawCounts counts;
    start = Clock::now();
    RawPass(HKEY_LOCAL_MACHINE, "Software", counts);
    RawPass(HKEY_CURRENT_USER, "", counts);
    RawPass(HKEY_USERS, "", counts);
    const double raw = SecondsSince(start);
    CountingSink sink;
    const double scan = TimeScan(services, sink);
    std::printf("round %d: raw pass %.2f s (%ld keys, %ld values, %ld drive paths); "
                "scan of codes 3, 4, 5 %.2f s (%ld keys, %ld rows); ratio %.2f\n",
                round, raw, counts.keys, counts.values, counts.paths, scan, sink.keys.load(),
                sink.rows, scan / raw);
  }

  // Stop in the middle of the walk: how long until the worker has ended.
  CountingSink sink;
  Scanner worker(services.registry, services.files, services.system, services.language,
                 ScanOptions{}, sink);
  Clock::time_point stopped;
  std::thread scan([&] { worker.Execute(kFilesAndFolders); });
  while (sink.keys < keys / 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  stopped = Clock::now();
  worker.Stop();
  scan.join();
  std::printf("stop after %ld keys took %.3f ms\n", sink.keys.load(), SecondsSince(stopped) * 1000);

  Win32Registry registry;
  RegistryAccess cleanup(registry);
  cleanup.DeleteKey(std::string("\\") + kBenchKey);
  return 0;
}
