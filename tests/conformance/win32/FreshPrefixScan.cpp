// The scan of the runner's own prefix, made fresh for the run: a 64-bit prefix shows the 32-bit
// program dozens of links (the shared keys of its view lead to the 64-bit ones), a 32-bit one a
// few. No row may delete a link or a key that holds one.
#include <gtest/gtest.h>

#include <algorithm>

#include "global/Localization.h"
#include "repair/Repair.h"
#include "scan/RegistryReads.h"
#include "scan/Scanner.h"
#include "tests/conformance/FileSystemEnvironment.h"
#include "tests/conformance/ProfileEnvironment.h"
#include "tests/conformance/RegistryEnvironment.h"
#include "tests/conformance/SystemEnvironment.h"
#include "tests/support/RecordingSink.h"

namespace kelvane {
namespace {

TEST(FreshPrefixScan, NoRowDeletesALinkOrAKeyHoldingOne) {
  const std::unique_ptr<FileSystemEnvironment> files = MakeFileSystemEnvironment("FreshPrefix");
  const std::unique_ptr<RegistryStore> registry = MakeConformanceRegistry();
  const std::unique_ptr<SystemAccess> system = MakeConformanceSystem();
  const std::unique_ptr<ProfileStore> profiles = MakeConformanceProfileStore();
  std::string lan = "English";
  const Language language(*profiles, "C:\\", lan);
  testsupport::RecordingSink sink;
  Scanner worker(*registry, files->FileSystem(), *system, language, ScanOptions{}, sink);
  std::vector<ScanCategory> tasks;
  for (int number = kFirstCategoryNumber; number <= kLastCategoryNumber; ++number) {
    tasks.push_back(*CategoryFromNumber(number));
  }
  worker.Execute(tasks);
  // The classes' own walks run only without the machine's.
  tasks.erase(std::find(tasks.begin(), tasks.end(), ScanCategory::FilesAndFoldersLocalMachine));
  worker.Execute(tasks);
  EXPECT_EQ(sink.events.back(), "completed");

  for (const ProblemRecord& row : sink.rows) {
    const RepairTarget target = RepairTargetOf(row);
    const std::optional<RootKey> root = RootKeyFromName(target.root);
    if (target.what != RepairTarget::What::Key || !root) continue;
    EXPECT_TRUE(HoldsNoLink(*registry, *root, target.path)) << testsupport::RowText(row);
  }
}

}  // namespace
}  // namespace kelvane
