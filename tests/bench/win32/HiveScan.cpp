// Under Wine: every scan category in tree order over the live registry, drives and system,
// meant for a prefix filled beforehand from real hives. Prints the time, rows and keys of each
// category (every key progress report counts, a shortcut file's too), the totals, and how the
// scan ended; exits with 1 when it did not complete. With -repair, every row found is then
// repaired with its backup going to FILE, and what was repaired and left is printed. With
// -scan64 the scan examines the 64-bit view as well; with -raw it first prints what a bare walk
// of the machine's software and classes costs in the program's view and in the 64-bit view.
//   hive_scan.exe [-scan64] [-raw] [-repair FILE]
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryView64.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "repair/Repair.h"
#include "results/ResultsModel.h"
#include "scan/Scanner.h"
#include "tests/support/RepairHarness.h"

namespace kelvane {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsBetween(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double>(end - start).count();
}

// Labels for the printout only, in tree order from code 3.
const char* const kCategoryLabels[] = {
    "Files and folders HKLM", "Files and folders HKCU", "Files and folders HKU",
    "Software locations",     "Windows fonts",          "Help files",
    "Shared DLLs",            "Startup programs",       "Add/remove programs",
    "File extensions",        "Custom controls",        "Obsolete software",
    "Windows services",       "Start menu",             "Shortcuts",
    "Sound events",           "ActiveX",                "MRU lists",
    "Installer",              "Applications",           "Empty keys HKU",
};
constexpr int kFirstCode = 3;
constexpr int kLastCode = 23;

struct CategoryTally {
  int code = 0;
  long rows = 0;
  long keys = 0;
  double seconds = 0;
  bool finished = false;
};

// The worker announces each task with BeforeTask in task-list order, so the tally in progress
// is the one most recently begun.
class CategorySink : public ScanSink {
 public:
  explicit CategorySink(const std::vector<int>& codes) {
    for (int code : codes) tallies_.push_back(CategoryTally{code});
  }

  void ShowStatus(const std::string&) override {}
  void ShowKeyProgress(const std::string&) override { ++Current().keys; }
  void AddProblem(const ProblemRecord& row) override {
    ++Current().rows;
    results_.Add(row);
  }
  void BeforeTask() override {
    ++current_;
    taskStart_ = Clock::now();
  }
  void AfterTask() override {
    Current().seconds = SecondsBetween(taskStart_, Clock::now());
    Current().finished = true;
  }
  void ScanEnded(ScanEnd how) override {
    if (current_ >= 0 && !Current().finished) {
      Current().seconds = SecondsBetween(taskStart_, Clock::now());
    }
    end_ = how;
    ended_ = true;
  }

  const std::vector<CategoryTally>& Tallies() const { return tallies_; }
  // The category that was running when the scan ended early; nullptr when none was.
  const CategoryTally* Unfinished() const {
    return current_ >= 0 && !tallies_[current_].finished ? &tallies_[current_] : nullptr;
  }
  bool Ended() const { return ended_; }
  ResultsModel& Results() { return results_; }
  ScanEnd End() const { return end_; }

 private:
  CategoryTally& Current() { return tallies_[current_]; }

