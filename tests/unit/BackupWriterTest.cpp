#include <gtest/gtest.h>

#include <cstdio>

#include "backup/BackupWriter.h"
#include "platform/RegFile.h"
#include "platform/Utf8.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "tests/support/BackupFile.h"
#include "tests/support/RegistrySnapshot.h"

namespace kelvane {
namespace {

using testsupport::BackupToRegFile;
using testsupport::CountingBytes;
using testsupport::NumberValue;
using testsupport::PutValue;
using testsupport::Raw;
using testsupport::TextValue;

constexpr char kFile[] = "C:\\Backup\\Backup20100305090702.reg";

class BackupWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.AddDrive('C', DriveType::Fixed);
    files_.AddFolder("C:\\Backup");
  }

  void Put(const std::string& path, const std::string& name, const RawValue& value) {
    PutValue(registry_, kHkeyCurrentUser, path, name, value);
  }

  std::string Contents() { return files_.FileContents(kFile).value_or("<missing>"); }

  // The lines a single-value backup of value writes after the header and key line.
  std::string ValueLines(const RawValue& value, const std::string& name = "V") {
    MemoryRegistry registry;
    PutValue(registry, kHkeyCurrentUser, "Software\\One", name, value);
    MemoryFileSystem files;
    files.AddDrive('C', DriveType::Fixed);
    BackupToRegFile(registry, files, "C:\\one.reg", kHkeyCurrentUser, "Software\\One", name, false);
    const std::string start = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\One]\r\n";
    const std::string text = files.FileContents("C:\\one.reg").value_or("");
    EXPECT_EQ(text.compare(0, start.size(), start), 0) << text;
    return text.substr(start.size());
  }

  MemoryRegistry registry_;
  MemoryFileSystem files_;
};

TEST(BackupFileName, IsTheFolderThenBackupThenTheTimeWithTwoDigitFields) {
  EXPECT_EQ(MakeBackupFileName("C:\\Program Files\\X\\Backup", {2010, 3, 5, 9, 7, 2}),
            "C:\\Program Files\\X\\Backup\\Backup20100305090702.reg");
  EXPECT_EQ(MakeBackupFileName("D:\\B\\", {2026, 12, 31, 23, 59, 10}),
            "D:\\B\\Backup20261231235910.reg");
}

TEST(EscapeRegText, DoublesBackslashesAndEscapesQuotesOnly) {
  EXPECT_EQ(EscapeRegText("\\\"x"), "\\\\\\\"x");
  EXPECT_EQ(EscapeRegText("C:\\a \"b\"\r\n\t"), "C:\\\\a \\\"b\\\"\r\n\t");
}

// Lines made for one item, against items that differ from it in one respect each.
TEST(LinesRestoreItem, HoldOnlyWhenImportingThemGivesBackTheItemExactly) {
  const BackupItem item{
      kHkeyCurrentUser,
      {{"Software\\K", {{"V", TextValue("x")}, {"", NumberValue(1)}}}, {"Software\\K\\Sub", {}}},
      true};
  const BackupLines lines = BackupItemLines(item);
  EXPECT_TRUE(LinesRestoreItem(lines, item));
  const auto restores = [&](void (*change)(BackupItem&)) {
    BackupItem other = item;
    change(other);
    return LinesRestoreItem(lines, other);
  };
  EXPECT_FALSE(restores([](BackupItem& other) { other.root = kHkeyLocalMachine; }));
  EXPECT_FALSE(restores([](BackupItem& other) { other.blocks[1].path = "Software\\K\\Other"; }));
  EXPECT_FALSE(restores([](BackupItem& other) { other.blocks[0].values[0].name = "W"; }));
  EXPECT_FALSE(
      restores([](BackupItem& other) { other.blocks[0].values[0].value = TextValue("y"); }));
  EXPECT_FALSE(restores([](BackupItem& other) { other.blocks[0].values[1].value.type = 0; }));
  EXPECT_FALSE(restores([](BackupItem& other) { other.blocks[0].values.pop_back(); }));
  EXPECT_FALSE(restores([](BackupItem& other) { other.blocks.pop_back(); }));

  // Deleting lines hold nothing, and lines that do not parse restore nothing.
  const BackupItem empty{kHkeyCurrentUser, {{"Software\\K", {{"V", RawValue{}}}}}, true};
  const std::string keyLine = "[HKEY_CURRENT_USER\\Software\\K]";
  const auto handMade = [](std::vector<std::string> lines, const BackupItem& item) {
    return LinesRestoreItem({BackupFormat::Regedit4, std::move(lines)}, item);
  };
  EXPECT_TRUE(handMade({"", keyLine, "\"V\"=hex(0):"}, empty));
  EXPECT_FALSE(handMade({"", keyLine, "\"V\"=-"}, empty));
  EXPECT_FALSE(handMade({"", "[-HKEY_CURRENT_USER\\Software\\K]"},
                        {kHkeyCurrentUser, {{"Software\\K", {}}}, true}));
  EXPECT_FALSE(handMade({"", "[HKEY_CURRENT_USER\\Software\\K"}, empty));
}

