// Under Wine: every scan category in tree order over the live registry, drives and system,
// meant for a prefix filled beforehand from real hives. Prints the time, rows and keys of each
// category (every key progress report counts, a shortcut file's too), the totals, and how the
// scan ended; exits with 1 when it did not complete.
//   hive_scan.exe
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "scan/ScanTaskThread.h"

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
  void AddProblem(const ProblemRecord&) override { ++Current().rows; }
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
  ScanEnd End() const { return end_; }

 private:
  CategoryTally& Current() { return tallies_[current_]; }

  std::vector<CategoryTally> tallies_;
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

}  // namespace
}  // namespace kelvane

int main() {
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
  TScanTaskThread worker(registry, files, system, language, ScanOptions{}, sink);
  for (int code : codes) worker.FTaskList.push_back(std::to_string(code));
  std::printf("drives judged: %s; 32-bit on 64-bit Windows: %s\n", worker.FDriveLetters.c_str(),
              worker.FIsWow64 ? "yes" : "no");

  const Clock::time_point start = Clock::now();
  worker.Execute();
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
  return sink.End() == ScanEnd::Completed ? 0 : 1;
}
