// Programs the system starts as separate processes: the registry editor and the system's tools.
#pragma once

#include <memory>
#include <string>

namespace kelvane {

// A started process. Letting go of the object leaves the process running.
class StartedProcess {
 public:
  virtual ~StartedProcess() = default;
  // Asks without waiting.
  virtual bool HasEnded() = 0;
  // Ends the process with exit code 0 and does not wait for it to go.
  virtual bool Terminate() = 0;
};

class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // The command line's first word names the program, found on the system's search path when it
  // is no path. The window is hidden and there are no standard handles. nullptr when it cannot
  // be started.
  virtual std::unique_ptr<StartedProcess> StartHidden(const std::string& commandLine) = 0;
};

}  // namespace kelvane
