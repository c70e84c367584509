// Processes started through CreateProcessW (kernel32).
#pragma once

#include "platform/ProcessStarter.h"

namespace kelvane {

class Win32ProcessStarter : public ProcessStarter {
 public:
  std::unique_ptr<StartedProcess> StartHidden(const std::string& commandLine) override;
};

}  // namespace kelvane
