// Paths come from registry values any program may have written. The input's first byte holds
// the flags (what is judged, the anchor, folders allowed), the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Text.h"
#include "platform/memory/MemoryFileSystem.h"
#include "scan/FileReference.h"
#include "scan/JudgedDrive.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using namespace kelvane;
using fuzzsupport::Fault;

// Made once and kept for the process: the checks only read it.
MemoryFileSystem& Machine() {
  static MemoryFileSystem* files = [] {
    auto* made = new MemoryFileSystem;
    made->AddDrive('A', DriveType::Removable, false);
    made->AddDrive('C', DriveType::Fixed);
    made->AddDrive('D', DriveType::CdRom);
    made->AddFile("C:\\Windows\\notepad.exe");
    made->AddFile("C:\\Windows\\System32\\cmd.exe");
    made->AddFile("C:\\Windows\\System32\\shell32.dll");
    made->AddFile("C:\\Program Files\\App\\app.exe");
    made->AddFile("C:\\Program Files\\App\\app.chm");
    made->AddFile("C:\\Tools\\HPLaser\\x.exe");
    made->AddFile("C:\\Long Folder Name\\readme first.txt");
    made->AddFile("C:\\run.bat");
    made->AddFile("C:\\go.com");
    made->AddFolder("C:\\Data");
    made->AddFolder("C:\\Empty Folder");
    made->AddFile("D:\\setup.exe");
    made->SetEnvironment("SystemRoot", "C:\\Windows");
    made->SetEnvironment("windir", "C:\\WINDOWS");
    made->SetEnvironment("ProgramFiles", "C:\\Program Files");
    made->SetEnvironment("ComSpec", "C:\\Windows\\System32\\cmd.exe");
    made->SetEnvironment("TEMP", " C:\\Data\t");
    made->SetEnvironment("EMPTY", "");
    made->SetEnvironment("SELF", "%SELF%");
    made->SetEnvironment("RELATIVE", "System32");
    made->SetEnvironment("DRIVE", "C:");
    made->SetCurrentFolder("C:\\Windows");
    return made;
  }();
  return *files;
}

const char* const kAnchors[] = {"", "app.exe", "System32", "\\"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool allowFolder = flags & 1;
  const std::string anchor = kAnchors[(flags >> 1) & 3];
  DriveChecks drives;
  drives.driveLetters = flags & 8 ? "acd" : "c";
  drives.isWow64 = flags & 16;
  drives.includeRemoveMedia = flags & 32;
  drives.driveAReady = flags & 64;

  MemoryFileSystem& files = Machine();
  FileReferenceCheck check(files, drives);
  const bool invalid = check.Missing(text, anchor, allowFolder).has_value();
  // The answers kept for the scan must not change the verdict.
  if (check.Missing(text, anchor, allowFolder).has_value() != invalid) {
    Fault("a second look at the same path gives another verdict");
  }

  // A plain path on a judged drive that names an existing file is never a problem.
  const std::string upper = UpperCaseAscii(text);
  const bool plain = anchor.empty() && !drives.isWow64 && !text.empty() && text[0] != '"' &&
                     text[0] != '%' && upper.find("\\HP") == std::string::npos;
  if (invalid && plain && IsOnJudgedDrive(text, drives.driveLetters) &&
      !check.IsOnEmptyFloppy(text) && files.FileExists(text)) {
    Fault("an existing file is reported missing");
  }

  if (flags & 128) {
    const std::string expanded = check.ExpandPathVariable(text);
    if (expanded != text && !files.DirectoryExists(expanded)) {
      Fault("an expansion that names no folder replaced the text");
    }
  }
  return 0;
}
