// The program as a process: one instance per desktop, the unattended report, the unattended
// scan and repair, settings kept across a restart.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"
#include "options/win32/IgnoreEntryDialogIds.h"
#include "options/win32/OptionsDialogIds.h"
#include "platform/win32/WideText.h"
#include "repair/win32/RepairSummaryDialogIds.h"
#include "tests/win32/BackupFolderFiles.h"
#include "tests/win32/DialogSearch.h"

namespace kelvane {
namespace {

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "Kelvane.exe";
}

// Starts the program with the arguments; the handle is closed when the object goes.
class Program {
 public:
  // What the program writes to standard error goes to errorFile when one is named, and its
  // standard output to outputFile.
  explicit Program(const std::string& arguments, const std::string& errorFile = "",
                   const std::string& outputFile = "") {
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    const HANDLE error = Inherited(errorFile);
    const HANDLE output = Inherited(outputFile);
    const bool redirected = error != INVALID_HANDLE_VALUE || output != INVALID_HANDLE_VALUE;
    if (redirected) {
      startup.dwFlags = STARTF_USESTDHANDLES;
      startup.hStdError = error;
      startup.hStdOutput = output;
    }
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, redirected, 0, nullptr,
                       nullptr, &startup, &process)) {
      CloseHandle(process.hThread);
      process_ = process.hProcess;
      id_ = process.dwProcessId;
    }
    for (HANDLE file : {error, output}) {
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
  }
  // A program still running (a failed test) is ended, so it cannot hold the next test up.
  ~Program() {
    if (!process_) return;
    Kill();
    CloseHandle(process_);
  }
  bool Started() const { return process_ != nullptr; }
  bool Ended() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
  DWORD Id() const { return id_; }
  // Ends a running program at once; false when it had already ended.
  bool Kill() {
    return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT && TerminateProcess(process_, 99);
  }
  // The exit code, or -1 when it did not end in time.
  int Wait(DWORD milliseconds) {
    if (WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
  }

 private:
  static HANDLE Inherited(const std::string& file) {
    if (file.empty()) return INVALID_HANDLE_VALUE;
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    return CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0,
                       nullptr);
  }

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

BOOL CALLBACK CountMainWindow(HWND window, LPARAM counter) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  if (std::wstring(name) == kMainWindowClass) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

int MainWindowCount() {
  int count = 0;
  EnumWindows(&CountMainWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

HWND WaitForMainWindow() {
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (HWND window = FindWindowW(kMainWindowClass, nullptr)) return window;
    Sleep(100);
  }
  return nullptr;
}

TEST(Program, ASecondStartBringsTheFirstForwardAndEnds) {
  Program first("");
  ASSERT_TRUE(first.Started());
  HWND window = WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_MINIMIZE);

  Program second("");
  EXPECT_EQ(second.Wait(30000), 0);
  EXPECT_EQ(MainWindowCount(), 1);
  // The first instance was asked to come back from the task bar.
  for (int attempt = 0; attempt < 50 && IsIconic(window); ++attempt) Sleep(100);
  EXPECT_FALSE(IsIconic(window));

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.Wait(30000), 0);
}

TEST(Program, TenStartsAtOnceGiveOneWindow) {
  std::vector<std::unique_ptr<Program>> starts;
  for (int start = 0; start < 10; ++start) starts.push_back(std::make_unique<Program>(""));
  HWND window = WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  for (const auto& start : starts) {
    if (start->Id() != owner) {
      EXPECT_EQ(start->Wait(30000), 0);
    }
  }
  EXPECT_EQ(MainWindowCount(), 1);
  PostMessageW(window, WM_CLOSE, 0, 0);
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Headless starts never end in a window: a wrong switch prints the usage, and a clean run that
// finds the program's window open says it did nothing.
TEST(Program, AWrongSwitchPrintsTheUsageAndCleanOnceBesideTheWindowSaysItDidNothing) {
  const std::string said = "C:\\kelvane-tests\\program-stderr.txt";
  for (const char* wrong : {"/?", "--help", "-foo"}) {
    Program run(wrong, said);
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.Wait(60000), 2) << wrong;
    EXPECT_EQ(FileText(said).rfind("Kelvane: Usage: Kelvane.exe [-report FILE", 0), 0u)
        << wrong;
    EXPECT_EQ(MainWindowCount(), 0) << wrong;
  }

  Program first("");
  HWND window = WaitForMainWindow();
  ASSERT_NE(window, nullptr);
  Program clean("-cleanonce", said);
  EXPECT_EQ(clean.Wait(60000), 4);
  EXPECT_EQ(FileText(said), "Kelvane: clean-once: the program is already running; nothing was "
                            "scanned or repaired\r\n");
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.Wait(30000), 0);
  DeleteFileA(said.c_str());
}