TEST_F(BackupWriter, ItemsNotReadAsStoredAreNotExact) {
  Put("Software\\K", "Plain", TextValue("x"));
  // A lone surrogate has no UTF-8 form.
  registry_.SetUtf16Value(kHkeyCurrentUser, "Software\\K\\Sub", "Snow", RegType::Sz,
                          std::u16string{u'a', static_cast<char16_t>(0xD800), u'\0'});
  const auto exact = [&](const std::string& path, const std::string& name, bool wholeKey) {
    return ReadBackupItem(registry_, kHkeyCurrentUser, path, name, wholeKey).exact;
  };
  EXPECT_TRUE(exact("Software\\K", "Plain", false));
  EXPECT_FALSE(exact("Software\\K\\Sub", "Snow", false));
  EXPECT_FALSE(exact("Software\\K", "Missing", false));
  EXPECT_FALSE(exact("Software\\K", "", true));
  EXPECT_FALSE(exact("Software\\Missing", "", true));
}

TEST_F(BackupWriter, WholeKeyIsWrittenWithItsValuesThenItsSubkeys) {
  Put("Software\\Old", "", TextValue("C:\\Old\\old.exe"));
  Put("Software\\Old", "Size", NumberValue(42));
  Put("Software\\Old\\Sub", "Say", TextValue("a \"quoted\" word"));
  BackupToRegFile(registry_, files_, kFile, kHkeyCurrentUser, "Software\\Old\\", "", true);
  EXPECT_EQ(Contents(),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Old]\r\n"
            "@=\"C:\\\\Old\\\\old.exe\"\r\n"
            "\"Size\"=dword:0000002A\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\Old\\Sub]\r\n"
            "\"Say\"=\"a \\\"quoted\\\" word\"\r\n");
}

TEST_F(BackupWriter, DeepSubtreesAreWrittenDepthFirstInEnumerationOrder) {
  Put("Software\\T\\b\\x\\y", "Y", NumberValue(1));
  Put("Software\\T\\a", "A", NumberValue(2));
  Put("Software\\T\\b", "B", NumberValue(3));
  Put("Software\\T\\c", "C", NumberValue(4));
  BackupToRegFile(registry_, files_, kFile, kHkeyLocalMachine, "Software\\T", "", true);
  // Nothing of that is under HKEY_LOCAL_MACHINE: only the key line.
  BackupToRegFile(registry_, files_, kFile, kHkeyCurrentUser, "Software\\T", "", true);
  EXPECT_EQ(Contents(),
            "REGEDIT4\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\Software\\T]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\T]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\T\\a]\r\n\"A\"=dword:00000002\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\T\\b]\r\n\"B\"=dword:00000003\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\T\\b\\x]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\T\\b\\x\\y]\r\n\"Y\"=dword:00000001\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\T\\c]\r\n\"C\"=dword:00000004\r\n");
}

