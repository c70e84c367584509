#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "platform/Text.h"
#include "tests/support/ScanMachine.h"

namespace kelvane {
namespace {

using testsupport::ScanMachine;

class ScannerTest : public ScanMachine {};

TEST_F(ScannerTest, EveryTaskRunsBothStepsEvenAGroupWithoutARule) {
  Load(
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe]\r\n"
      "@=\"C:\\\\Gone\\\\gone.exe\"\r\n");
  Scan({ScanCategory::AllCategories, ScanCategory::FilesAndFolders,
        ScanCategory::SoftwareLocations});
  EXPECT_EQ(sink.Steps(),
            (std::vector<std::string>{
                "before task", "after task", "before task", "after task", "before task",
                "status Scanning Software Locations...",
                "row HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                "App Paths\\gone.exe",
                "after task", "completed"}));
}

TEST_F(ScannerTest, StopInTheMiddleOfACategoryEndsAtOnceAndAddsNothingMore) {
  std::string regText;
  for (int i = 0; i < 50; ++i) {
    regText += "[HKEY_LOCAL_MACHINE\\Software\\Vendor" + std::to_string(100 + i) +
               "]\r\n\"Path\"=\"C:\\\\Gone\\\\x.exe\"\r\n";
  }
  Load(regText);
  int keys = 0;
  sink.onKey = [&](const std::string&) {
    if (++keys == 10) Worker().Stop();
  };
  Scan({ScanCategory::FilesAndFoldersLocalMachine, ScanCategory::SoftwareLocations,
        ScanCategory::ObsoleteSoftware});
  EXPECT_EQ(keys, 10);
  ASSERT_FALSE(sink.events.empty());
  EXPECT_EQ(sink.events.back(), "stopped");
  // Keys 1 and 2 are Software and Software\Classes; the stop comes as the tenth key, the
  // eighth vendor, is reached: the seven vendors before it were reported, nothing after.
  EXPECT_EQ(sink.rows.size(), 7u);
  EXPECT_EQ(std::count(sink.events.begin(), sink.events.end(), "before task"), 1);
  EXPECT_EQ(std::count(sink.events.begin(), sink.events.end(), "after task"), 0);
}

// Counts the questions about files; the test decides what happens at one of them.
class AskedFiles : public MemoryFileSystem {
 public:
  bool FileExists(const std::string& path) override {
    ++asked;
    if (onAsk) onAsk();
    return MemoryFileSystem::FileExists(path);
  }
  int asked = 0;
  std::function<void()> onAsk;
};

TEST_F(ScannerTest, StopInsideOneKeyOfManyValuesEndsBeforeTheNextValueIsJudged) {
  // Every library exists: the loop over the values reports no row and shows no key.
  AskedFiles libraries;
  libraries.AddDrive('C', DriveType::Fixed);
  std::string regText =
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls]\r\n";
  for (int i = 0; i < 200; ++i) {
    const std::string file = "C:\\Lib\\library" + std::to_string(i) + ".dll";
    libraries.AddFile(file);
    regText += "\"C:\\\\Lib\\\\library" + std::to_string(i) + ".dll\"=dword:00000001\r\n";
  }
  Load(regText);
  Scanner worker(registry, libraries, system, language, options, sink);
  int askedAtStop = 0;
  libraries.onAsk = [&] {
    if (libraries.asked == 20) {
      worker.Stop();
      askedAtStop = libraries.asked;
    }
  };
  worker.Execute({ScanCategory::SharedDlls});
  EXPECT_EQ(askedAtStop, 20);
  EXPECT_EQ(libraries.asked, askedAtStop);
  EXPECT_EQ(sink.events.back(), "stopped");
  EXPECT_TRUE(sink.rows.empty());
}

TEST_F(ScannerTest, AStopBeforeTheFirstTaskRunsNothing) {
  Worker().Stop();
  Scan({ScanCategory::SoftwareLocations});
  EXPECT_EQ(sink.events, std::vector<std::string>{"stopped"});
}

class FailingSink : public testsupport::RecordingSink {
 public:
  void ShowStatus(const std::string& text) override {
    RecordingSink::ShowStatus(text);
    throw std::runtime_error("unexpected");
  }
};

