#include "scan/Scanner.h"

#include <exception>

#include "scan/CategoryRules.h"

namespace kelvane {

JudgedDrives ScanDriveLetters(FileSystemAccess& files, const ScanOptions& options) {
  JudgedDrives drives{options.includeRemoveMedia ? "ab" : "", ""};
  for (char letter = 'c'; letter <= 'z'; ++letter) {
    const DriveType type = files.GetDriveType(std::string(1, letter) + ":\\");
    if (type == DriveType::Fixed) drives.fixed += letter;
    if (type == DriveType::CdRom) {
      // Judged as a CD drive or not at all, also when removable media are judged.
      if (options.includeCdDrive) drives.judged += letter;
      continue;
    }
    if (options.includeRemoveMedia || type == DriveType::Fixed) drives.judged += letter;
  }
  return drives;
}

CategoryRule RuleOf(ScanCategory category) {
  switch (category) {
    case ScanCategory::AllCategories:
    case ScanCategory::FilesAndFolders: return nullptr;
    case ScanCategory::FilesAndFoldersLocalMachine: return &ScanFilesAndFoldersLocalMachine;
    case ScanCategory::FilesAndFoldersCurrentUser: return &ScanFilesAndFoldersCurrentUser;
    case ScanCategory::FilesAndFoldersUsers: return &ScanFilesAndFoldersUsers;
    case ScanCategory::SoftwareLocations: return &ScanSoftwareLocations;
    case ScanCategory::WindowsFonts: return &ScanWindowsFonts;
    case ScanCategory::HelpFiles: return &ScanHelpFiles;
    case ScanCategory::SharedDlls: return &ScanSharedDlls;
    case ScanCategory::StartupPrograms: return &ScanStartupPrograms;
    case ScanCategory::AddRemovePrograms: return &ScanAddRemovePrograms;
    case ScanCategory::FileExtensions: return &ScanFileExtensions;
    case ScanCategory::CustomControls: return &ScanCustomControls;
    case ScanCategory::ObsoleteSoftware: return &ScanObsoleteSoftware;
    case ScanCategory::WindowsServices: return &ScanWindowsServices;
    case ScanCategory::StartMenu: return &ScanStartMenu;
    case ScanCategory::Shortcuts: return &ScanShortcuts;
    case ScanCategory::SoundEvents: return &ScanSoundEvents;
    case ScanCategory::ActiveX: return &ScanActiveX;
    case ScanCategory::MruLists: return &ScanMruLists;
    case ScanCategory::Installer: return &ScanInstaller;
    case ScanCategory::Applications: return &ScanApplications;
    case ScanCategory::EmptyKeysUsers: return &ScanEmptyKeysUsers;
  }
  return nullptr;
}

Scanner::Scanner(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                 const Language& language, ScanOptions options, ScanSink& sink)
    : context_(registry, files, system, language, sink) {
  DriveChecks& drives = context_.Drives();
  drives.isWow64 = system.IsWow64();
  const JudgedDrives letters = ScanDriveLetters(files, options);
  drives.driveLetters = letters.judged;
  drives.fixedLetters = letters.fixed;
  drives.includeRemoveMedia = options.includeRemoveMedia;
}

void Scanner::MeasureFloppyDrives() {
  DriveChecks& drives = context_.Drives();
  if (!drives.includeRemoveMedia) return;
  drives.driveAReady = context_.Files().VolumePresent("a:\\");
  drives.driveBReady = context_.Files().VolumePresent("b:\\");
}

void Scanner::Execute(const std::vector<ScanCategory>& tasks) {
  ScanSink& sink = context_.Sink();
  context_.BeginScan(tasks);
  {
    std::lock_guard<std::mutex> lock(failureMutex_);
    failure_.reset();
  }
  ScanEnd end = ScanEnd::Completed;
  try {
    for (const ScanCategory task : tasks) {
      context_.ThrowIfStopped();
      sink.BeforeTask();
      context_.BeginTask(task);
      if (const CategoryRule rule = RuleOf(task)) rule(context_);
      if (!context_.StopRequested()) sink.AfterTask();
    }
    if (context_.StopRequested()) end = ScanEnd::Stopped;
  } catch (const ScanStopped&) {
    end = ScanEnd::Stopped;
  } catch (const std::exception& error) {
    end = Fail(error.what());
  } catch (...) {
    end = Fail("unknown error");
  }
  context_.EndScan();
  sink.ScanEnded(end);
}

ScanEnd Scanner::Fail(const std::string& error) {
  if (context_.StopRequested()) return ScanEnd::Stopped;
  std::lock_guard<std::mutex> lock(failureMutex_);
  failure_ = ScanFailure{context_.LastStatus(), context_.LastKey(), error};
  return ScanEnd::Failed;
}

std::optional<ScanFailure> Scanner::Failure() const {
  std::lock_guard<std::mutex> lock(failureMutex_);
  return failure_;
}

}  // namespace kelvane