TEST(Program, TheReportSwitchWritesTheReportWithoutAWindow) {
  const std::string report = "C:\\kelvane-tests\\program-report.txt";
  DeleteFileA(report.c_str());
  Program run("-report " + report);
  ASSERT_TRUE(run.Started());
  EXPECT_EQ(run.Wait(300000), 0);
  std::ifstream file(report, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str().rfind("This file was generated by Tessaly Kelvane\r\n", 0), 0u);
  DeleteFileA(report.c_str());

  Program missingPath("-report");
  EXPECT_NE(missingPath.Wait(60000), 0);
  Program unwritable("-report C:\\no-such-folder\\report.txt");
  EXPECT_NE(unwritable.Wait(300000), 0);
}

constexpr char kProgramFolder[] = "C:\\kelvane-tests\\";

// options.ini beside the program: only the current user's files and folders are scanned, so a
// run repairs little beyond what the test made.
class ProgramOptions {
 public:
  ProgramOptions(const std::string& backupFolder, bool showHint, bool restorePoint = false,
                 const std::string& language = "English") {
    std::ofstream file(Path(), std::ios::binary);
    file << "[Options]\r\nOutputDirectory=" << backupFolder << "\r\nShowHint=" << showHint
         << "\r\nRestorePoint=" << restorePoint << "\r\nLan=" << language
         << "\r\n[TreeViewNodeCheck]\r\n";
    for (int node = 1; node <= 23; ++node) {
      file << node << "=" << (node == 1 || node == 2 || node == 4) << "\r\n";
    }
  }
  ~ProgramOptions() { DeleteFileA(Path().c_str()); }

 private:
  static std::string Path() { return std::string(kProgramFolder) + "options.ini"; }
};

// A key of the current user, without subkeys, holding values that name missing programs;
// removed at the end. Its name may be in any script.
class MissingProgramsKey {
 public:
  MissingProgramsKey(const std::string& name, int count) : path_(Wide("Software\\" + name)) {
    RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    for (int index = 0; index < count; ++index) {
      const std::string data = Data(index);
      RegSetValueExA(key, Name(index).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1));
    }
    RegCloseKey(key);
  }
  ~MissingProgramsKey() { RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str()); }

  static std::string Name(int index) { return "Program " + std::to_string(index); }
  static std::string Data(int index) {
    return "C:\\KelvaneGone\\program" + std::to_string(index) + ".exe";
  }
  // How many of the values are there with their data.
  int CountPresent(int count) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return 0;
    }
    int present = 0;
    for (int index = 0; index < count; ++index) {
      char data[MAX_PATH] = {};
      DWORD size = sizeof(data);
      if (RegQueryValueExA(key, Name(index).c_str(), nullptr, nullptr,
                           reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS &&
          data == Data(index)) {
        ++present;
      }
    }
    RegCloseKey(key);
    return present;
  }
  // How many values the key holds, in one look.
  int ValueCount() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return 0;
    }
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return static_cast<int>(values);
  }

 private:
  std::wstring path_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

bool ImportWithRegistryEditor(const std::string& file) {
  std::string commandLine = "regedit /s \"" + file + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  const bool ended = WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended;
}

