// What the registry conformance tests share: a fresh scratch key for each test, filled from
// export text, and access objects that work below it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "tests/conformance/RegistryEnvironment.h"

namespace kelvane {

class RegistryConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = MakeConformanceRegistry();
    Scratch().DeleteKey(kConformanceScratchKey);
  }
  void TearDown() override { Scratch().DeleteKey(kConformanceScratchKey); }

  // Registry export text whose keys are below the scratch key, written as "[~\\...]".
  void Load(std::string text) {
    const std::string scratch = std::string("HKEY_CURRENT_USER\\") + kConformanceScratchKey;
    for (auto at = text.find("[~"); at != std::string::npos; at = text.find("[~", at)) {
      text.replace(at + 1, 1, scratch);
    }
    ApplyRegFile(*store_, ParseRegFile("REGEDIT4\r\n\r\n" + text));
  }

  RegistryAccess& Scratch() {
    if (!access_) access_ = std::make_unique<RegistryAccess>(*store_);
    return *access_;
  }

  // An access object whose current key is the given path below the scratch key.
  RegistryAccess& At(const std::string& path) {
    RegistryAccess& access = Scratch();
    access.CloseKey();
    EXPECT_TRUE(access.OpenKey("\\" + Path(path), false)) << path;
    return access;
  }

  static std::string Path(const std::string& below) {
    return below.empty() ? kConformanceScratchKey
                         : std::string(kConformanceScratchKey) + "\\" + below;
  }

  static std::string ErrorOf(const std::function<void()>& read) {
    try {
      read();
    } catch (const RegistryError& error) {
      return error.what();
    }
    return "no error";
  }

  std::unique_ptr<RegistryStore> store_;
  std::unique_ptr<RegistryAccess> access_;
};

}  // namespace kelvane
