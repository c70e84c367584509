#include <gtest/gtest.h>

#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/memory/MemoryRegistry.h"

namespace kelvane {
namespace {

std::string Utf16File(const std::string& ascii) {
  std::string bytes = "\xff\xfe";
  for (char c : ascii) {
    bytes.push_back(c);
    bytes.push_back('\0');
  }
  return bytes;
}

TEST(RegFile, ReadsEveryDataFormOfARegedit4File) {
  const RegFile file = ParseRegFile(
      "REGEDIT4\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Demo]\r\n"
      "@=\"default\"\r\n"
      "\"quote \\\"and\\\\ slash\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\r\n"
      "\"number\"=dword:0000002a\r\n"
      "\"bytes\"=hex:00,01,02,\\\r\n"
      "  03,04\r\n"
      "\"expand\"=hex(2):25,41,25,00\r\n"
      "\"gone\"=-\r\n"
      "[-HKEY_CURRENT_USER\\Software\\Old]\r\n"
      "[hkey_classes_root]\r\n");
  ASSERT_EQ(file.keys.size(), 3u);
  const RegFileKey& key = file.keys[0];
  EXPECT_EQ(key.root, kHkeyLocalMachine);
  EXPECT_EQ(key.path, "Software\\Demo");
  ASSERT_EQ(key.values.size(), 6u);
  EXPECT_EQ(key.values[0].name, "");
  EXPECT_EQ(key.values[0].value, (RawValue{RegType::Sz, {'d', 'e', 'f', 'a', 'u', 'l', 't', 0}}));
  EXPECT_EQ(key.values[1].name, "quote \"and\\ slash");
  const std::string text = "C:\\Program Files\\\"x\"";
  Bytes expectedText(text.begin(), text.end());
  expectedText.push_back(0);
  EXPECT_EQ(key.values[1].value.data, expectedText);
  EXPECT_EQ(key.values[2].value, (RawValue{RegType::Dword, {0x2a, 0, 0, 0}}));
  EXPECT_EQ(key.values[3].value, (RawValue{RegType::Binary, {0, 1, 2, 3, 4}}));
  EXPECT_EQ(key.values[4].value, (RawValue{RegType::ExpandSz, {'%', 'A', '%', 0}}));
  EXPECT_TRUE(key.values[5].remove);
  EXPECT_TRUE(file.keys[1].remove);
  EXPECT_EQ(file.keys[1].root, kHkeyCurrentUser);
  EXPECT_EQ(file.keys[2].root, kHkeyClassesRoot);
  EXPECT_EQ(file.keys[2].path, "");
}

TEST(RegFile, Version5FilesInUtf16HoldStringTypesAsUtf16) {
  const RegFile file = ParseRegFile(Utf16File(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Demo]\r\n"
      "\"multi\"=hex(7):61,00,00,00,e4,00,00,00,00,00\r\n"
      "\"expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
      "\"qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"));
  const auto& values = file.keys.at(0).values;
  EXPECT_EQ(values.at(0).value, (RawValue{RegType::MultiSz, {'a', 0, 0xc3, 0xa4, 0, 0}}));
  EXPECT_EQ(values.at(1).value, (RawValue{RegType::ExpandSz, {'%', 'A', '%', 0}}));
  EXPECT_EQ(values.at(2).value, (RawValue{RegType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}}));
}

