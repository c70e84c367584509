// Under Wine and a display: drives Kelvane.exe beside it from outside, as a user would, while
// window_probe.exe (also beside it) times the main window's answers. Prints the figures.
//   window_benchmark.exe probe           scan of the machine as it is, then the window closed
//   window_benchmark.exe scan N [RUNS]   N shared DLL counts of missing files: the window's scan
//                                        (Scan command to the counts) against -report
//   window_benchmark.exe stop N          the same values: how soon Stop gives the window back
//   window_benchmark.exe repair N        the same values found and repaired while probed
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "global/ProductTitle.h"
#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"
#include "platform/win32/Win32Handles.h"
#include "repair/win32/RepairSummaryDialogIds.h"
#include "scan/win32/ScanProgressDialogIds.h"
#include "tests/bench/win32/WindowProbe.h"

namespace kelvane {
namespace {

using Clock = std::chrono::steady_clock;

const char kSharedDlls[] = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const char kReportFile[] = "bench-report.txt";
constexpr DWORD kStartTimeout = 60000;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string Beside(const std::string& name) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string path(self);
  return path.substr(0, path.find_last_of('\\') + 1) + name;
}

KernelObjectHandle StartProcess(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", commandLine.c_str());
    std::exit(1);
  }
  CloseHandle(process.hThread);
  return KernelObjectHandle(process.hProcess);
}

std::string SharedDllName(long index) {
  return "C:\\KelvaneGone\\Shared\\library" + std::to_string(index) + ".dll";
}

// count values in the shared DLLs key, each naming a missing file; removed again on leaving.
class ProblemValues {
 public:
  explicit ProblemValues(long count) : count_(count) {
    if (count_ == 0) return;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    const DWORD users = 1;
    for (long index = 0; index < count_; ++index) {
      RegSetValueExA(key_, SharedDllName(index).c_str(), 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&users), sizeof(users));
    }
  }
  ~ProblemValues() {
    if (!key_) return;
    for (long index = 0; index < count_; ++index)
      RegDeleteValueA(key_, SharedDllName(index).c_str());
    RegCloseKey(key_);
  }
  ProblemValues(const ProblemValues&) = delete;
  ProblemValues& operator=(const ProblemValues&) = delete;

 private:
  long count_;
  HKEY key_ = nullptr;
};