TEST_F(ScannerTest, AnErrorInACategoryEndsTheScanAsFailedAndSaysWhere) {
  FailingSink failing;
  Scanner scanner(registry, files, system, language, options, failing);
  scanner.Execute({ScanCategory::SoftwareLocations, ScanCategory::ObsoleteSoftware});
  EXPECT_EQ(failing.events, (std::vector<std::string>{
                                "before task", "status Scanning Software Locations...", "failed"}));
  ASSERT_TRUE(scanner.Failure());
  EXPECT_EQ(scanner.Failure()->step, "Scanning Software Locations...");
  EXPECT_EQ(scanner.Failure()->error, "unexpected");
  // The next scan starts with no failure of its own.
  Scanner fine(registry, files, system, language, options, sink);
  fine.Execute({ScanCategory::SoftwareLocations});
  EXPECT_FALSE(fine.Failure());
}

TEST_F(ScannerTest, DriveLettersFollowTheMediaSettings) {
  files.AddDrive('E', DriveType::Removable);
  files.AddDrive('F', DriveType::Remote);
  files.AddDrive('G', DriveType::Fixed);
  std::string allButD;
  for (char letter = 'c'; letter <= 'z'; ++letter) {
    if (letter != 'd') allButD += letter;
  }
  EXPECT_EQ(ScanDriveLetters(files, {false, false}).judged, "cg");
  EXPECT_EQ(ScanDriveLetters(files, {false, true}).judged, "cdg");
  EXPECT_EQ(ScanDriveLetters(files, {true, false}).judged, "ab" + allButD);
  // The CD drive once, though removable media are judged too.
  EXPECT_EQ(ScanDriveLetters(files, {true, true}).judged, "abcd" + allButD.substr(1));
}

TEST_F(ScannerTest, FloppiesAreProbedOnlyWhenRemovableMediaAreJudged) {
  files.AddDrive('A', DriveType::Removable, true);
  Worker().MeasureFloppyDrives();
  EXPECT_FALSE(Worker().Drives().driveAReady);

  options.includeRemoveMedia = true;
  Scanner withMedia(registry, files, system, language, options, sink);
  withMedia.MeasureFloppyDrives();
  EXPECT_TRUE(withMedia.Drives().driveAReady);
  EXPECT_FALSE(withMedia.Drives().driveBReady);
}

TEST_F(ScannerTest, Wow64IsTakenFromTheSystem) {
  system.SetWow64(true);
  Scanner worker(registry, files, system, language, options, sink);
  EXPECT_TRUE(worker.Drives().isWow64);
}

// Every place a rule enumerates holds a link to a key that would give rows there: an empty key,
// or one whose values name missing files and unregistered identifiers. No rule reports a link,
// anything through one, or a key whose deletion would take one along.
TEST_F(ScannerTest, NoRuleReportsALinkOrAnythingReachedThroughOne) {
  const std::string brokenKey = "[HKEY_LOCAL_MACHINE\\Software\\Targets\\Broken";
  const std::string gone = "=\"C:\\\\Gone\\\\a.exe\"\r\n";
  const std::string appId = "\"AppID\"=\"{11111111-0000-0000-0000-000000000000}\"\r\n";
  Load("[HKEY_LOCAL_MACHINE\\Software\\Targets\\Empty]\r\n" + brokenKey + "]\r\n@" + gone +
       "\"ImagePath\"" + gone + "\"command\"" + gone + appId + brokenKey + "\\command]\r\n@" +
       gone + brokenKey + "\\TypeLib]\r\n@=\"{22222222-0000-0000-0000-000000000000}\"\r\n" +
       brokenKey +
       "\\.current]\r\n@=\"C:\\\\Gone\\\\a.wav\"\r\n"
       "[HKEY_CLASSES_ROOT\\CLSID\\{33333333-0000-0000-0000-000000000000}]\r\n" +
       appId);
  const std::string empty = MemoryRegistry::FullName(kHkeyLocalMachine, "Software\\Targets\\Empty");
  const std::string broken =
      MemoryRegistry::FullName(kHkeyLocalMachine, "Software\\Targets\\Broken");
  const std::string version = "Software\\Microsoft\\Windows\\CurrentVersion\\";
  const struct {
    RootKey root;
    std::string path;
    const std::string& target;
  } links[] = {
      {kHkeyCurrentUser, "Software\\EmptyLink", empty},
      {kHkeyLocalMachine, "Software\\EmptyLink", empty},
      {kHkeyLocalMachine, "Software\\Holder\\OnlyALink", empty},
      {kHkeyLocalMachine, "Software\\BrokenLink", broken},
      {kHkeyCurrentUser, version + "Explorer\\FileExts\\.link", empty},
      {kHkeyClassesRoot, ".emptylink", empty},
      {kHkeyClassesRoot, "CLSID\\{Link}", broken},
      {kHkeyClassesRoot, "CLSID\\{33333333-0000-0000-0000-000000000000}\\InprocServer32Link",
       broken},
      {kHkeyClassesRoot, "Interface\\{Link}", broken},
      {kHkeyClassesRoot, "TypeLib\\{Link}", broken},
      {kHkeyClassesRoot, "Applications\\link.exe", broken},
      {kHkeyLocalMachine, version + "App Paths\\link.exe", broken},
      {kHkeyLocalMachine, version + "Uninstall\\LinkEntry", broken},
      {kHkeyLocalMachine, version + "App Management\\ARPCache\\LinkCache", empty},
      {kHkeyLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\LinkService", broken},
      {kHkeyLocalMachine, "Software\\Microsoft\\Shared Tools\\MSConfig\\startupreg\\Link", broken},
      {kHkeyCurrentUser, version + "Explorer\\MenuOrder\\Start Menu2\\Programs\\Link", empty},
      {kHkeyCurrentUser, "AppEvents\\Schemes\\Apps\\LinkApp", broken},
      {kHkeyCurrentUser, version + "Explorer\\ComDlg32\\OpenSaveMRU\\link", broken},
  };
  for (const auto& link : links) registry.AddLink(link.root, link.path, link.target);
  // The rule that walks the classes runs only when the machine's walk does not.
  std::vector<ScanCategory> tasks;
  for (int number = kFirstCategoryNumber; number <= kLastCategoryNumber; ++number) {
    tasks.push_back(*CategoryFromNumber(number));
  }
  Scan(tasks);
  tasks.erase(std::find(tasks.begin(), tasks.end(), ScanCategory::FilesAndFoldersLocalMachine));
  std::vector<std::string> rows = Rows(tasks);

  // The target gives its rows where it is.
  EXPECT_NE(
      std::find(rows.begin(), rows.end(),
                "HKEY_LOCAL_MACHINE\\Software\\Targets\\Broken\\ImagePath | C:\\Gone\\a.exe | 1"),
      rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [](const std::string& row) {
                              return UpperCaseAscii(row).find("LINK") == std::string::npos &&
                                     row.find("{33333333") == std::string::npos;
                            }),
             rows.end());
  EXPECT_EQ(rows, std::vector<std::string>{});
}

