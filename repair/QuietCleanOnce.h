// The unattended scan and repair that shows no window of any kind and asks nothing: every
// question gets its safe answer (no backup folder: nothing is deleted; a restore point that
// cannot be made: nothing is deleted), and what it did is said in lines and in the rows'
// outcomes for the machine report.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ProfileStore.h"
#include "platform/SystemAccess.h"
#include "repair/CleanOnce.h"
#include "results/MachineReport.h"

namespace kelvane {

struct QuietCleanOnceOutcome {
  int exitCode = 0;
  // Why the run stopped short, for standard error; empty when it did not.
  std::string failure;
  std::string line;  // the account of the run
  std::vector<ReportedRow> rows;
  std::vector<std::string> backupFiles;
  std::vector<ScanCategory> categories;
};

// context supplies the registry, files, clock and limits; createRestorePoint is asked only when
// the settings want a restore point where the system has one.
QuietCleanOnceOutcome RunQuietCleanOnce(RepairContext& context, SystemAccess& system,
                                        ProfileStore& profiles, const std::string& programFolder,
                                        const std::function<bool()>& createRestorePoint);

// The last line a quiet run prints, for a fleet to collect.
std::string CleanOnceSummaryLine(const QuietCleanOnceOutcome& outcome,
                                 const std::string& reportPath);

}  // namespace kelvane
