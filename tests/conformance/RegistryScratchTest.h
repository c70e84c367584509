// A test that works below the registry's scratch key and in a folder of its own, both emptied
// before and after it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/RegistryAccess.h"
#include "tests/conformance/FileSystemEnvironment.h"
#include "tests/conformance/RegistryEnvironment.h"
#include "tests/support/RegistrySnapshot.h"

namespace kelvane {

class RegistryScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_ = MakeConformanceRegistry();
    files_ =
        MakeFileSystemEnvironment(::testing::UnitTest::GetInstance()->current_test_info()->name());
    DeleteScratch();
  }
  void TearDown() override { DeleteScratch(); }

  void DeleteScratch() {
    RegistryAccess access(*registry_);
    access.DeleteKey(kConformanceScratchKey);
  }

  testsupport::RegistrySnapshot Snapshot() {
    return testsupport::TakeSnapshot(*registry_, kHkeyCurrentUser, kConformanceScratchKey);
  }

  std::unique_ptr<RegistryStore> registry_;
  std::unique_ptr<FileSystemEnvironment> files_;
};

}  // namespace kelvane