TEST_F(BackupWriter, SingleValuesAppendToAnExistingFileWithoutASecondHeader) {
  Put("Software\\K", "", TextValue("default"));
  Put("Software\\K", "Other", TextValue("not written"));
  BackupToRegFile(registry_, files_, kFile, kHkeyCurrentUser, "Software\\K", "", false);
  BackupToRegFile(registry_, files_, kFile, kHkeyCurrentUser, "Software\\K", "Missing", false);
  EXPECT_EQ(Contents(),
            "REGEDIT4\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\K]\r\n@=\"default\"\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\K]\r\n\"Missing\"=\"\"\r\n");

  files_.AddFileWithContents("C:\\Backup\\old.reg", "REGEDIT4\r\n");
  BackupToRegFile(registry_, files_, "C:\\Backup\\old.reg", kHkeyCurrentUser, "Software\\K",
                  "Other", false);
  EXPECT_EQ(files_.FileContents("C:\\Backup\\old.reg"),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\K]\r\n\"Other\"=\"not written\"\r\n");
}

TEST_F(BackupWriter, AFileThatCannotBeCreatedRaises) {
  Put("Software\\K", "", TextValue("x"));
  EXPECT_THROW(BackupToRegFile(registry_, files_, "C:\\Missing\\b.reg", kHkeyCurrentUser,
                               "Software\\K", "", true),
               FileIoError);
}

TEST_F(BackupWriter, TextsAndNumbersUseTheirShortFormsWhenTheyRestoreExactly) {
  EXPECT_EQ(ValueLines(TextValue("a\\\"b"), "N\"\\"), "\"N\\\"\\\\\"=\"a\\\\\\\"b\"\r\n");
  EXPECT_EQ(ValueLines(TextValue("caf\xc3\xa9\t")), "\"V\"=\"caf\xe9\t\"\r\n");
  EXPECT_EQ(ValueLines(TextValue("")), "\"V\"=\"\"\r\n");
  EXPECT_EQ(ValueLines(NumberValue(0xFFFFFFFFu)), "\"V\"=dword:FFFFFFFF\r\n");
  EXPECT_EQ(ValueLines(NumberValue(0x12AB)), "\"V\"=dword:000012AB\r\n");
}

TEST_F(BackupWriter, OtherTypesAndUnquotableTextsKeepTheirTypeAndRawBytes) {
  EXPECT_EQ(ValueLines(Raw(RegType::Sz, "a\r\nb")), "\"V\"=hex(1):61,0D,0A,62\r\n");
  EXPECT_EQ(ValueLines(Raw(RegType::Sz, std::string("a\0b\0", 4))), "\"V\"=hex(1):61,00,62,00\r\n");
  EXPECT_EQ(ValueLines(Raw(RegType::Sz, "")), "\"V\"=hex(1):\r\n");
  EXPECT_EQ(ValueLines(Raw(RegType::ExpandSz, std::string("%A%\0", 4))),
            "\"V\"=hex(2):25,41,25,00\r\n");
  EXPECT_EQ(ValueLines(Raw(RegType::MultiSz, std::string("a\0\xc3\xa9\0\0", 6))),
            "\"V\"=hex(7):61,00,E9,00,00\r\n");
  EXPECT_EQ(ValueLines(Raw(RegType::Qword, "\x01\x02\x03\x04\x05\x06\x07\x08")),
            "\"V\"=hex(b):01,02,03,04,05,06,07,08\r\n");
  EXPECT_EQ(ValueLines(Raw(RegType::Dword, "\x01\x02")), "\"V\"=hex(4):01,02\r\n");
  EXPECT_EQ(ValueLines(Raw(RegType::None, "")), "\"V\"=hex(0):\r\n");
  EXPECT_EQ(ValueLines(Raw(0x12345, "\xaa")), "\"V\"=hex(12345):AA\r\n");
}

