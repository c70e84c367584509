// A scan on the calling thread that shows nothing, for the runs without a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scan/Scanner.h"

namespace kelvane {

struct SilentScanResult {
  std::vector<ProblemRecord> rows;  // in the order found
  // The account of a scan that did not run to its end; none when it did.
  std::optional<std::string> failure;
};

SilentScanResult ScanSilently(RegistryStore& registry, FileSystemAccess& files,
                              SystemAccess& system, const Language& language,
                              const ScanOptions& options, const std::vector<ScanCategory>& tasks);

}  // namespace kelvane
