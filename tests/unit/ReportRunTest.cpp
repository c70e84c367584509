#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/PortableProfileStore.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemorySystem.h"
#include "results/ReportRun.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

// A registry whose every root fails as no real one does, so that a category fails.
class BrokenRegistry : public RegistryStore {
 public:
  std::unique_ptr<RegistryKey> OpenRoot(RootKey) override {
    throw std::runtime_error("the registry is gone");
  }
};

TEST(ReportRun, AFailedCategoryWritesNoReportAndNamesWhereItStopped) {
  testsupport::ScratchFolder folder;
  BrokenRegistry registry;
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  MemorySystem system;
  PortableProfileStore profiles;
  const ReportOutcome outcome =
      RunReport(registry, files, system, profiles, folder.Path(), "C:\\report.txt");
  EXPECT_FALSE(outcome.written);
  EXPECT_EQ(outcome.failure,
            "the scan ended early with an error (Scanning Files and Folders - "
            "HKEY_LOCAL_MACHINE... key \"\"): the registry is gone");
  EXPECT_FALSE(files.FileExists("C:\\report.txt"));
}

}  // namespace
}  // namespace kelvane
