#include <gtest/gtest.h>

#include "platform/RegistryAccess.h"
#include "tests/conformance/RegistryScratchTest.h"
#include "tests/support/BackupFile.h"

namespace kelvane {
namespace {

using BackupConformance = RegistryScratchTest;
using testsupport::BackupToRegFile;

// Both formats: REGEDIT4 for what code page 1252 holds, the Unicode one for every script.
TEST_F(BackupConformance, TheRegistryEditorRestoresAWholeKeyBackupExactly) {
  const std::string key = std::string(kConformanceScratchKey) + "\\Everything";
  const std::string scripts = std::string(kConformanceScratchKey) + "\\Scripts";
  testsupport::PutEveryValueType(*registry_, kHkeyCurrentUser, key);
  testsupport::PutEveryScript(*registry_, kHkeyCurrentUser, scripts);
  const testsupport::RegistrySnapshot before = Snapshot();
  ASSERT_GT(before.size(), 10u);

  const std::string file = files_->ScratchFolder() + "Backup20100305090702.reg";
  const std::string unicodeFile = files_->ScratchFolder() + "Backup20100305090702-Unicode.reg";
  BackupToRegFile(*registry_, files_->FileSystem(), file, kHkeyCurrentUser, key, "", true);
  BackupToRegFile(*registry_, files_->FileSystem(), unicodeFile, kHkeyCurrentUser, scripts, "",
                  true);
  DeleteScratch();
  ASSERT_TRUE(Snapshot().empty());

  ImportRegFile(*registry_, *files_, file);
  ImportRegFile(*registry_, *files_, unicodeFile);
  const testsupport::RegistrySnapshot after = Snapshot();
  EXPECT_EQ(after.size(), before.size());
  for (const auto& [path, values] : before) {
    const auto restored = after.find(path);
    ASSERT_NE(restored, after.end()) << path;
    for (const auto& [name, value] : values) {
      const auto match = restored->second.find(name);
      ASSERT_NE(match, restored->second.end()) << path << " : " << name;
      EXPECT_EQ(match->second.type, value.type) << path << " : " << name;
      EXPECT_EQ(match->second.data, value.data) << path << " : " << name;
    }
    EXPECT_EQ(restored->second.size(), values.size()) << path;
  }
}

TEST_F(BackupConformance, SingleValuesImportBesideTheValuesLeftInTheKey) {
  const std::string key = std::string(kConformanceScratchKey) + "\\Some";
  testsupport::PutValue(*registry_, kHkeyCurrentUser, key, "", testsupport::TextValue("d"));
  testsupport::PutValue(*registry_, kHkeyCurrentUser, key, "Multi",
                        testsupport::Raw(RegType::MultiSz, std::string("x\0y\0\0", 5)));
  testsupport::PutValue(*registry_, kHkeyCurrentUser, key, "Stays", testsupport::NumberValue(1));
  const testsupport::RegistrySnapshot before = Snapshot();

  const std::string file = files_->ScratchFolder() + "values.reg";
  RegistryAccess access(*registry_);
  ASSERT_TRUE(access.OpenKey("\\" + key, false));
  for (const std::string name : {"", "Multi"}) {
    BackupToRegFile(*registry_, files_->FileSystem(), file, kHkeyCurrentUser, key + "\\", name,
                    false);
    ASSERT_TRUE(access.DeleteValue(name));
  }
  access.CloseKey();
  EXPECT_EQ(Snapshot().at("Some").size(), 1u);

  ImportRegFile(*registry_, *files_, file);
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace kelvane
