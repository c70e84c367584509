#include <gtest/gtest.h>

#include "platform/RegFile.h"
#include "tests/conformance/ScanConformanceFixture.h"

namespace kelvane {
namespace {

std::string RegEscape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

class ScanConformance : public ScanConformanceFixture {
 protected:
  void RemoveMarkedEntries() override {
    const std::string mark = kMark;
    ApplyRegFile(*registry_,
                 ParseRegFile("REGEDIT4\r\n"
                              "[-HKEY_LOCAL_MACHINE\\Software\\" + mark + "Vendor]\r\n"
                              "[-HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                              "App Paths\\" + mark + "Gone.exe]\r\n"
                              "[-HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                              "App Paths\\" + mark + "Here.exe]\r\n"
                              "[-HKEY_LOCAL_MACHINE\\Software\\Classes\\Applications\\" + mark +
                              ".exe]\r\n"
                              "[-HKEY_CURRENT_USER\\Software\\" + mark + "Empty]\r\n"
                              "[-HKEY_CURRENT_USER\\Software\\" + mark + "User]\r\n"));
  }
};

TEST_F(ScanConformance, FindsExactlyTheBrokenReferencesOfAPreparedMachine) {
  MakeFile(folder_ + "present.exe");
  MakeFile(folder_ + kMark + "Here.exe");
  const std::string gone = folder_ + "gone.exe";
  const std::string mark = kMark;
  const std::string appPaths =
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
  const std::string applications = "HKEY_LOCAL_MACHINE\\Software\\Classes\\Applications\\";
  ApplyRegFile(*registry_, ParseRegFile(
      "REGEDIT4\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\" + mark + "Vendor]\r\n"
      "\"Missing\"=\"" + RegEscape(gone + " /q") + "\"\r\n"
      "\"Present\"=\"" + RegEscape(folder_ + "present.exe /q") + "\"\r\n"
      "\"Folder\"=\"" + RegEscape(folder_) + "\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\" + mark + "Vendor\\Deeper]\r\n"
      "\"" + RegEscape(folder_ + "named.dll") + "\"=\"" + RegEscape(folder_ + "named.dll") +
      "\"\r\n"
      "[" + appPaths + mark + "Gone.exe]\r\n"
      "@=\"" + RegEscape(folder_ + mark + "Gone.exe") + "\"\r\n"
      "[" + appPaths + mark + "Here.exe]\r\n"
      "@=\"" + RegEscape(folder_ + mark + "Here.exe") + "\"\r\n"
      "[" + applications + mark + ".exe\\shell\\open\\command]\r\n"
      "@=\"\\\"" + RegEscape(gone) + "\\\" \\\"%1\\\"\"\r\n"
      "[" + applications + mark + ".exe\\shell\\print\\command]\r\n"
      "@=\"\\\"" + RegEscape(folder_ + "present.exe") + "\\\" /p \\\"%1\\\"\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\" + mark + "Empty]\r\n"
      "[HKEY_CURRENT_USER\\Software\\" + mark + "User]\r\n"
      "\"Recent\"=\"" + RegEscape(folder_ + "gone.doc") + "\"\r\n"));

  const std::string vendor = "HKEY_LOCAL_MACHINE\\Software\\" + mark + "Vendor";
  const std::string user = "Software\\" + mark + "User\\Recent";
  EXPECT_EQ(MarkedRows({ScanCategory::FilesAndFoldersLocalMachine,
                        ScanCategory::FilesAndFoldersCurrentUser,
                        ScanCategory::FilesAndFoldersUsers, ScanCategory::SoftwareLocations,
                        ScanCategory::ObsoleteSoftware, ScanCategory::Applications}),
            (std::vector<std::string>{
                vendor + "\\Missing | " + gone + " /q | 1",
                vendor + "\\Deeper | " + folder_ + "named.dll | 2",
                "HKEY_CURRENT_USER\\" + user + " | " + folder_ + "gone.doc | 1",
                "HKEY_USERS\\S-1-5-21-0-0-0-1000\\" + user + " | " + folder_ + "gone.doc | 1",
                appPaths + mark + "Gone.exe | " + folder_ + mark + "Gone.exe | 0",
                "HKEY_CURRENT_USER\\Software | " + mark + "Empty | 3",
                applications + mark + ".exe\\shell\\open\\command | \"" + gone + "\" \"%1\" | 0",
            }));
}

}  // namespace
}  // namespace kelvane
