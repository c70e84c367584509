// Repair over the live registry: what code page 1252 lacks is backed up in the Unicode file and
// comes back from it; odd-sized texts, which no backup gives back, are left alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/RegFile.h"
#include "repair/Repair.h"

namespace kelvane {
namespace {

constexpr wchar_t kTestKey[] = L"Software\\KelvaneExactBackupTest";
constexpr char kBackupFile[] = "C:\\kelvane-tests\\exact-backup.reg";
constexpr char kUnicodeFile[] = "C:\\kelvane-tests\\exact-backup-Unicode.reg";

class ExactBackup : public ::testing::Test {
 protected:
  void SetUp() override {
    TearDown();
  }
  void TearDown() override {
    RemoveTestKey();
    DeleteFileA(kBackupFile);
    DeleteFileA(kUnicodeFile);
  }

  static void RemoveTestKey() {
    for (const wchar_t* below : {L"\\Tree\\K\x0101", L"\\Tree", L"\\Name", L"\\Text", L"\\Odd",
                                 L"\\Fine", L""}) {
      RegDeleteKeyW(HKEY_CURRENT_USER, (std::wstring(kTestKey) + below).c_str());
    }
  }

  // Writes the value as UTF-16, making the key.
  static void Put(const std::wstring& below, const std::wstring& name, const void* data,
                  DWORD size) {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kTestKey) + L"\\" + below;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_SZ, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void PutText(const std::wstring& below, const std::wstring& name,
                      const std::wstring& text) {
    Put(below, name, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  static bool KeyExists(const std::wstring& below) {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kTestKey) + L"\\" + below;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  Win32Registry registry_;
  Win32FileSystem files_;
  RowRepairer repairer_{registry_, files_, kBackupFile};
};

TEST_F(ExactBackup, WhatTheCodePageLacksGoesIntoTheUnicodeFileAndOddTextsStay) {
  const std::string path = "Software\\KelvaneExactBackupTest\\";
  PutText(L"Tree\\K\x0101", L"", L"a subkey name outside the code page");
  PutText(L"Name", L"Snow \x2603", L"a value name outside the code page");
  // The code page has a look-alike for this one: the ANSI text would come back as "A...".
  PutText(L"Text", L"Plain", L"\x0100 best-fit");
  PutText(L"Odd", L"Half", L"ab");
  Put(L"Odd", L"Three bytes", "a\0b", 3);
  PutText(L"Fine", L"F", L"caf\x00e9");

  EXPECT_FALSE(repairer_.DeleteKeyWithBackup("HKEY_CURRENT_USER", path + "Odd"));
  EXPECT_FALSE(repairer_.DeleteValueWithBackup("HKEY_CURRENT_USER", path + "Odd", "Three bytes"));
  EXPECT_TRUE(KeyExists(L"Odd"));
  EXPECT_EQ(GetFileAttributesA(kBackupFile), INVALID_FILE_ATTRIBUTES);

  EXPECT_TRUE(repairer_.DeleteValueWithBackup("HKEY_CURRENT_USER", path + "Text", "Plain"));
  for (const char* key : {"Tree", "Name"}) {
    EXPECT_TRUE(repairer_.DeleteKeyWithBackup("HKEY_CURRENT_USER", path + key)) << key;
  }
  EXPECT_FALSE(KeyExists(L"Tree") || KeyExists(L"Name"));
  EXPECT_EQ(GetFileAttributesA(kBackupFile), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(repairer_.DeleteValueWithBackup("HKEY_CURRENT_USER", path + "Odd", "Half"));
  EXPECT_TRUE(repairer_.DeleteKeyWithBackup("HKEY_CURRENT_USER", path + "Fine"));
  EXPECT_FALSE(KeyExists(L"Fine"));

  for (const char* file : {kBackupFile, kUnicodeFile}) {
    ApplyRegFile(registry_, ParseRegFile(files_.ReadFileEnd(file, 1 << 20).value_or("")));
  }
  for (const wchar_t* key : {L"Tree\\K\x0101", L"Name", L"Text", L"Fine"}) {
    EXPECT_TRUE(KeyExists(key));
  }
  wchar_t text[64] = {};
  DWORD size = sizeof text;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (std::wstring(kTestKey) + L"\\Name").c_str(),
                         L"Snow \x2603", RRF_RT_REG_SZ, nullptr, text, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(text), L"a value name outside the code page");
}

}  // namespace
}  // namespace kelvane