TEST(RegFile, ReportsTheLineOfWhatItCannotRead) {
  const auto errorOf = [](const std::string& text) -> std::string {
    try {
      ParseRegFile(text);
    } catch (const RegFileError& error) {
      return error.what();
    }
    return "no error";
  };
  EXPECT_EQ(errorOf("Not a registry file\r\n"),
            "Line 1 of the registry file: it does not begin with \"REGEDIT4\" or \"Windows "
            "Registry Editor Version 5.00\"");
  EXPECT_EQ(errorOf("REGEDIT4\r\n\"v\"=\"x\"\r\n"),
            "Line 2 of the registry file: a value stands before the first key");
  EXPECT_EQ(errorOf("REGEDIT4\r\n[HKLM\\Software]\r\n"),
            "Line 2 of the registry file: \"HKLM\" is not a root key");
  EXPECT_EQ(errorOf("REGEDIT4\r\n[HKEY_USERS\\x]\r\n\"v\"=dword:123456789\r\n"),
            "Line 3 of the registry file: \"123456789\" is not a hexadecimal number");
  EXPECT_EQ(errorOf("REGEDIT4\r\n[HKEY_USERS\\x]\r\n\"v\"=hex:1,zz\r\n"),
            "Line 3 of the registry file: \"zz\" is not a hexadecimal number");
  EXPECT_EQ(errorOf("REGEDIT4\r\n[HKEY_USERS\\x]\r\n\"v\"=\"x\"y\r\n"),
            "Line 3 of the registry file: text follows the closing quote");
}

TEST(RegFile, ApplyingCreatesWritesAndDeletesInFileOrder) {
  MemoryRegistry registry;
  ApplyRegFile(registry, ParseRegFile(
                             "REGEDIT4\r\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\A\\B]\r\n\"v\"=\"1\"\r\n\"w\"=\"2\"\r\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\Old\\Deep]\r\n"
                             "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\A\\B]\r\n\"w\"=-\r\n"));
  RegistryAccess access(registry);
  access.SetRootKey(kHkeyLocalMachine);
  ASSERT_TRUE(access.OpenKey("Software\\A\\B", false));
  EXPECT_EQ(access.ValueNames(), std::vector<std::string>{"v"});
  EXPECT_FALSE(access.KeyExists("\\Software\\Old"));
  // The classes root is a view of the machine's classes key.
  ApplyRegFile(registry, ParseRegFile("REGEDIT4\r\n[HKEY_CLASSES_ROOT\\.txt]\r\n"));
  EXPECT_TRUE(access.KeyExists("\\Software\\Classes\\.txt"));
}

TEST(MemoryRegistry, WindowsOrderSortsSubkeysUpperCasedAndKeepsValuesAsCreated) {
  MemoryRegistry registry(MemoryRegistry::Order::Windows);
  ApplyRegFile(registry, ParseRegFile("REGEDIT4\r\n"
                                      "[HKEY_CURRENT_USER\\O\\b]\r\n[HKEY_CURRENT_USER\\O\\_u]\r\n"
                                      "[HKEY_CURRENT_USER\\O\\A]\r\n"
                                      "[HKEY_CURRENT_USER\\O]\r\n\"b\"=\"\"\r\n\"_u\"=\"\"\r\n"
                                      "\"A\"=\"\"\r\n"));
  RegistryAccess access(registry);
  ASSERT_TRUE(access.OpenKey("O", false));
  EXPECT_EQ(access.SubkeyNames(), (std::vector<std::string>{"A", "b", "_u"}));
  EXPECT_EQ(access.ValueNames(), (std::vector<std::string>{"b", "_u", "A"}));
}

TEST(MemoryRegistry, UnreadableValuesAndDeletedKeysFailQueries) {
  MemoryRegistry registry;
  ApplyRegFile(registry, ParseRegFile("REGEDIT4\r\n[HKEY_CURRENT_USER\\Locked]\r\n\"v\"=\"x\"\r\n"
                                      "[HKEY_CURRENT_USER\\Doomed]\r\n\"v\"=\"x\"\r\n"));
  registry.MakeValuesUnreadable(kHkeyCurrentUser, "Locked");
  RegistryAccess access(registry);
  ASSERT_TRUE(access.OpenKey("Locked", false));
  EXPECT_EQ(access.DataSize("v"), -1);
  EXPECT_THROW(access.ReadInteger("v"), RegistryError);

  RegistryAccess doomed(registry);
  ASSERT_TRUE(doomed.OpenKey("Doomed", false));
  ASSERT_TRUE(access.DeleteKey("\\Doomed"));
  EXPECT_FALSE(doomed.ValueExists("v"));
  EXPECT_FALSE(doomed.WriteString("w", "y"));
}

}  // namespace
}  // namespace kelvane
