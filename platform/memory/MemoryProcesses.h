// A stand-in for starting processes: a program the test gives runs at once for each start,
// and every command line is recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ProcessStarter.h"

namespace kelvane {

class MemoryProcesses : public ProcessStarter {
 public:
  using Program = std::function<void(const std::string& commandLine)>;

  // What a start does before it counts as started, e.g. an import into a memory registry.
  void SetProgram(Program program);
  // Starts succeed until told otherwise; a failed start runs nothing.
  void SetStartSucceeds(bool succeeds);
  const std::vector<std::string>& CommandLines() const { return commandLines_; }

  // The process has ended by the time it is returned.
  std::unique_ptr<StartedProcess> StartHidden(const std::string& commandLine) override;

 private:
  Program program_;
  bool startSucceeds_ = true;
  std::vector<std::string> commandLines_;
};

}  // namespace kelvane
