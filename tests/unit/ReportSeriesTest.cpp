#include <gtest/gtest.h>

#include "platform/memory/MemoryFileSystem.h"
#include "results/ReportSeries.h"

namespace kelvane {
namespace {

TEST(ReportSeries, TheStampTakesTheStarOfTheFileNameOnly) {
  EXPECT_EQ(DatedReportPath("C:\\Audits\\audit-*.jsonl", "20261208T011554Z"),
            "C:\\Audits\\audit-20261208T011554Z.jsonl");
  EXPECT_EQ(DatedReportPath("C:\\a*b\\audit.csv", "20261208T011554Z"), "C:\\a*b\\audit.csv");
}

TEST(ReportSeries, OnlyTheOldestReportsOfTheSeriesGo) {
  MemoryFileSystem files;
  files.AddDrive('C', DriveType::Fixed);
  for (const char* name : {"audit-20261201T030000Z.jsonl", "audit-20261124T030000Z.jsonl",
                           "AUDIT-20261117T030000Z.JSONL", "audit-20261110T030000Z.jsonl",
                           "audit-notes.jsonl", "audit-20261103T030000Z.csv"}) {
    files.AddFile(std::string("C:\\Audits\\") + name);
  }
  files.AddFolder("C:\\Audits\\audit-20261001T030000Z.jsonl");
  EXPECT_EQ(PruneReportSeries(files, "C:\\Audits\\audit-*.jsonl", 2), 2u);
  EXPECT_FALSE(files.FileExists("C:\\Audits\\audit-20261110T030000Z.jsonl"));
  EXPECT_FALSE(files.FileExists("C:\\Audits\\AUDIT-20261117T030000Z.JSONL"));
  for (const char* kept : {"audit-20261201T030000Z.jsonl", "audit-20261124T030000Z.jsonl",
                           "audit-notes.jsonl", "audit-20261103T030000Z.csv"}) {
    EXPECT_TRUE(files.FileExists(std::string("C:\\Audits\\") + kept)) << kept;
  }
  EXPECT_TRUE(files.DirectoryExists("C:\\Audits\\audit-20261001T030000Z.jsonl"));
  EXPECT_EQ(PruneReportSeries(files, "C:\\Audits\\audit-*.jsonl", 2), 0u);
}

}  // namespace
}  // namespace kelvane
