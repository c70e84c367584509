#include "platform/memory/MemoryProcesses.h"

#include <utility>

namespace kelvane {
namespace {

class EndedProcess : public StartedProcess {
 public:
  bool HasEnded() override { return true; }
  bool Terminate() override { return false; }
};

}  // namespace

void MemoryProcesses::SetProgram(Program program) { program_ = std::move(program); }

void MemoryProcesses::SetStartSucceeds(bool succeeds) { startSucceeds_ = succeeds; }

std::unique_ptr<StartedProcess> MemoryProcesses::StartHidden(const std::string& commandLine) {
  commandLines_.push_back(commandLine);
  if (!startSucceeds_) return nullptr;
  if (program_) program_(commandLine);
  return std::make_unique<EndedProcess>();
}

}  // namespace kelvane