TEST(Program, CleanOnceScansAndRepairsWithoutItsWindowButAsksItsQuestions) {
  const std::string backupFolder = std::string(kProgramFolder) + "clean-once-backup";
  RemoveBackupFolder(backupFolder);
  const ProgramOptions options(backupFolder, true);
  const MissingProgramsKey key("KelvaneCleanOnceTest", 3);

  Program run("-CleanOnce");
  ASSERT_TRUE(run.Started());
  bool windowSeen = false;
  std::string question;
  std::string summary;
  int code = -1;
  for (int attempt = 0; attempt < 1200 && code == -1; ++attempt) {
    HWND window = FindWindowW(kMainWindowClass, nullptr);
    if (window && IsWindowVisible(window)) windowSeen = true;
    HWND dialog = FindProcessDialog(run.Id());
    if (HWND count = dialog ? GetDlgItem(dialog, IDC_REPAIR_SUMMARY_COUNT) : nullptr) {
      summary = WindowText(count);
      PostMessageW(dialog, WM_COMMAND, IDNO, 0);
    } else if (dialog && GetDlgItem(dialog, IDYES)) {
      question = WindowText(GetDlgItem(dialog, kMessageBoxTextId));
      PostMessageW(dialog, WM_COMMAND, IDYES, 0);
    }
    code = run.Wait(100);
  }
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(windowSeen);
  EXPECT_EQ(question, backupFolder +
                          ",The backup directory does not exist.\r\ncreates a new directory?");
  EXPECT_EQ(summary.rfind("There are total ", 0), 0u) << summary;
  EXPECT_EQ(key.CountPresent(3), 0);
  const std::vector<std::string> files = BackupFiles(backupFolder);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(ReadFile(files[0]).rfind("REGEDIT4\r\n", 0), 0u);

  ASSERT_TRUE(ImportWithRegistryEditor(files[0]));
  EXPECT_EQ(key.CountPresent(3), 3);
  RemoveBackupFolder(backupFolder);
}

// The classes of a process's windows, hidden and message-only ones too.
struct ProcessWindows {
  DWORD id;
  std::set<std::string> classes;
};

BOOL CALLBACK NoteProcessWindow(HWND window, LPARAM found) {
  auto* windows = reinterpret_cast<ProcessWindows*>(found);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[128] = {};
  if (owner == windows->id && GetClassNameA(window, name, sizeof(name))) {
    windows->classes.insert(name);
  }
  return TRUE;
}

// Runs the program to its end, looking for its windows every few milliseconds. The apartment
// window the system's COM makes for a thread that reads shell links is not the program's.
struct WatchedRun {
  int code = -1;
  std::set<std::string> windows;
  std::string lastOutputLine;
  std::string error;
};

WatchedRun RunWatched(const std::string& arguments) {
  const std::string error = std::string(kProgramFolder) + "watched-stderr.txt";
  const std::string output = std::string(kProgramFolder) + "watched-stdout.txt";
  WatchedRun watched;
  {
    Program run(arguments, error, output);
    ProcessWindows windows{run.Id(), {}};
    for (int waited = 0; waited < 300000 && !run.Ended(); waited += 2) {
      EnumWindows(&NoteProcessWindow, reinterpret_cast<LPARAM>(&windows));
      for (HWND message = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); message;
           message = FindWindowExA(HWND_MESSAGE, message, nullptr, nullptr)) {
        NoteProcessWindow(message, reinterpret_cast<LPARAM>(&windows));
      }
      Sleep(2);
    }
    windows.classes.erase("OleMainThreadWndClass");
    watched.windows = windows.classes;
    watched.code = run.Wait(0);
  }
  std::string said = ReadFile(output);
  while (!said.empty() && (said.back() == '\n' || said.back() == '\r')) said.pop_back();
  watched.lastOutputLine = said.substr(said.find_last_of('\n') + 1);
  watched.error = ReadFile(error);
  DeleteFileA(error.c_str());
  DeleteFileA(output.c_str());
  return watched;
}

