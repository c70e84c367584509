#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backup/ShortcutBackup.h"
#include "platform/RegFile.h"

namespace kelvane {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The bytes come back exactly from text the registry editor reads as comments only; a block cut
// short or damaged comes back not at all.
TEST(ShortcutBackup, BytesComeBackWholeOrNotAtAll) {
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<char>(i * 7));
  const BackedUpShortcut first{"C:\\Users\\Public\\Desktop\\Old App.lnk", bytes};
  const BackedUpShortcut empty{"C:\\Menu\\Empty.lnk", ""};
  const std::string text = "REGEDIT4\r\n\r\n" + Joined(ShortcutBackupLines(first)) +
                           "[HKEY_CURRENT_USER\\Software\\A]\r\n\"V\"=\"1\"\r\n\r\n" +
                           Joined(ShortcutBackupLines(empty));
  EXPECT_EQ(ParseRegFile(text).keys.size(), 1u);
  const std::vector<BackedUpShortcut> found = ShortcutsInBackup(text);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].path, first.path);
  EXPECT_EQ(found[0].bytes, bytes);
  EXPECT_EQ(found[1].path, empty.path);
  EXPECT_EQ(found[1].bytes, "");

  std::vector<std::string> cut = ShortcutBackupLines(first);
  cut.erase(cut.begin() + 3);
  EXPECT_TRUE(ShortcutsInBackup(Joined(cut)).empty());
  std::vector<std::string> damaged = ShortcutBackupLines(first);
  damaged[2][4] = 'x';
  EXPECT_TRUE(ShortcutsInBackup(Joined(damaged)).empty());
}

}  // namespace
}  // namespace kelvane
