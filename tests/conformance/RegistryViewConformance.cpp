// The two views of 64-bit Windows: the stand-in redirects the machine's software and classes
// keys for a 32-bit open, and leaves them alone in the 64-bit view, as Wine does.
#include <gtest/gtest.h>

#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/RegistryView64.h"
#include "tests/conformance/RegistryEnvironment.h"

namespace kelvane {
namespace {

constexpr char kSoftwareKey[] = "Software\\KelvaneConformanceView";
constexpr char kClassKey[] = "CLSID\\{6B656C76-616E-6500-0000-000000000064}";

class RegistryViewConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    own_ = MakeWow64ConformanceRegistry();
    if (!own_) GTEST_SKIP() << "not a 64-bit system";
    view64_ = std::make_unique<RegistryView64>(*own_);
    TearDown();
  }

  void TearDown() override {
    if (!own_) return;
    for (RegistryStore* store : {own_.get(), static_cast<RegistryStore*>(view64_.get())}) {
      Key(*store, kHkeyLocalMachine).DeleteKey(kSoftwareKey);
      Key(*store, kHkeyClassesRoot).DeleteKey(kClassKey);
    }
  }

  RegistryAccess& Key(RegistryStore& store, RootKey root) {
    keys_.push_back(std::make_unique<RegistryAccess>(store));
    keys_.back()->SetRootKey(root);
    return *keys_.back();
  }

  void Put(RegistryStore& store, const std::string& view) {
    const std::string text = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\" + std::string(kSoftwareKey) +
                             "]\r\n\"View\"=\"" + view + "\"\r\n[HKEY_CLASSES_ROOT\\" +
                             kClassKey + "]\r\n@=\"" + view + "\"\r\n";
    ApplyRegFile(store, ParseRegFile(text));
  }

  std::optional<std::string> Read(RegistryStore& store, RootKey root, const std::string& path,
                                  const std::string& name) {
    RegistryAccess& key = Key(store, root);
    if (!key.OpenKey(path, false)) return std::nullopt;
    return key.ReadText(name);
  }

  std::unique_ptr<RegistryStore> own_;
  std::unique_ptr<RegistryView64> view64_;
  std::vector<std::unique_ptr<RegistryAccess>> keys_;
};

TEST_F(RegistryViewConformance, EachViewKeepsItsOwnKeysAndThe32BitOnesLieBelowWow6432Node) {
  Put(*view64_, "64");
  EXPECT_EQ(Read(*own_, kHkeyLocalMachine, kSoftwareKey, "View"), std::nullopt);
  EXPECT_EQ(Read(*own_, kHkeyClassesRoot, kClassKey, ""), std::nullopt);
  Put(*own_, "32");
  EXPECT_EQ(Read(*own_, kHkeyLocalMachine, kSoftwareKey, "View"), "32");
  EXPECT_EQ(Read(*own_, kHkeyClassesRoot, kClassKey, ""), "32");
  EXPECT_EQ(Read(*view64_, kHkeyLocalMachine, kSoftwareKey, "View"), "64");
  EXPECT_EQ(Read(*view64_, kHkeyClassesRoot, kClassKey, ""), "64");

  const std::string belowWow64 = std::string("Software\\Wow6432Node\\") +
                                 (kSoftwareKey + std::string("Software\\").size());
  EXPECT_EQ(Read(*view64_, kHkeyLocalMachine, belowWow64, "View"), "32");
  EXPECT_EQ(Read(*own_, kHkeyLocalMachine, belowWow64, "View"), "32");
  EXPECT_EQ(Read(*view64_, kHkeyClassesRoot, std::string("Wow6432Node\\") + kClassKey, ""), "32");
}

TEST_F(RegistryViewConformance, ADeletionInTheSixtyFourBitViewLeavesTheOtherView) {
  Put(*view64_, "64");
  Put(*own_, "32");
  EXPECT_TRUE(Key(*view64_, kHkeyLocalMachine).DeleteKey(kSoftwareKey));
  RegistryAccess& classKey = Key(*view64_, kHkeyClassesRoot);
  ASSERT_TRUE(classKey.OpenKey("CLSID", false));
  EXPECT_TRUE(classKey.DeleteKey(kClassKey + std::string("CLSID\\").size()));
  EXPECT_EQ(Read(*view64_, kHkeyLocalMachine, kSoftwareKey, "View"), std::nullopt);
  EXPECT_EQ(Read(*view64_, kHkeyClassesRoot, kClassKey, ""), std::nullopt);
  EXPECT_EQ(Read(*own_, kHkeyLocalMachine, kSoftwareKey, "View"), "32");
  EXPECT_EQ(Read(*own_, kHkeyClassesRoot, kClassKey, ""), "32");
}

}  // namespace
}  // namespace kelvane
