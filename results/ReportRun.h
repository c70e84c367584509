// The unattended report: scans the categories ticked in the settings exactly as the Scan
// command does, keeps what the filter keeps, and writes the text report.
#pragma once

#include <string>

#include "platform/FileSystemAccess.h"
#include "platform/ProfileStore.h"
#include "platform/RegistryStore.h"
#include "platform/SystemAccess.h"

namespace kelvane {

struct ReportOutcome {
  bool written = false;
  std::string failure;  // one line, when not written
  std::size_t rows = 0;
};

ReportOutcome RunReport(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                        ProfileStore& profiles, const std::string& programFolder,
                        const std::string& reportPath);

}  // namespace kelvane