// The probe, running while this lives; its figures are printed when it ends.
class Probe {
 public:
  Probe()
      : stop_(CreateEventA(nullptr, TRUE, FALSE, kProbeStopEvent)),
        ready_(CreateEventA(nullptr, TRUE, FALSE, kProbeReadyEvent)) {
    ResetEvent(stop_.get());
    ResetEvent(ready_.get());
    process_ = StartProcess("\"" + Beside("window_probe.exe") + "\"");
    const HANDLE either[] = {ready_.get(), process_.get()};
    WaitForMultipleObjects(2, either, FALSE, kStartTimeout);
  }
  ~Probe() {
    SetEvent(stop_.get());
    WaitForSingleObject(process_.get(), kStartTimeout);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

 private:
  KernelObjectHandle stop_;
  KernelObjectHandle ready_;
  KernelObjectHandle process_;
};

// Kelvane.exe with its main window, driven by messages.
class Program {
 public:
  Program() : process_(StartProcess("\"" + Beside("Kelvane.exe") + "\"")) {
    WaitForInputIdle(process_.get(), kStartTimeout);
    for (DWORD waited = 0; !window_ && waited < kStartTimeout; waited += 10) {
      window_ = FindWindowW(kMainWindowClass, nullptr);
      if (!window_) Sleep(10);
    }
    if (!window_) {
      std::fprintf(stderr, "the main window did not appear\n");
      std::exit(1);
    }
  }
  ~Program() {
    if (window_) Close();
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The scan's modal loop runs in the program until it ends; the send returns with the counts
  // shown.
  void Scan() { SendMessageW(window_, WM_COMMAND, MAKEWPARAM(ID_SCAN_REGISTRY, 0), 0); }

  void Repair() { SendMessageW(window_, WM_COMMAND, MAKEWPARAM(ID_REPAIR_REGISTRY, 0), 0); }

  double TimedScan() {
    const Clock::time_point start = Clock::now();
    Scan();
    return SecondsSince(start);
  }

  // The first panel of the status bar: the count of problems found.
  std::string FoundText() const {
    char text[256] = {};
    SendMessageA(GetDlgItem(window_, IDC_STATUS_BAR), WM_GETTEXT, sizeof(text),
                 reinterpret_cast<LPARAM>(text));
    return text;
  }

  // Until the process has ended.
  double Close() {
    const Clock::time_point start = Clock::now();
    PostMessageW(window_, WM_CLOSE, 0, 0);
    WaitForSingleObject(process_.get(), kStartTimeout);
    window_ = nullptr;
    return SecondsSince(start);
  }

 private:
  KernelObjectHandle process_;
  HWND window_ = nullptr;
};

// Kelvane.exe -report into the program's folder: seconds, and the rows of the report.
double TimedReport(long& rows) {
  const std::string report = Beside(kReportFile);
  DeleteFileA(report.c_str());
  const Clock::time_point start = Clock::now();
  const KernelObjectHandle process =
      StartProcess("\"" + Beside("Kelvane.exe") + "\" -report \"" + report + "\"");
  WaitForSingleObject(process.get(), INFINITE);
  const double seconds = SecondsSince(start);
  std::ifstream file(report);
  std::string line;
  rows = -3;  // the report's three lines of heading
  while (std::getline(file, line)) ++rows;
  DeleteFileA(report.c_str());
  return seconds;
}

double Median(std::vector<double> figures) {
  std::sort(figures.begin(), figures.end());
  return figures[figures.size() / 2];
}

int ProbeScenario(const std::vector<std::string>&) {
  Program program;
  double scan = 0;
  {
    Probe probe;
    scan = program.TimedScan();
    std::printf("window scan of the machine: %.2f s, status \"%s\"\n", scan,
                program.FoundText().c_str());
  }
  std::printf("closing the window: %.2f s\n", program.Close());
  return 0;
}

int ScanScenario(const std::vector<std::string>& arguments) {
  const long count = arguments.empty() ? 20000 : std::atol(arguments[0].c_str());
  const int runs = arguments.size() < 2 ? 3 : std::atoi(arguments[1].c_str());
  const ProblemValues values(count);
  Program program;
  std::vector<double> ratios;
  for (int run = 1; run <= runs; ++run) {
    long reportRows = 0;
    const double report = TimedReport(reportRows);
    double window = 0;
    {
      Probe probe;
      window = program.TimedScan();
    }
    ratios.push_back(window / report);
    std::printf(
        "%ld problem values, run %d: window %.2f s (status \"%s\"), -report %.2f s "
        "(%ld rows), ratio %.2f\n",
        count, run, window, program.FoundText().c_str(), report, reportRows, window / report);
  }
  std::printf("%ld problem values: median ratio %.2f over %d runs\n", count, Median(ratios), runs);
  return 0;
}

int StopScenario(const std::vector<std::string>& arguments) {
  const long count = arguments.empty() ? 100000 : std::atol(arguments[0].c_str());
  const ProblemValues values(count);
  Program program;
  const double whole = program.TimedScan();
  std::printf("%ld problem values: whole window scan %.2f s\n", count, whole);
  for (const double share : {0.1, 0.3, 0.5, 0.7, 0.9}) {
    std::thread scan([&] { program.Scan(); });
    Sleep(static_cast<DWORD>(whole * share * 1000));
    HWND progress = FindWindowA(nullptr, "Scanning");
    const Clock::time_point pressed = Clock::now();
    if (progress) PostMessageW(progress, WM_COMMAND, MAKEWPARAM(IDC_SCAN_STOP, BN_CLICKED), 0);
    scan.join();
    std::printf("stop at %.0f%% of the scan: the window back after %.0f ms, status \"%s\"%s\n",
                share * 100, SecondsSince(pressed) * 1000, program.FoundText().c_str(),
                progress ? "" : " (the scan had ended)");
  }
  return 0;
}

int RepairScenario(const std::vector<std::string>& arguments) {
  const long count = arguments.empty() ? 20000 : std::atol(arguments[0].c_str());
  const ProblemValues values(count);
  // The default backup folder, so that no question holds the repair.
  CreateDirectoryA(Beside("Backup").c_str(), nullptr);
  Program program;
  program.Scan();
  std::printf("%ld problem values: found \"%s\"\n", count, program.FoundText().c_str());
  double repair = 0;
  {
    Probe probe;
    const Clock::time_point start = Clock::now();
    std::atomic<bool> ended{false};
    // The summary, when the settings show it, is closed as soon as it shows.
    std::thread closer([&] {
      while (!ended) {
        HWND summary = FindWindowA(nullptr, kApplicationTitle);
        if (summary && GetDlgItem(summary, IDC_REPAIR_SUMMARY_COUNT)) {
          repair = SecondsSince(start);
          PostMessageW(summary, WM_CLOSE, 0, 0);
        }
        Sleep(10);
      }
    });
    // The repair's progress window runs its modal loop until the run ends.
    program.Repair();
    if (repair == 0) repair = SecondsSince(start);
    ended = true;
    closer.join();
  }
  std::printf("repair: %.2f s, status \"%s\"\n", repair, program.FoundText().c_str());
  return 0;
}

struct Scenario {
  const char* name;
  std::function<int(const std::vector<std::string>&)> run;
};

const Scenario kScenarios[] = {
    {"probe", ProbeScenario},
    {"scan", ScanScenario},
    {"stop", StopScenario},
    {"repair", RepairScenario},
};

}  // namespace
}  // namespace kelvane

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string name = argc > 1 ? argv[1] : "";
  for (const kelvane::Scenario& scenario : kelvane::kScenarios) {
    if (name == scenario.name) return scenario.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "usage: window_benchmark.exe probe | scan N [RUNS] | stop N | repair N\n");
  return 2;
}