// As WOW64 shows a 32-bit program its classes: the classes key a link to the 32-bit ones, in
// which the type libraries are a link to the shared ones.
TEST_F(ScannerTest, TheMachineWalkEntersItsOwnClassesLinkOnlyAndLeavesLinkedTypeLibsToActiveX) {
  Load("[HKEY_LOCAL_MACHINE\\Software\\Classes32\\CLSID\\{X}\\InprocServer32]\r\n"
       "@=\"C:\\\\Gone\\\\x.dll\"\r\n"
       "[HKEY_LOCAL_MACHINE\\Software\\SharedTypeLib\\{T}\\1.0\\0\\win32]\r\n@=\"C:\\\\Gone\\\\t.dll\"\r\n"
       "[HKEY_CLASSES_ROOT\\TypeLib\\{T}\\1.0\\0\\win32]\r\n@=\"C:\\\\Gone\\\\t.dll\"\r\n");
  registry.AddLink(kHkeyLocalMachine, "Software\\Classes",
                   MemoryRegistry::FullName(kHkeyLocalMachine, "Software\\Classes32"));
  registry.AddLink(kHkeyLocalMachine, "Software\\Classes32\\TypeLib",
                   MemoryRegistry::FullName(kHkeyLocalMachine, "Software\\SharedTypeLib"));
  const std::vector<std::string> rows =
      Rows({ScanCategory::FilesAndFoldersLocalMachine, ScanCategory::ActiveX});
  EXPECT_EQ(rows, (std::vector<std::string>{
                      "HKEY_LOCAL_MACHINE\\Software\\Classes\\CLSID\\{X}\\InprocServer32\\ | "
                      "C:\\Gone\\x.dll | 1",
                      "HKEY_LOCAL_MACHINE\\Software\\Classes32\\CLSID\\{X}\\InprocServer32\\ | "
                      "C:\\Gone\\x.dll | 1",
                      "HKEY_LOCAL_MACHINE\\Software\\SharedTypeLib\\{T}\\1.0\\0\\win32\\ | "
                      "C:\\Gone\\t.dll | 1",
                      "HKEY_CLASSES_ROOT\\TypeLib\\{T}\\1.0\\0\\win32\\ | C:\\Gone\\t.dll | 1"}));
}

}  // namespace
}  // namespace kelvane