TEST_F(BackupWriter, BinaryBreaksAfterTheTwentySixthByteAndThenEveryTwentyFifth) {
  const auto bytes = [](std::size_t from, std::size_t to) {
    std::string list;
    for (std::size_t i = from; i < to; ++i) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>((i * 7 + 1) & 0xFF));
      list += (i == from ? "" : ",") + std::string(hex);
    }
    return list;
  };
  EXPECT_EQ(ValueLines(CountingBytes(0)), "\"V\"=hex:\r\n");
  EXPECT_EQ(ValueLines(CountingBytes(1)), "\"V\"=hex:01\r\n");
  EXPECT_EQ(ValueLines(CountingBytes(26)), "\"V\"=hex:" + bytes(0, 26) + "\r\n");
  EXPECT_EQ(ValueLines(CountingBytes(27)),
            "\"V\"=hex:" + bytes(0, 26) + ",\\\r\n" + bytes(26, 27) + "\r\n");
  EXPECT_EQ(ValueLines(CountingBytes(51)),
            "\"V\"=hex:" + bytes(0, 26) + ",\\\r\n" + bytes(26, 51) + "\r\n");
  EXPECT_EQ(ValueLines(CountingBytes(52)), "\"V\"=hex:" + bytes(0, 26) + ",\\\r\n" + bytes(26, 51) +
                                               ",\\\r\n" + bytes(51, 52) + "\r\n");
}

TEST_F(BackupWriter, ImportingTheBackupRestoresEveryKeyAndRawValue) {
  testsupport::PutEveryValueType(registry_, kHkeyCurrentUser, "Software\\Everything");
  testsupport::PutEveryScript(registry_, kHkeyCurrentUser, "Software\\Scripts");
  for (const char* key : {"Software\\Everything", "Software\\Scripts"}) {
    const auto before = testsupport::TakeSnapshot(registry_, kHkeyCurrentUser, key);
    ASSERT_GT(before.size(), 5u);
    files_.DeleteFileSilently(kFile);
    BackupToRegFile(registry_, files_, kFile, kHkeyCurrentUser, key, "", true);

    MemoryRegistry restored;
    ApplyRegFile(restored, ParseRegFile(Contents()));
    EXPECT_EQ(testsupport::TakeSnapshot(restored, kHkeyCurrentUser, key), before) << key;
  }
}

// The registry editor's Unicode format: its header after a byte-order mark, string types' data
// as UTF-16LE; what fits code page 1252 stays REGEDIT4.
TEST_F(BackupWriter, WhatCodePage1252CannotHoldIsWrittenInTheUnicodeFormat) {
  Put("Software\\One", "\u0416", Raw(RegType::ExpandSz, std::string("%A%\0", 4)));
  Put("Software\\One", "V", Raw(RegType::ExpandSz, std::string("\u0416\0", 3)));
  const auto lines = [&](const std::string& name) {
    return BackupItemLines(ReadBackupItem(registry_, kHkeyCurrentUser, "Software\\One", name, false));
  };
  const std::string key = "\r\n[HKEY_CURRENT_USER\\Software\\One]\r\n";
  EXPECT_EQ(BackupFileBytes(lines("\u0416")),
            Utf16LeFileBytes("Windows Registry Editor Version 5.00\r\n" + key +
                             "\"\u0416\"=hex(2):25,00,41,00,25,00,00,00\r\n"));
  EXPECT_EQ(BackupFileBytes(lines("V")),
            Utf16LeFileBytes("Windows Registry Editor Version 5.00\r\n" + key +
                             "\"V\"=hex(2):16,04,00,00\r\n"));
  EXPECT_EQ(lines("").format, BackupFormat::Regedit4);
  // On a system of another ANSI code page, REGEDIT4 carries only what every code page reads
  // alike.
  Put("Software\\One", "Caf\u00e9", TextValue("x"));
  EXPECT_EQ(lines("Caf\u00e9").format, BackupFormat::Regedit4);
  SetSystemAnsiIsCodePage1252(false);
  EXPECT_EQ(lines("Caf\u00e9").format, BackupFormat::Unicode);
  EXPECT_EQ(lines("").format, BackupFormat::Regedit4);
  SetSystemAnsiIsCodePage1252(true);

  EXPECT_EQ(UnicodeBackupFileName(kFile), "C:\\Backup\\Backup20100305090702-Unicode.reg");
  AppendToBackupFile(files_, UnicodeBackupFileName(kFile), lines("V"), true);
  EXPECT_TRUE(Names64BitView(TextFromFileBytes(
      files_.FileContents(UnicodeBackupFileName(kFile)).value_or(""))));
}

}  // namespace
}  // namespace kelvane
