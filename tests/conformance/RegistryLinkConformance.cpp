// Links between keys: the stand-in leads through them, tells them apart and deletes through
// them as the live registry does.
#include <gtest/gtest.h>

#include "tests/conformance/RegistryConformanceFixture.h"

namespace kelvane {
namespace {

class RegistryLinkConformance : public RegistryConformance {
 protected:
  void TearDown() override {
    for (const char* link : {"Link", "Dangling"}) RemoveRegistryLink(*store_, Path(link));
    RegistryConformance::TearDown();
  }

  void Link(const std::string& name, const std::string& target) {
    MakeRegistryLink(*store_, Path(name), Path(target));
  }

  bool IsLink(const std::string& below) { return Scratch().IsLink("\\" + Path(below)); }
  bool Exists(const std::string& below) { return Scratch().KeyExists("\\" + Path(below)); }
};

TEST_F(RegistryLinkConformance, ALinkLeadsToItsTargetAndShowsItselfOnlyWhenOpenedAsItself) {
  Load("[~\\Target]\r\n\"v\"=\"x\"\r\n[~\\Target\\Sub]\r\n");
  Link("Link", "Target");

  EXPECT_EQ(At("").SubkeyNames(), (std::vector<std::string>{"Link", "Target"}));
  EXPECT_EQ(At("Link").ReadText("v"), "x");
  EXPECT_EQ(At("Link").SubkeyNames(), std::vector<std::string>{"Sub"});
  EXPECT_TRUE(Exists("Link\\Sub"));
  EXPECT_TRUE(IsLink("Link"));
  EXPECT_FALSE(IsLink("Target"));
  EXPECT_FALSE(IsLink("Link\\Sub"));

  RegistryAccess itself(*store_);
  itself.SetRootKey(kHkeyCurrentUser);
  itself.OpenLinksAsThemselves();
  ASSERT_TRUE(itself.OpenKey("\\" + Path("Link"), false));
  const KeyContents contents = itself.Contents();
  EXPECT_TRUE(contents.subkeys.empty());
  EXPECT_EQ(contents.values.size(), 1u);
  EXPECT_TRUE(HoldsLinkTarget(contents.values));
  EXPECT_TRUE(itself.CurrentIsLink());
  ASSERT_TRUE(itself.OpenKey("\\" + Path("Link\\Sub"), false));
  EXPECT_FALSE(itself.CurrentIsLink());
}

// Why nothing may be deleted by a link's name: the registry follows the link and the target
// goes, while the link stays behind leading nowhere.
TEST_F(RegistryLinkConformance, DeletingByALinksNameDeletesItsTargetWhileDeleteKeyLeavesBoth) {
  Load("[~\\Target]\r\n\"v\"=\"x\"\r\n[~\\Target\\Sub]\r\n[~\\Empty]\r\n");
  Link("Link", "Target");
  Link("Dangling", "Empty");

  EXPECT_FALSE(Scratch().DeleteKey("\\" + Path("Link")));
  EXPECT_FALSE(Scratch().DeleteKey("\\" + Path("Dangling")));
  EXPECT_TRUE(Exists("Target\\Sub"));
  EXPECT_TRUE(Exists("Empty"));
  EXPECT_TRUE(IsLink("Link"));

  const std::unique_ptr<RegistryKey> scratch =
      store_->OpenRoot(kHkeyCurrentUser)->OpenSubkey(kConformanceScratchKey, kAccessFull, false);
  ASSERT_TRUE(scratch);
  EXPECT_TRUE(scratch->DeleteSubkey("Dangling"));
  EXPECT_FALSE(Exists("Empty"));
  EXPECT_FALSE(Exists("Dangling"));
  EXPECT_TRUE(IsLink("Dangling"));
  EXPECT_EQ(At("").SubkeyNames(), (std::vector<std::string>{"Dangling", "Link", "Target"}));
}

}  // namespace
}  // namespace kelvane
