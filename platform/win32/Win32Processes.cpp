#include "platform/win32/Win32Processes.h"

#include <windows.h>

#include <utility>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {
namespace {

class Win32Process : public StartedProcess {
 public:
  explicit Win32Process(KernelObjectHandle process) : process_(std::move(process)) {}

  bool HasEnded() override { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }
  bool Terminate() override { return TerminateProcess(process_.get(), 0) != FALSE; }

 private:
  KernelObjectHandle process_;
};

}  // namespace

std::unique_ptr<StartedProcess> Win32ProcessStarter::StartHidden(const std::string& commandLine) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  // CreateProcessW may write into the command line.
  std::wstring line = Wide(commandLine);
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &started)) {
    return nullptr;
  }
  // Only the process is watched.
  const KernelObjectHandle thread(started.hThread);
  return std::make_unique<Win32Process>(KernelObjectHandle(started.hProcess));
}

}  // namespace kelvane
