// Starts the program beside it, lays its main window at the top left of the screen at the given
// size, scans, and keeps it there for the given seconds, so that a picture can be taken.
// pose_main_window.exe WIDTH HEIGHT SECONDS; prints "posed" once the scan is done.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"

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
    window = FindWindowA(kelvane::kMainWindowClass, nullptr);
    Sleep(100);
  }
  if (!window) return 1;
  SetWindowPos(window, nullptr, 0, 0, std::atoi(argv[1]), std::atoi(argv[2]), SWP_NOZORDER);
  // The scan's own modal loop runs until it ends; the send returns then.
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_SCAN_REGISTRY, 0), 0);
  Sleep(1000);
  std::printf("posed\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(std::atoi(argv[3])) * 1000);
  PostMessageA(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hProcess);
  return 0;
}
