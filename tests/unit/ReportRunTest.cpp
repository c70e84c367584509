#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/PortableProfileStore.h"
#include "platform/RegFile.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemorySystem.h"
#include "results/ReportRun.h"
#include "tests/support/ScratchFolder.h"

namespace kelvane {
namespace {

// A registry whose every root fails as no real one does, so that a category fails.
class BrokenRegistry : public RegistryStore {
 public:
  std::unique_ptr<RegistryKey> OpenRoot(RootKey) override {
    throw std::runtime_error("the registry is gone");
  }
};

const ReportFacts kFacts{"2.6.0", "PC-1", "admin", [] { return "2026-12-08T01:02:03Z"; }};

TEST(ReportRun, AFailedCategoryWritesNoReportAndNamesWhereItStopped) {
  testsupport::ScratchFolder folder;
  BrokenRegistry registry;
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  MemorySystem system;
  PortableProfileStore profiles;
  const ReportOutcome outcome = RunReport(registry, files, system, profiles, folder.Path(),
                                         {"C:\\report.txt"}, kFacts);
  EXPECT_FALSE(outcome.written);
  EXPECT_EQ(outcome.failure,
            "the scan ended early with an error (Scanning Files and Folders - "
            "HKEY_LOCAL_MACHINE... key \"\"): the registry is gone");
  EXPECT_FALSE(files.FileExists("C:\\report.txt"));
}

// Three rows, one of them hidden by the ignore list and one naming a letter of code page 1252;
// the machine reports list them in the order found, the hidden one first.
class ReportFormats : public ::testing::Test {
 protected:
  ReportFormats() {
    files.AddDrive('C', DriveType::Fixed);
    files.AddFolder("C:\\Windows");
    ApplyRegFile(registry, ParseRegFile("REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Vendor]\r\n"
                                        "\"Gone\"=\"C:\\\\Gone\\\\a,b.exe\"\r\n"
                                        "\"Caf\xe9\"=\"C:\\\\Gone\\\\caf\xe9.exe\"\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\Hidden]\r\n"
                                        "\"x\"=\"C:\\\\Gone\\\\x.exe\"\r\n"));
    std::string options = "[IgnoreKey]\r\nCount=1\r\nKey1=HKEY_CURRENT_USER\\Software\\Hidden\r\n"
                          "[TreeViewNodeCheck]\r\n";
    for (int node = kFirstCategoryNumber; node <= kLastCategoryNumber; ++node) {
      const bool currentUser = node == CategoryNumber(ScanCategory::FilesAndFoldersCurrentUser);
      options += std::to_string(node) + (currentUser ? "=1\r\n" : "=0\r\n");
    }
    testsupport::WriteRawFile(folder.Path() + "options.ini", options);
  }
  std::vector<std::string> Report(ReportFormat format, const std::string& path) {
    const ReportOutcome outcome =
        RunReport(registry, files, system, profiles, folder.Path(), {path, format}, kFacts);
    EXPECT_TRUE(outcome.written) << outcome.failure;
    EXPECT_EQ(outcome.rows, 2u);
    EXPECT_EQ(outcome.ignored, 1u);
    std::vector<std::string> lines;
    std::string contents = files.FileContents(path).value_or("");
    for (std::size_t start = 0; start < contents.size();) {
      const std::size_t end = contents.find("\r\n", start);
      lines.push_back(contents.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  testsupport::ScratchFolder folder;
  MemoryRegistry registry;
  MemoryFileSystem files;
  MemorySystem system;
  PortableProfileStore profiles;
};

TEST_F(ReportFormats, EveryFormatHoldsTheSameRowsAndTheMachineOnesMarkTheIgnoredOne) {
  const std::vector<std::string> text = Report(ReportFormat::Text, "C:\\r.txt");
  ASSERT_EQ(text.size(), 5u);
  EXPECT_NE(text[3].find("Caf\xe9"), std::string::npos);

  const std::vector<std::string> csv = Report(ReportFormat::Csv, "C:\\r.csv");
  ASSERT_EQ(csv.size(), 4u);
  EXPECT_EQ(csv[0].rfind("\xEF\xBB\xBF" "category,rule,class,reason,", 0), 0u);
  // The comma inside the path is quoted, and the letter is UTF-8.
  EXPECT_NE(csv[1].find(",true,found,"), std::string::npos) << csv[1];
  EXPECT_NE(csv[2].find("caf\xC3\xA9.exe"), std::string::npos) << csv[2];
  EXPECT_NE(csv[3].find(",\"C:\\Gone\\a,b.exe\","), std::string::npos) << csv[3];

  const std::vector<std::string> json = Report(ReportFormat::JsonLines, "C:\\r.jsonl");
  ASSERT_EQ(json.size(), 4u);
  EXPECT_NE(json[0].find("\"schema_version\":1,"), std::string::npos);
  EXPECT_NE(json[0].find("\"counts\":{\"rows\":2,\"certain\":2,\"review\":0,\"ignored\":1,"),
            std::string::npos)
      << json[0];
  EXPECT_NE(json[3].find("\"value_name\":\"Gone\",\"value_text\":\"C:\\\\Gone\\\\a,b.exe\""),
            std::string::npos)
      << json[3];
  EXPECT_NE(json[1].find("\"ignored\":true"), std::string::npos);
}

TEST(ReportFormat, IsChosenByTheExtensionOrByName) {
  EXPECT_EQ(ReportFormatOfFile("C:\\a.b\\Report.CSV"), ReportFormat::Csv);
  EXPECT_EQ(ReportFormatOfFile("C:\\out.jsonl"), ReportFormat::JsonLines);
  EXPECT_EQ(ReportFormatOfFile("C:\\csv\\report"), ReportFormat::Text);
  EXPECT_EQ(ReportFormatNamed("JSONL"), ReportFormat::JsonLines);
  EXPECT_EQ(ReportFormatNamed("xml"), std::nullopt);
}

}  // namespace
}  // namespace kelvane