  std::vector<CategoryTally> tallies_;
  ResultsModel results_;
  int current_ = -1;
  Clock::time_point taskStart_;
  ScanEnd end_ = ScanEnd::Failed;
  bool ended_ = false;
};

const char* EndText(ScanEnd end) {
  switch (end) {
    case ScanEnd::Completed:
      return "completed";
    case ScanEnd::Stopped:
      return "stopped";
    case ScanEnd::Failed:
      break;
  }
  return "FAILED";
}

// Whether what a row names is still there: a row left because an earlier row took the same
// item (a value of the current user is also reached through HKEY_USERS) names nothing now.
bool StillThere(RegistryStore& registry, FileSystemAccess& files, const RepairTarget& target) {
  if (target.what == RepairTarget::What::File) return files.FileExists(target.path);
  const std::optional<RootKey> root = RootKeyFromName(target.root);
  if (!root || target.what == RepairTarget::What::Nothing) return false;
  RegistryAccess access(registry);
  access.SetRootKey(*root);
  if (target.what == RepairTarget::What::Key) return access.KeyExists("\\" + target.path);
  return access.OpenKey("\\" + target.path, false) && access.ValueExists(target.valueName);
}

// Repairs every row; the rows left whose item is still there are printed, one line each.
void RepairAll(RegistryStore& registry, FileSystemAccess& files, ResultsModel& results,
               const std::string& backupFile) {
  results.TickAll(true);
  const std::size_t found = results.Count();
  RowRepairer repairer(registry, files, backupFile);
  const Clock::time_point start = Clock::now();
  testsupport::SilentProgress progress;
  const RepairWalk walk = RepairTickedRows(results, repairer, progress);
  results.RemoveMarked(walk.repaired);
  if (!walk.failure.empty()) std::printf("repair ended early: %s\n", walk.failure.c_str());
  std::printf("repair: %zu of %zu rows repaired in %.2f s, %zu left\n", found - results.Count(),
              found, SecondsBetween(start, Clock::now()), results.Count());
  std::size_t gone = 0;
  for (const ResultRow& row : results.Rows()) {
    if (!StillThere(registry, files, RepairTargetOf(row.record))) {
      ++gone;
      continue;
    }
    std::printf("  still there: kind %d  %s  %s\n", static_cast<int>(row.record.repairKind),
                row.record.key.c_str(), row.record.value.c_str());
  }
  std::printf("left rows whose item went with an earlier row: %zu\n", gone);
}

struct WalkCount {
  long keys = 0;
  long values = 0;
};

// Every key and value below the key, opened by name from its parent; the 64-bit view leaves out
// the 32-bit view's own Wow6432Node, as the scan's second pass does.
void Walk(RegistryKey& key, bool view64, WalkCount& count) {
  const KeyContents contents = key.Contents();
  ++count.keys;
  count.values += static_cast<long>(contents.values.size());
  for (const std::string& name : contents.subkeys) {
    if (view64 && name == "Wow6432Node") continue;
    if (auto child = key.OpenSubkeyItself(name, kAccessRead)) Walk(*child, view64, count);
  }
}

void PrintRawWalks(RegistryStore& own) {
  RegistryView64 view64(own);
  for (RegistryStore* store : {&own, static_cast<RegistryStore*>(&view64)}) {
    const bool is64 = store != &own;
    const Clock::time_point start = Clock::now();
    WalkCount count;
    const auto root = store->OpenRoot(kHkeyLocalMachine);
    if (auto software = root->OpenSubkey("Software", kAccessRead, false)) {
      Walk(*software, is64, count);
    }
    const auto classes = store->OpenRoot(kHkeyClassesRoot);
    if (auto all = classes->OpenSubkey("", kAccessRead, false)) Walk(*all, is64, count);
    std::printf("raw walk, %s view: HKLM\\Software and HKCR: %ld keys, %ld values, %.2f s\n",
                is64 ? "64-bit" : "own", count.keys, count.values,
                SecondsBetween(start, Clock::now()));
  }
}

bool HasArgument(int argc, char** argv, const std::string& wanted) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] == wanted) return true;
  }
  return false;
}

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  using namespace kelvane;
  std::setvbuf(stdout, nullptr, _IONBF, 0);

  Win32Registry registry;
  Win32FileSystem files;
  Win32System system;
  Win32ProfileStore profiles;
  const std::string english = "English";
  const Language language(profiles, files.ProgramFolder(), english);

  std::vector<int> codes;
  for (int code = kFirstCode; code <= kLastCode; ++code) codes.push_back(code);
  CategorySink sink(codes);
  if (HasArgument(argc, argv, "-raw")) PrintRawWalks(registry);
  ScanOptions options;
  options.scan64Bit = HasArgument(argc, argv, "-scan64");
  Scanner worker(registry, files, system, language, options, sink);
  std::vector<ScanCategory> tasks;
  for (int code : codes) tasks.push_back(*CategoryFromNumber(code));
  std::printf("drives judged: %s; 32-bit on 64-bit Windows: %s\n",
              worker.Drives().driveLetters.c_str(), worker.Drives().isWow64 ? "yes" : "no");

  const Clock::time_point start = Clock::now();
  worker.Execute(tasks);
  const double seconds = SecondsBetween(start, Clock::now());

  long rows = 0;
  long keys = 0;
  std::printf("%4s  %-24s %8s %8s %9s\n", "code", "category", "rows", "keys", "seconds");
  for (const CategoryTally& tally : sink.Tallies()) {
    std::printf("%4d  %-24s %8ld %8ld %9.2f%s\n", tally.code,
                kCategoryLabels[tally.code - kFirstCode], tally.rows, tally.keys, tally.seconds,
                tally.finished ? "" : "  (not finished)");
    rows += tally.rows;
    keys += tally.keys;
  }
  std::printf("total rows: %ld\nkeys visited: %ld\nscan time: %.2f s\n", rows, keys, seconds);

  if (!sink.Ended()) {
    std::printf("scan ended: FAILED (the worker never reported its end)\n");
    return 1;
  }
  std::printf("scan ended: %s", EndText(sink.End()));
  if (const CategoryTally* open = sink.Unfinished()) {
    std::printf(" in category %d (%s)", open->code, kCategoryLabels[open->code - kFirstCode]);
  }
  std::printf("\n");
  if (sink.End() != ScanEnd::Completed) return 1;
  if (argc >= 3 && std::string(argv[argc - 2]) == "-repair") {
    RepairAll(registry, files, sink.Results(), argv[argc - 1]);
  }
  return 0;
}
