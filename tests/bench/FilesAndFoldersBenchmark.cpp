// How the files-and-folders walk scales with the number of values, over the in-memory
// registry and file system. Prints values per second for 10^4, 10^5 and 10^6 values.
#include <benchmark/benchmark.h>

#include <memory>

#include "global/Localization.h"
#include "platform/PortableProfileStore.h"
#include "platform/RegistryAccess.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystem.h"
#include "scan/Scanner.h"

namespace kelvane {
namespace {

class CountingSink : public ScanSink {
 public:
  void ShowStatus(const std::string&) override {}
  void ShowKeyProgress(const std::string&) override {}
  void AddProblem(const ProblemRecord&) override { ++rows; }
  void BeforeTask() override {}
  void AfterTask() override {}
  void ScanEnded(ScanEnd) override {}
  long rows = 0;
};

constexpr int kValuesPerKey = 10;

// A third of the values are drive paths, half of those exist; the rest are plain words.
struct Machine {
  explicit Machine(long values) {
    files.AddDrive('C', DriveType::Fixed);
    RegistryAccess access(registry);
    access.SetRootKey(kHkeyLocalMachine);
    const long keys = values / kValuesPerKey;
    for (long key = 0; key < keys; ++key) {
      const std::string vendor = "Software\\Vendor" + std::to_string(key % 100);
      const std::string folder = "C:\\Apps\\Vendor" + std::to_string(key % 100) + "\\";
      access.CloseKey();
      access.OpenKey(vendor + "\\Product" + std::to_string(key), true);
      for (int value = 0; value < kValuesPerKey; ++value) {
        const long number = key * kValuesPerKey + value;
        std::string text = "setting " + std::to_string(number);
        if (number % 3 == 0) {
          text = folder + "file" + std::to_string(number) + ".dll";
          if (number % 2 == 0) files.AddFile(text);
        }
        access.WriteString("Value" + std::to_string(value), text);
      }
    }
  }
  MemoryRegistry registry;
  MemoryFileSystem files;
};

void BM_FilesAndFoldersWalk(benchmark::State& state) {
  const long values = state.range(0);
  Machine machine(values);
  MemorySystem system;
  PortableProfileStore profiles;
  const std::string lan = "English";
  Language language(profiles, "/", lan);
  long rows = 0;
  for (auto _ : state) {
    CountingSink sink;
    Scanner worker(machine.registry, machine.files, system, language, ScanOptions{}, sink);
    worker.Execute({ScanCategory::FilesAndFoldersLocalMachine});
    rows = sink.rows;
  }
  state.counters["values/s"] =
      benchmark::Counter(static_cast<double>(values), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["rows"] = static_cast<double>(rows);
}

BENCHMARK(BM_FilesAndFoldersWalk)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace
}  // namespace kelvane

BENCHMARK_MAIN();
