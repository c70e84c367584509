#include <gtest/gtest.h>

#include "global/Localization.h"
#include "platform/RegFile.h"
#include "platform/RegistryAccess.h"
#include "platform/Text.h"
#include "scan/ScanTaskThread.h"
#include "tests/conformance/FileSystemEnvironment.h"
#include "tests/conformance/ProfileEnvironment.h"
#include "tests/conformance/RegistryEnvironment.h"
#include "tests/conformance/SystemEnvironment.h"
#include "tests/support/RecordingSink.h"

namespace kelvane {
namespace {

// Everything the test adds to the registry carries this mark, so the rows it expects can be
// told from those of whatever else the machine holds.
const char kMark[] = "KelvaneScan";

std::string RegEscape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

class ScanConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    fileEnvironment_ = MakeFileSystemEnvironment(test->name());
    registry_ = MakeConformanceRegistry();
    system_ = MakeConformanceSystem();
    profiles_ = MakeConformanceProfileStore();
    RemoveMarkedKeys();
  }
  void TearDown() override { RemoveMarkedKeys(); }

  void RemoveMarkedKeys() {
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

  std::vector<std::string> MarkedRows(const std::vector<std::string>& tasks) {
    std::string lan = "English";
    Language language(*profiles_, "C:\\", lan);
    testsupport::RecordingSink sink;
    TScanTaskThread worker(*registry_, fileEnvironment_->FileSystem(), *system_, language,
                           ScanOptions{}, sink);
    worker.FTaskList = tasks;
    worker.Execute();
    EXPECT_EQ(sink.events.back(), "completed");
    std::vector<std::string> rows;
    for (const ProblemRecord& row : sink.rows) {
      const std::string line = row.key + " | " + row.value + " | " +
                               std::to_string(static_cast<int>(row.repairKind));
      if (UpperCaseAscii(line).find(UpperCaseAscii(kMark)) != std::string::npos) {
        rows.push_back(line);
      }
    }
    return rows;
  }

  std::unique_ptr<FileSystemEnvironment> fileEnvironment_;
  std::unique_ptr<RegistryStore> registry_;
  std::unique_ptr<SystemAccess> system_;
  std::unique_ptr<ProfileStore> profiles_;
};

TEST_F(ScanConformance, FindsExactlyTheBrokenReferencesOfAPreparedMachine) {
  const std::string folder = fileEnvironment_->ScratchFolder() + kMark + "\\";
  fileEnvironment_->MakeFolder(folder);
  fileEnvironment_->WriteBytes(folder + "present.exe", "MZ");
  fileEnvironment_->WriteBytes(folder + kMark + "Here.exe", "MZ");
  const std::string gone = folder + "gone.exe";
  const std::string mark = kMark;
  const std::string appPaths =
      "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
  const std::string applications = "HKEY_LOCAL_MACHINE\\Software\\Classes\\Applications\\";
  ApplyRegFile(*registry_, ParseRegFile(
      "REGEDIT4\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\" + mark + "Vendor]\r\n"
      "\"Missing\"=\"" + RegEscape(gone + " /q") + "\"\r\n"
      "\"Present\"=\"" + RegEscape(folder + "present.exe /q") + "\"\r\n"
      "\"Folder\"=\"" + RegEscape(folder) + "\"\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\" + mark + "Vendor\\Deeper]\r\n"
      "\"" + RegEscape(folder + "named.dll") + "\"=\"" + RegEscape(folder + "named.dll") + "\"\r\n"
      "[" + appPaths + mark + "Gone.exe]\r\n@=\"" + RegEscape(folder + mark + "Gone.exe") + "\"\r\n"
      "[" + appPaths + mark + "Here.exe]\r\n@=\"" + RegEscape(folder + mark + "Here.exe") + "\"\r\n"
      "[" + applications + mark + ".exe\\shell\\open\\command]\r\n"
      "@=\"\\\"" + RegEscape(gone) + "\\\" \\\"%1\\\"\"\r\n"
      "[" + applications + mark + ".exe\\shell\\print\\command]\r\n"
      "@=\"\\\"" + RegEscape(folder + "present.exe") + "\\\" /p \\\"%1\\\"\"\r\n"
      "[HKEY_CURRENT_USER\\Software\\" + mark + "Empty]\r\n"
      "[HKEY_CURRENT_USER\\Software\\" + mark + "User]\r\n"
      "\"Recent\"=\"" + RegEscape(folder + "gone.doc") + "\"\r\n"));

  const std::string vendor = "HKEY_LOCAL_MACHINE\\Software\\" + mark + "Vendor";
  const std::string user = "Software\\" + mark + "User\\Recent";
  EXPECT_EQ(MarkedRows({"3", "4", "5", "6", "14", "22"}),
            (std::vector<std::string>{
                vendor + "\\Missing | " + gone + " /q | 1",
                vendor + "\\Deeper | " + folder + "named.dll | 2",
                "HKEY_CURRENT_USER\\" + user + " | " + folder + "gone.doc | 1",
                "HKEY_USERS\\S-1-5-21-0-0-0-1000\\" + user + " | " + folder + "gone.doc | 1",
                appPaths + mark + "Gone.exe | " + folder + mark + "Gone.exe | 0",
                "HKEY_CURRENT_USER\\Software | " + mark + "Empty | 3",
                applications + mark + ".exe\\shell\\open\\command | \"" + gone + "\" \"%1\" | 0",
            }));
}

}  // namespace
}  // namespace kelvane
