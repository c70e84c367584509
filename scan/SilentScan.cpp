#include "scan/SilentScan.h"

#include "scan/ScanFailureMessage.h"

namespace kelvane {
namespace {

class CollectingSink : public ScanSink {
 public:
  explicit CollectingSink(std::vector<ProblemRecord>& rows) : rows_(rows) {}
  void ShowStatus(const std::string&) override {}
  void ShowKeyProgress(const std::string&) override {}
  void AddProblem(const ProblemRecord& row) override { rows_.push_back(row); }
  void BeforeTask() override {}
  void AfterTask() override {}
  void ScanEnded(ScanEnd how) override { ended = how; }
  ScanEnd ended = ScanEnd::Failed;

 private:
  std::vector<ProblemRecord>& rows_;
};

}  // namespace

SilentScanResult ScanSilently(RegistryStore& registry, FileSystemAccess& files,
                              SystemAccess& system, const Language& language,
                              const ScanOptions& options, const std::vector<ScanCategory>& tasks) {
  SilentScanResult result;
  CollectingSink sink(result.rows);
  Scanner scanner(registry, files, system, language, options, sink);
  scanner.MeasureFloppyDrives();
  scanner.Execute(tasks);
  if (sink.ended != ScanEnd::Completed) {
    const std::optional<ScanFailure> failure = scanner.Failure();
    result.failure = failure ? ScanFailureLine(*failure) : "the scan ended early";
  }
  return result;
}

}  // namespace kelvane
