// The scan: runs the ticked categories one after another and reports every problem to its
// sink. Execute runs on the caller's thread; Stop may be called from any thread and takes
// effect at the next key, row or task.
#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "global/ScanCategory.h"
#include "scan/ScanContext.h"

namespace kelvane {

struct ScanOptions {
  bool includeRemoveMedia = false;
  bool includeCdDrive = false;
  bool scan64Bit = false;
};

class Scanner {
 public:
  Scanner(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
          const Language& language, ScanOptions options, ScanSink& sink);

  // Whether A: and B: hold a medium; probed only when removable media are judged.
  void MeasureFloppyDrives();
  // Each task runs between the sink's two task steps, a group of the tree with no rule too.
  void Execute(const std::vector<ScanCategory>& tasks);
  void Stop() { context_.Stop(); }
  bool StopRequested() const { return context_.StopRequested(); }
  const DriveChecks& Drives() const { return context_.Drives(); }
  // Set before the sink hears of a failed end; may be asked from any thread.
  std::optional<ScanFailure> Failure() const;

 private:
  // Records the failure of the category under way; a stop that came first wins.
  ScanEnd Fail(const std::string& error);

  ScanContext context_;
  mutable std::mutex failureMutex_;
  std::optional<ScanFailure> failure_;
};

// The lower-case letters of the drives whose references are judged: "ab" and every letter
// when removable media are included, otherwise the fixed drives; CD-ROM drives only when
// they are included. The fixed drives are listed apart as well.
struct JudgedDrives {
  std::string judged;
  std::string fixed;
};
JudgedDrives ScanDriveLetters(FileSystemAccess& files, const ScanOptions& options);

}  // namespace kelvane
