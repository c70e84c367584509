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

namespace {

// The categories that read keys WOW64 redirects: the machine's software and the classes. Those
// that read only shared keys (application paths, extensions and the "Open with" applications)
// are read once.
bool ReadsRedirectedKeys(ScanCategory category) {
  switch (category) {
    case ScanCategory::FilesAndFoldersLocalMachine:
    case ScanCategory::ObsoleteSoftware:
    case ScanCategory::HelpFiles:
    case ScanCategory::SharedDlls:
    case ScanCategory::StartupPrograms:
    case ScanCategory::AddRemovePrograms:
    case ScanCategory::Installer:
    case ScanCategory::CustomControls:
    case ScanCategory::ActiveX:
      return true;
    default:
      return false;
  }
}

// Leaves the second pass on every way out of it.
class Pass64Bit {
 public:
  explicit Pass64Bit(ScanContext& context) : context_(context) { context_.Begin64BitPass(); }
  ~Pass64Bit() { context_.End64BitPass(); }
  Pass64Bit(const Pass64Bit&) = delete;
  Pass64Bit& operator=(const Pass64Bit&) = delete;

 private:
  ScanContext& context_;
};

void RunCategory(ScanContext& context, ScanCategory task) {
  const CategoryRule rule = RuleOf(task);
  if (!rule) return;
  rule(context);
  if (!context.Drives().scan64Bit || !ReadsRedirectedKeys(task)) return;
  context.ThrowIfStopped();
  Pass64Bit pass(context);
  rule(context);
}

}  // namespace

Scanner::Scanner(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                 const Language& language, ScanOptions options, ScanSink& sink)
    : context_(registry, files, system, language, sink) {
  DriveChecks& drives = context_.Drives();
  drives.isWow64 = system.IsWow64();
  drives.scan64Bit = drives.isWow64 && options.scan64Bit;
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
      RunCategory(context_, task);
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
