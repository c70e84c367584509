// The scan worker: runs the ticked categories one after another and reports every problem.
// Execute runs on the caller's thread; Stop may be called from any thread and takes effect at
// the worker's next key, row or task.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystemAccess.h"
#include "platform/RegistryStore.h"
#include "platform/SystemAccess.h"
#include "scan/FileReference.h"
#include "scan/ScanSink.h"

namespace kelvane {

class Language;

struct ScanOptions {
  bool includeRemoveMedia = false;
  bool includeCdDrive = false;
};

class TScanTaskThread {
 public:
  TScanTaskThread(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                  const Language& language, ScanOptions options, ScanSink& sink);

  // Whether A: and B: hold a medium; probed only when removable media are judged.
  void MeasureFloppyDrives();
  void Execute();
  void Stop();
  bool StopRequested() const { return stopped_; }

  std::vector<std::string> FTaskList;
  std::string FDriveLetters;
  bool FDriveAReady = false;
  bool FDriveBReady = false;
  bool FIsWow64 = false;

  // Shared by the categories.
  void ShowStatus(const std::string& key, const std::string& englishDefault);
  void ShowKeyProgress(const std::string& path);
  void AddProblem(const std::string& problem, const std::string& key, const std::string& value,
                  RepairKind kind);
  bool IsInvalidPath(const std::string& text, const std::string& anchorName, bool allowFolder);
  bool IsOnEmptyFloppy(const std::string& path);
  std::string LangString(const std::string& key, const std::string& englishDefault) const;

  // Files and folders.
  void ScanFilesAndFoldersLocalMachine();
  void ScanFilesAndFoldersCurrentUser();
  void ScanFilesAndFoldersUsers();
  void ScanEmptyKeysUsers();
  // Walks every string value below the key; keys whose whole path is in exclusions are skipped
  // with their subtrees.
  void ScanValueTree(const std::string& rootName, const std::string& path,
                     const std::string& problem, const std::string& anchorName,
                     const std::vector<std::string>& exclusions = {});

  // Software locations, obsolete software, applications.
  void ScanSoftwareLocations();
  void ScanObsoleteSoftware();
  void ScanObsoleteKeys(const std::string& rootName, const std::string& path);
  void ScanApplications();
  void FindNextSubKeyValue(RootKey root, std::string& lastFound, std::string& result,
                           const std::string& valueName, const std::string& subkeyName,
                           const std::string& startPath);

  // Fonts, help files, shared DLLs.
  void ScanWindowsFonts();
  void ScanHelpFiles();
  void ScanSharedDlls();

  // Startup programs.
  void ScanStartupPrograms();
  void ScanRunKey(const std::string& rootName, const std::string& path);

  // Add/remove programs and installer.
  void ScanAddRemovePrograms();
  void ScanInstaller();

  // File extensions.
  void ScanFileExtensions();

  // Custom controls and ActiveX.
  void ScanCustomControls();
  void ScanActiveX();
  bool IsFilesAndFoldersHKLMScheduled() const;
  void ScanDefaultValueTree(const std::string& rootName, const std::string& parentPath,
                            const std::string& keyName);
  void ScanInterfaceTypeLibs();
  void ScanClassAppIDs();

  // Windows services.
  void ScanWindowsServices();

  // Start menu and shortcuts.
  void ScanStartMenu();
  void ScanShortcuts();
  void ScanShortcutFolder(const std::string& folder);

  // Sound events and MRU lists.
  void ScanSoundEvents();
  void ScanSoundSchemeTree(const std::string& rootName, const std::string& parentPath,
                           const std::string& keyName);
  void ScanMRULists();

  RegistryStore& Registry() { return registry_; }
  SystemAccess& System() { return system_; }
  FileSystemAccess& Files() { return files_; }

 private:
  void RunTask(int code);
  void ThrowIfStopped() const;
  FileReferenceCheck& Check();

  RegistryStore& registry_;
  FileSystemAccess& files_;
  SystemAccess& system_;
  const Language& language_;
  ScanOptions options_;
  ScanSink& sink_;
  // Made at the first question of a scan, from the drive fields as they are then; its answers
  // are kept for that scan only.
  std::optional<FileReferenceCheck> check_;
  std::atomic<bool> stopped_{false};
  // Held while a row is handed over, so that no row follows a stop.
  std::mutex rowMutex_;
};

// A task-list entry as a category code; 0 when it is not a number.
int TaskCode(const std::string& entry);

// The lower-case letters of the drives whose references are judged: "ab" and every letter
// when removable media are included, otherwise the fixed drives; CD-ROM drives only when
// they are included.
std::string ScanDriveLetters(FileSystemAccess& files, const ScanOptions& options);

}  // namespace kelvane
