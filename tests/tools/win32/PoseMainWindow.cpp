// Starts the program beside it, lays its main window at the top left of the screen at the given
// size and keeps it there for the given seconds, so that a picture can be taken.
// pose_main_window.exe WIDTH HEIGHT SECONDS [review | options]: scans and selects the first row
// for review, or opens the options window without a scan. Prints "posed" and the left, top,
// width and height of the window to take once it is ready.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"

namespace {

// The first row with the mark of rows for review; the list answers into the program's own
// memory, so the question is written there.
int FirstReviewRow(HANDLE program, HWND list) {
  void* remote = VirtualAllocEx(program, nullptr, sizeof(LVITEMA), MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return 0;
  int found = 0;
  const int count = ListView_GetItemCount(list);
  for (int row = 0; row < count; ++row) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    WriteProcessMemory(program, remote, &item, sizeof(item), nullptr);
    SendMessageW(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(program, remote, &item, sizeof(item), nullptr);
    if (item.iImage == 0) {
      found = row;
      break;
    }
  }
  VirtualFreeEx(program, remote, 0, MEM_RELEASE);
  return found;
}

// The row is chosen by the keyboard, as a user does; the list takes the focus first.
void SelectRow(HWND list, int row) {
  const DWORD programThread = GetWindowThreadProcessId(list, nullptr);
  AttachThreadInput(GetCurrentThreadId(), programThread, TRUE);
  SetFocus(list);
  AttachThreadInput(GetCurrentThreadId(), programThread, FALSE);
  SendMessageW(list, WM_KEYDOWN, VK_HOME, 0);
  for (int step = 0; step < row; ++step) SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
}

// The options window, once it is up.
HWND OpenOptions(HWND window) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_OPTIONS, 0), 0);
  for (int attempt = 0; attempt < 100; ++attempt) {
    Sleep(100);
    HWND dialog = FindWindowW(MAKEINTATOM(32770), nullptr);
    if (dialog && GetWindow(dialog, GW_OWNER) == window && IsWindowVisible(dialog)) return dialog;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string program(self);
  program = "\"" + program.substr(0, program.find_last_of('\\') + 1) + "Kelvane.exe\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &program[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 1;
  }
  CloseHandle(process.hThread);
  HWND window = nullptr;
  for (int attempt = 0; attempt < 600 && !window; ++attempt) {
    window = FindWindowW(kelvane::kMainWindowClass, nullptr);
    Sleep(100);
  }
  if (!window) return 1;
  SetWindowPos(window, nullptr, 0, 0, std::atoi(argv[1]), std::atoi(argv[2]), SWP_NOZORDER);
  HWND posed = window;
  if (argc > 4 && std::strcmp(argv[4], "options") == 0) {
    posed = OpenOptions(window);
    if (!posed) return 1;
  } else {
    // The scan's own modal loop runs until it ends; the send returns then.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_SCAN_REGISTRY, 0), 0);
    HWND list = GetDlgItem(window, IDC_RESULTS_LIST);
    if (argc > 4) SelectRow(list, FirstReviewRow(process.hProcess, list));
  }
  Sleep(1000);
  RECT place = {};
  GetWindowRect(posed, &place);
  std::printf("posed %ld %ld %ld %ld\n", place.left, place.top, place.right - place.left,
              place.bottom - place.top);
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::atoi(argv[3])) * 1000);
  if (posed != window) PostMessageW(posed, WM_COMMAND, IDCANCEL, 0);
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hProcess);
  return 0;
}
