#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backup/ShortcutBackup.h"
#include "platform/RegFile.h"
#include "platform/Utf8.h"

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
  const std::string text = "REGEDIT4\r\n\r\n" + Joined(ShortcutBackupLines(first).lines) +
                           "[HKEY_CURRENT_USER\\Software\\A]\r\n\"V\"=\"1\"\r\n\r\n" +
                           Joined(ShortcutBackupLines(empty).lines);
  EXPECT_EQ(ParseRegFile(text).keys.size(), 1u);
  const std::vector<BackedUpShortcut> found = ShortcutsInBackup(text);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].path, first.path);
  EXPECT_EQ(found[0].bytes, bytes);
  EXPECT_EQ(found[1].path, empty.path);
  EXPECT_EQ(found[1].bytes, "");

  std::vector<std::string> cut = ShortcutBackupLines(first).lines;
  cut.erase(cut.begin() + 3);
  EXPECT_TRUE(ShortcutsInBackup(Joined(cut)).empty());
  std::vector<std::string> damaged = ShortcutBackupLines(first).lines;
  damaged[2][4] = 'x';
  EXPECT_TRUE(ShortcutsInBackup(Joined(damaged)).empty());
}

// A path code page 1252 holds is written in it; any other goes into the Unicode file whole.
TEST(ShortcutBackup, PathsComeBackInTheirOwnLetters) {
  const BackedUpShortcut western{"C:\\Caf\xC3\xA9\\Old.lnk", "L"};
  const BackedUpShortcut other{"C:\\\xD0\xA2\xD0\xB5\\\xE6\x97\xA5 \xF0\x9F\x98\x80.lnk", "L"};
  const BackupLines westernLines = ShortcutBackupLines(western);
  EXPECT_EQ(westernLines.format, BackupFormat::Regedit4);
  EXPECT_EQ(westernLines.lines[0], "; Shortcut \"C:\\Caf\xE9\\Old.lnk\" 1");
  const BackupLines otherLines = ShortcutBackupLines(other);
  EXPECT_EQ(otherLines.format, BackupFormat::Unicode);
  for (const auto& [shortcut, lines] : {std::pair{western, westernLines}, {other, otherLines}}) {
    EXPECT_TRUE(LinesRestoreShortcut(lines, shortcut));
    const std::vector<BackedUpShortcut> back =
        ShortcutsInBackup(TextFromFileBytes(BackupFileBytes(lines)));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].path, shortcut.path);
  }
}

}  // namespace
}  // namespace kelvane
