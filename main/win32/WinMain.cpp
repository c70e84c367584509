#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "global/win32/FittedMessageBox.h"
#include "global/win32/StandardStreams.h"
#include "main/CommandLine.h"
#include "main/win32/HeadlessRuns.h"
#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"
#include "platform/Utf8.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Handles.h"

namespace {

using namespace kelvane;

// The first start takes the name before it makes its window, so that two starts at the same
// moment can never both go on. A name without a namespace lies in the session's own, one per
// desktop as the window is; Wine's ends the process in a fault with the "Local\\" prefix.
constexpr wchar_t kInstanceMutexName[] = L"Tessaly Kelvane single instance";
// How long a second start waits for the first one's window to appear.
constexpr int kWaitForRunningWindowMs = 10000;

// Brings the running instance to the front; its window may still be in the making.
void ActivateRunningInstance() {
  for (int waited = 0; waited <= kWaitForRunningWindowMs; waited += 50) {
    if (HWND running = FindWindowW(kMainWindowClass, nullptr)) {
      PostMessageW(running, kActivateInstanceMessage, 0, 0);
      SetForegroundWindow(running);
      return;
    }
    Sleep(50);
  }
}

// On standard error when there is one to read it; in a box only when the program was started
// without one, from the desktop.
int ShowUsage() {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error && error != INVALID_HANDLE_VALUE) {
    WriteStandardError(UsageText());
  } else {
    FittedMessageBox(nullptr, UsageText(), MB_OK | MB_ICONINFORMATION);
  }
  return kUsageExitCode;
}

int RunWindow(bool cleanOnce) {
  // One instance per desktop: a second start brings the first to the front.
  // Without the name (a system that refuses it) the window alone tells; it also finds a
  // running copy of a version that never took the name.
  const KernelObjectHandle instance(CreateMutexW(nullptr, FALSE, kInstanceMutexName));
  const bool nameTaken = instance && GetLastError() == ERROR_ALREADY_EXISTS;
  if (nameTaken || FindWindowW(kMainWindowClass, nullptr)) {
    // An unattended run is never handed to a window nobody may be looking at.
    if (cleanOnce) {
      WriteStandardError(AlreadyRunningLine());
      return kAlreadyRunningExitCode;
    }
    ActivateRunningInstance();
    return 0;
  }
  Win32FileSystem files;
  MainWindow window(files.ProgramFolder(), cleanOnce);
  if (!window.Create()) return 1;
  window.Show();
  HACCEL accelerators =
      LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_ACCELERATORS));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    const HWND main = window.Handle();
    if (main && TranslateAcceleratorW(main, accelerators, &message)) continue;
    // Tab and access keys between the main window's controls.
    if (main && IsDialogMessageW(main, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

// The arguments as typed, in any script.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> result;
  for (int index = 1; arguments && index < count; ++index) result.push_back(Utf8(arguments[index]));
  LocalFree(arguments);
  return result;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  SetSystemAnsiIsCodePage1252(GetACP() == 1252);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const StartRequest request = ParseCommandLine(Arguments());
  switch (request.mode) {
    case StartMode::Report: return RunReportMode(request);
    case StartMode::CleanOnce:
      return request.quiet ? RunQuietCleanOnceMode(request) : RunWindow(true);
    case StartMode::Usage: return ShowUsage();
    case StartMode::Window: break;
  }
  return RunWindow(false);
}