TEST(Program, HeadlessRunsShowNoWindowAskNothingAndEndWithTheirSummaryLine) {
  const std::string backupFolder = std::string(kProgramFolder) + "quiet-backup";
  RemoveBackupFolder(backupFolder);
  const MissingProgramsKey key("KelvaneQuietTest", 2);
  const std::string report = std::string(kProgramFolder) + "quiet.jsonl";
  {
    // The summary and the question about the folder would each show a window.
    const ProgramOptions options(backupFolder, true);
    WatchedRun detect = RunWatched("-report " + report + " -exitcode");
    EXPECT_EQ(detect.code, 1) << detect.error;
    EXPECT_TRUE(detect.windows.empty()) << *detect.windows.begin();
    EXPECT_EQ(detect.lastOutputLine.rfind("report: ", 0), 0u) << detect.lastOutputLine;
    EXPECT_NE(ReadFile(report).find("\"rule\":\"file-reference\""), std::string::npos);

    WatchedRun unwritable = RunWatched("-report C:\\no-such-folder\\r.csv -exitcode");
    EXPECT_EQ(unwritable.code, 5);
    EXPECT_TRUE(unwritable.windows.empty());

    WatchedRun noFolder = RunWatched("-cleanonce -quiet");
    EXPECT_EQ(noFolder.code, 1);
    EXPECT_TRUE(noFolder.windows.empty()) << *noFolder.windows.begin();
    EXPECT_NE(noFolder.error.find("does not exist; nothing was repaired"), std::string::npos)
        << noFolder.error;
    EXPECT_EQ(key.CountPresent(2), 2);
  }
  CreateDirectoryA(backupFolder.c_str(), nullptr);
  {
    // Wine has no System Restore: the restore point the settings ask for fails, without a window.
    const ProgramOptions options(backupFolder, true, true);
    WatchedRun noRestorePoint = RunWatched("-cleanonce -quiet");
    EXPECT_EQ(noRestorePoint.code, 1);
    EXPECT_TRUE(noRestorePoint.windows.empty()) << *noRestorePoint.windows.begin();
    EXPECT_NE(noRestorePoint.error.find("the restore point could not be created"),
              std::string::npos)
        << noRestorePoint.error;
    EXPECT_EQ(key.CountPresent(2), 2);
  }
  {
    // The summary line is the same in every language.
    const ProgramOptions options(backupFolder, true, false, "German");
    WatchedRun german = RunWatched("-report " + report);
    EXPECT_EQ(german.lastOutputLine.rfind("report: 2 problems found (2 certain, ", 0), 0u)
        << german.lastOutputLine;
    EXPECT_LT(german.lastOutputLine.size(), 2048u);
  }
  {
    const ProgramOptions options(backupFolder, true);
    WatchedRun clean = RunWatched("-cleanonce -report " + report);
    EXPECT_TRUE(clean.windows.empty()) << *clean.windows.begin();
    EXPECT_EQ(key.CountPresent(2), 0) << clean.error;
    EXPECT_EQ(clean.lastOutputLine.rfind("clean-once: ", 0), 0u) << clean.lastOutputLine;
    EXPECT_NE(clean.lastOutputLine.find("; backup " + backupFolder + "\\Backup"),
              std::string::npos)
        << clean.lastOutputLine;
    EXPECT_NE(ReadFile(report).find("\"outcome\":\"repaired\",\"backup_file\":"),
              std::string::npos);
    // Detection after remediation: nothing certain is left.
    EXPECT_EQ(RunWatched("-report " + report + " -exitcode").code, 0);
  }
  DeleteFileA(report.c_str());
  RemoveBackupFolder(backupFolder);
}

// The running program's dialog that holds the control, once it shows.
HWND WaitForDialog(DWORD processId, int controlId) {
  for (int attempt = 0; attempt < 300; ++attempt) {
    if (HWND dialog = FindProcessDialog(processId, controlId)) return dialog;
    Sleep(100);
  }
  return nullptr;
}

bool WaitUntilClosed(HWND dialog) {
  for (int attempt = 0; attempt < 300 && IsWindow(dialog); ++attempt) Sleep(100);
  return !IsWindow(dialog);
}

// Adds the entry to the key list in the running program's Options window, as a user types it,
// and confirms both windows.
void IgnoreKeyInOptions(const Program& program, HWND window, const std::string& entry) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_OPTIONS, 0), 0);
  HWND options = WaitForDialog(program.Id(), IDC_OPTIONS_KEYS);
  ASSERT_NE(options, nullptr);
  SendMessageW(GetDlgItem(options, IDC_OPTIONS_LISTS), TCM_SETCURSEL, 1, 0);
  PostMessageW(options, WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_ADD, BN_CLICKED), 0);
  HWND typed = WaitForDialog(program.Id(), IDC_IGNORE_ENTRY_TEXT);
  ASSERT_NE(typed, nullptr);
  const std::wstring text = Wide(entry);
  SendMessageW(GetDlgItem(typed, IDC_IGNORE_ENTRY_TEXT), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(text.c_str()));
  PostMessageW(typed, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntilClosed(typed));
  PostMessageW(options, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntilClosed(options));
}

