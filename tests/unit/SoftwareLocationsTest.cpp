#include <gtest/gtest.h>

#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class SoftwareLocations : public ScanMachine {};

const std::string kAppPaths =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";

TEST_F(SoftwareLocations, AppPathsOfProgramsAreJudgedByTheirOwnName) {
  files.AddFile("C:\\Apps\\present.exe");
  Load("[" + kAppPaths + "\\Foo.EXE]\r\n@=\"C:\\\\Apps\\\\Foo.exe -x\"\r\n" +
       "[" + kAppPaths + "\\tool]\r\n@=\"\\\"C:\\\\Apps\\\\tool\\\"\"\r\n" +
       "[" + kAppPaths + "\\setup.msi]\r\n@=\"C:\\\\Apps\\\\setup.msi\"\r\n" +
       "[" + kAppPaths + "\\x.dll]\r\n@=\"C:\\\\Apps\\\\x.dll\"\r\n" +
       "[" + kAppPaths + "\\present.exe]\r\n@=\"C:\\\\Apps\\\\PRESENT.EXE\"\r\n" +
       "[" + kAppPaths + "\\empty.exe]\r\n@=\"\"\r\n" +
       "[" + kAppPaths + "\\number.exe]\r\n@=dword:00000001\r\n" +
       "[" + kAppPaths + "\\nodefault.exe]\r\n\"Path\"=\"C:\\\\Gone\"\r\n");
  EXPECT_EQ(Rows({ScanCategory::SoftwareLocations}),
            (std::vector<std::string>{kAppPaths + "\\Foo.EXE | C:\\Apps\\Foo.exe -x | 0",
                                      kAppPaths + "\\tool | \"C:\\Apps\\tool\" | 0"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Software Locations Issue");
}

TEST_F(SoftwareLocations, ObsoleteKeysAreThoseThatHoldNothing) {
  Load(
      "[HKEY_CURRENT_USER\\Software\\Empty]\r\n"
      "[HKEY_CURRENT_USER\\Software\\OneEmptyChild\\App]\r\n"
      "[HKEY_CURRENT_USER\\Software\\TwoEmptyChildren\\A]\r\n"
      "[HKEY_CURRENT_USER\\Software\\TwoEmptyChildren\\B]\r\n"
      "[HKEY_CURRENT_USER\\Software\\EmptyDefault]\r\n@=\"\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\DeepValue\\A\\B]\r\n\"v\"=dword:00000000\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Empty]\r\n"
      "[HKEY_CLASSES_ROOT\\.txt]\r\n[HKEY_CLASSES_ROOT\\.doc]\r\n");
  EXPECT_EQ(Rows({ScanCategory::ObsoleteSoftware}),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Software | Empty | 3",
                                      "HKEY_CURRENT_USER\\Software | OneEmptyChild | 3",
                                      "HKEY_LOCAL_MACHINE\\Software | Empty | 3"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Obsolete Software Key");
  EXPECT_EQ(sink.Steps().at(1), "status Scanning Software Locations...");
}

// A key that is listed but cannot be opened may hold anything: neither it nor its parent is
// reported as empty, and lists that cannot be read judge nothing.
TEST_F(SoftwareLocations, KeysThatCannotBeOpenedAreNeverCalledEmpty) {
  Load(
      "[HKEY_CURRENT_USER\\Software\\Locked]\r\n"
      "[HKEY_CURRENT_USER\\Software\\OnlyLockedChild\\Locked]\r\n"
      "[HKEY_CURRENT_USER\\Software\\Empty]\r\n"
      "[HKEY_CLASSES_ROOT\\AppID]\r\n"
      "[HKEY_CLASSES_ROOT\\CLSID\\{C}]\r\n\"AppID\"=\"{GONE}\"\r\n");
  registry.MakeUnopenable(kHkeyCurrentUser, "Software\\Locked");
  registry.MakeUnopenable(kHkeyCurrentUser, "Software\\OnlyLockedChild\\Locked");
  EXPECT_EQ(Rows({ScanCategory::ObsoleteSoftware}),
            (std::vector<std::string>{"HKEY_CURRENT_USER\\Software | Empty | 3"}));

  sink.rows.clear();
  EXPECT_EQ(Rows({ScanCategory::ActiveX}).size(), 1u);
  registry.MakeUnopenable(kHkeyClassesRoot, "AppID");
  sink.rows.clear();
  EXPECT_TRUE(Rows({ScanCategory::ActiveX}).empty());
}

TEST_F(SoftwareLocations, ApplicationsReportEveryEmptyOrBrokenCommandInSearchOrder) {
  files.AddFile("C:\\Apps\\ok.exe");
  const std::string apps = "[HKEY_LOCAL_MACHINE\\Software\\Classes\\Applications\\";
  Load(apps + "app.exe\\shell\\open\\command]\r\n@=\"C:\\\\Gone\\\\app.exe \\\"%1\\\"\"\r\n" +
       apps + "app.exe\\shell\\edit\\command]\r\n@=\"C:\\\\Gone\\\\app.exe /edit\"\r\n" +
       apps + "blank.exe\\shell\\open\\command]\r\n" +
       apps + "good.exe\\shell\\open\\command]\r\n@=\"C:\\\\Apps\\\\ok.exe %1\"\r\n" +
       apps + "number.exe\\shell\\command]\r\n@=dword:00000001\r\n" +
       apps + "number.exe\\shell\\open\\command]\r\n@=\"C:\\\\Gone\\\\n.exe\"\r\n" +
       apps + "relative.exe\\shell\\open\\command]\r\n@=\"notepad.exe %1\"\r\n");
  const std::string base = "HKEY_LOCAL_MACHINE\\Software\\Classes\\Applications\\";
  EXPECT_EQ(Rows({ScanCategory::Applications}),
            (std::vector<std::string>{
                base + "app.exe\\shell\\edit\\command | C:\\Gone\\app.exe /edit | 0",
                base + "app.exe\\shell\\open\\command | C:\\Gone\\app.exe \"%1\" | 0",
                base + "blank.exe\\shell\\open\\command |  | 0",
                base + "number.exe\\shell\\open\\command | C:\\Gone\\n.exe | 0"}));
  EXPECT_EQ(sink.rows.at(0).problem, "Open with Application Issue");
  // The category shows no status of its own.
  EXPECT_EQ(sink.Steps().at(1), "row " + base + "app.exe\\shell\\edit\\command");
}

}  // namespace
}  // namespace kelvane
