// The system folder of 64-bit Windows: a 32-bit program's System32 is SysWOW64, and the real one
// is reached through Sysnative, in the stand-in as under Wine.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/NativeFileSystem.h"
#include "tests/conformance/FileSystemEnvironment.h"

namespace kelvane {

TEST(FileSystemViewConformance, SystemFolderIsSysWow64AndTheRealOneIsReachedThroughSysnative) {
  const std::unique_ptr<FileSystemAccess> files = MakeWow64ConformanceFileSystem();
  if (!files) GTEST_SKIP() << "not a 64-bit system";
  const std::string windows = *files->ExpandEnvironmentStrings("%SystemRoot%");
  const std::string own = windows + "\\System32\\KelvaneConformanceOwn.txt";
  const std::string real = windows + "\\Sysnative\\KelvaneConformanceReal.txt";
  ASSERT_TRUE(files->CreateNewFile(own, "32"));
  ASSERT_TRUE(files->CreateNewFile(real, "64"));
  EXPECT_TRUE(files->FileExists(windows + "\\SysWOW64\\KelvaneConformanceOwn.txt"));
  EXPECT_FALSE(files->FileExists(windows + "\\Sysnative\\KelvaneConformanceOwn.txt"));
  EXPECT_FALSE(files->FileExists(windows + "\\System32\\KelvaneConformanceReal.txt"));

  NativeFileSystem native(*files);
  EXPECT_TRUE(native.FileExists(windows + "\\System32\\KelvaneConformanceReal.txt"));
  EXPECT_FALSE(native.FileExists(windows + "\\system32\\KelvaneConformanceOwn.txt"));
  // The program's own delete refuses a name the system redirects; the test's files go by name.
  std::remove(own.c_str());
  std::remove(real.c_str());
}

}  // namespace kelvane