// How the machine report marks the row of the key: "true" or "false" ignored, empty without one.
std::string IgnoredMark(const std::string& report, const std::string& key) {
  std::string json;
  for (char c : key) json += c == '\\' ? std::string("\\\\") : std::string(1, c);
  std::istringstream rows(report);
  for (std::string row; std::getline(rows, row);) {
    if (row.find("\"key\":\"" + json + "\"") == std::string::npos) continue;
    const std::size_t mark = row.find("\"ignored\":") + std::strlen("\"ignored\":");
    return row.substr(mark, row.compare(mark, 4, "true") == 0 ? 4 : 5);
  }
  return "";
}

TEST(Program, AKeyIgnoredInCyrillicSurvivesARestartAndStillHidesItsRow) {
  const std::string backupFolder = std::string(kProgramFolder) + "cyrillic-backup";
  CreateDirectoryA(backupFolder.c_str(), nullptr);
  const ProgramOptions options(backupFolder, false);
  const std::string name = "Kelvane\u0422\u0435\u0441\u0442";
  const MissingProgramsKey ignored(name, 1);
  const MissingProgramsKey shown("KelvaneShownTest", 1);
  const std::string entry = "HKEY_CURRENT_USER\\Software\\" + name;
  {
    Program first("");
    HWND window = WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_NO_FATAL_FAILURE(IgnoreKeyInOptions(first, window, entry));
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(first.Wait(30000), 0);
  }
  wchar_t stored[MAX_PATH] = {};
  GetPrivateProfileStringW(L"IgnoreKey", L"Key1", L"", stored, MAX_PATH,
                           Wide(std::string(kProgramFolder) + "options.ini").c_str());
  EXPECT_EQ(Utf8(stored), entry);

  const std::string report = std::string(kProgramFolder) + "cyrillic.jsonl";
  const WatchedRun again = RunWatched("-report " + report);
  EXPECT_EQ(again.code, 0) << again.error;
  EXPECT_EQ(IgnoredMark(ReadFile(report), entry), "true");
  EXPECT_EQ(IgnoredMark(ReadFile(report), "HKEY_CURRENT_USER\\Software\\KelvaneShownTest"),
            "false");
  DeleteFileA(report.c_str());
  RemoveDirectoryA(backupFolder.c_str());
}

TEST(Program, AProgramKilledDuringARepairLeavesEveryDeletedItemInItsBackup) {
  constexpr int kValues = 4000;
  const std::string backupFolder = std::string(kProgramFolder) + "killed-backup";
  RemoveBackupFolder(backupFolder);
  CreateDirectoryA(backupFolder.c_str(), nullptr);
  const ProgramOptions options(backupFolder, false);
  const MissingProgramsKey key("KelvaneKilledRepairTest", kValues);

  Program run("-cleanonce");
  ASSERT_TRUE(run.Started());
  // Stopped once about a quarter of the values is gone: each went into the backup file first.
  bool killed = false;
  for (int attempt = 0; attempt < 12000 && !killed; ++attempt) {
    if (key.ValueCount() <= kValues * 3 / 4) killed = run.Kill();
    if (run.Wait(10) != -1) break;
  }
  ASSERT_TRUE(killed) << "the repair ended before it could be stopped";
  const int left = key.CountPresent(kValues);
  EXPECT_GT(left, 0);
  EXPECT_LT(left, kValues);

  const std::vector<std::string> files = BackupFiles(backupFolder);
  ASSERT_EQ(files.size(), 1u);
  ASSERT_TRUE(ImportWithRegistryEditor(files[0]));
  EXPECT_EQ(key.CountPresent(kValues), kValues) << left << " were left before the import";
  RemoveBackupFolder(backupFolder);
}

}  // namespace
}  // namespace kelvane
