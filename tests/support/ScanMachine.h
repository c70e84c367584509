// A machine in memory for scan tests: registry, drives C: (fixed) and D: (CD-ROM), an English
// user interface, and a worker that reports to a recording sink.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "platform/PortableProfileStore.h"
#include "platform/RegFile.h"
#include "platform/Utf8.h"
#include "platform/memory/MemoryFileSystem.h"
#include "platform/memory/MemoryRegistry.h"
#include "platform/memory/MemorySystem.h"
#include "scan/Scanner.h"
#include "tests/support/RecordingSink.h"

namespace kelvane::testsupport {

class ScanMachine : public ::testing::Test {
 protected:
  ScanMachine() {
    files.AddDrive('C', DriveType::Fixed);
    files.AddDrive('D', DriveType::CdRom);
    files.AddFolder("C:\\Windows\\System32");
    files.SetEnvironment("SystemRoot", "C:\\Windows");
  }

  void Load(const std::string& regText) {
    ApplyRegFile(registry, ParseRegFile("REGEDIT4\r\n" + regText));
  }
  // The same for UTF-8 text, names in any script, read as the editor's Unicode format.
  void LoadUnicode(const std::string& regText) {
    ApplyRegFile(
        registry,
        ParseRegFile(Utf16LeFileBytes("Windows Registry Editor Version 5.00\r\n" + regText)));
  }

  Scanner& Worker() {
    if (!worker_) {
      worker_ = std::make_unique<Scanner>(registry, files, system, language, options, sink);
    }
    return *worker_;
  }

  // Runs the tasks to the end and returns the rows found.
  std::vector<ProblemRecord> Scan(const std::vector<ScanCategory>& tasks) {
    Worker().Execute(tasks);
    return sink.rows;
  }

  // The rows as RowText shows them.
  std::vector<std::string> Rows(const std::vector<ScanCategory>& tasks) {
    std::vector<std::string> rows;
    for (const ProblemRecord& row : Scan(tasks)) rows.push_back(RowText(row));
    return rows;
  }

  // Runs the tasks on a worker of their own that uses other files or another sink.
  void ScanWith(FileSystemAccess& otherFiles, ScanSink& otherSink,
                const std::vector<ScanCategory>& tasks) {
    Scanner worker(registry, otherFiles, system, language, options, otherSink);
    worker.Execute(tasks);
  }

  MemoryRegistry registry;
  MemoryFileSystem files;
  MemorySystem system;
  PortableProfileStore profiles;
  std::string lan = "English";
  Language language{profiles, "/nonexistent/", lan};
  RecordingSink sink;
  ScanOptions options;

 private:
  std::unique_ptr<Scanner> worker_;
};

}  // namespace kelvane::testsupport
