#include "scan/ScanTaskThread.h"

#include <cstdlib>

#include "global/Localization.h"

namespace kelvane {
namespace {

// Thrown at the worker's next step after a stop, to leave a category at once; every key and
// handle is released on the way out.
struct ScanStopped {};

}  // namespace

int TaskCode(const std::string& entry) {
  char* end = nullptr;
  const long code = std::strtol(entry.c_str(), &end, 10);
  return entry.empty() || *end != '\0' ? 0 : static_cast<int>(code);
}

std::string ScanDriveLetters(FileSystemAccess& files, const ScanOptions& options) {
  std::string letters = options.includeRemoveMedia ? "ab" : "";
  for (char letter = 'c'; letter <= 'z'; ++letter) {
    const DriveType type = files.GetDriveType(std::string(1, letter) + ":\\");
    if (type == DriveType::CdRom) {
      if (!options.includeCdDrive) continue;
      letters += letter;
    }
    if (options.includeRemoveMedia || type == DriveType::Fixed) letters += letter;
  }
  return letters;
}

TScanTaskThread::TScanTaskThread(RegistryStore& registry, FileSystemAccess& files,
                                 SystemAccess& system, const Language& language,
                                 ScanOptions options, ScanSink& sink)
    : registry_(registry), files_(files), system_(system), language_(language), options_(options), sink_(sink) {
  FIsWow64 = system.IsWow64();
  FDriveLetters = ScanDriveLetters(files, options);
}

void TScanTaskThread::MeasureFloppyDrives() {
  if (!options_.includeRemoveMedia) return;
  FDriveAReady = files_.VolumePresent("a:\\");
  FDriveBReady = files_.VolumePresent("b:\\");
}

void TScanTaskThread::Stop() {
  std::lock_guard<std::mutex> lock(rowMutex_);
  stopped_ = true;
}

void TScanTaskThread::ThrowIfStopped() const {
  if (stopped_) throw ScanStopped{};
}

FileReferenceCheck& TScanTaskThread::Check() {
  if (!check_) {
    check_.emplace(files_, DriveChecks{FDriveLetters, FIsWow64, options_.includeRemoveMedia,
                                       FDriveAReady, FDriveBReady});
  }
  return *check_;
}

void TScanTaskThread::Execute() {
  check_.reset();
  ScanEnd end = ScanEnd::Completed;
  try {
    for (const std::string& entry : FTaskList) {
      ThrowIfStopped();
      sink_.BeforeTask();
      RunTask(TaskCode(entry));
      if (!stopped_) sink_.AfterTask();
    }
    if (stopped_) end = ScanEnd::Stopped;
  } catch (const ScanStopped&) {
    end = ScanEnd::Stopped;
  } catch (...) {
    end = stopped_ ? ScanEnd::Stopped : ScanEnd::Failed;
  }
  check_.reset();
  sink_.ScanEnded(end);
}

void TScanTaskThread::RunTask(int code) {
  using Category = void (TScanTaskThread::*)();
  static const struct {
    int code;
    Category run;
  } kCategories[] = {
      {3, &TScanTaskThread::ScanFilesAndFoldersLocalMachine},
      {4, &TScanTaskThread::ScanFilesAndFoldersCurrentUser},
      {5, &TScanTaskThread::ScanFilesAndFoldersUsers},
      {6, &TScanTaskThread::ScanSoftwareLocations},
      {7, &TScanTaskThread::ScanWindowsFonts},
      {8, &TScanTaskThread::ScanHelpFiles},
      {9, &TScanTaskThread::ScanSharedDlls},
      {10, &TScanTaskThread::ScanStartupPrograms},
      {11, &TScanTaskThread::ScanAddRemovePrograms},
      {12, &TScanTaskThread::ScanFileExtensions},
      {13, &TScanTaskThread::ScanCustomControls},
      {14, &TScanTaskThread::ScanObsoleteSoftware},
      {15, &TScanTaskThread::ScanWindowsServices},
      {16, &TScanTaskThread::ScanStartMenu},
      {17, &TScanTaskThread::ScanShortcuts},
      {18, &TScanTaskThread::ScanSoundEvents},
      {19, &TScanTaskThread::ScanActiveX},
      {20, &TScanTaskThread::ScanMRULists},
      {21, &TScanTaskThread::ScanInstaller},
      {22, &TScanTaskThread::ScanApplications},
      {23, &TScanTaskThread::ScanEmptyKeysUsers},
  };
  for (const auto& category : kCategories) {
    if (category.code == code) (this->*category.run)();
  }
}

std::string TScanTaskThread::LangString(const std::string& key,
                                        const std::string& englishDefault) const {
  return language_.LangString(key, englishDefault);
}

void TScanTaskThread::ShowStatus(const std::string& key, const std::string& englishDefault) {
  ThrowIfStopped();
  sink_.ShowStatus(LangString(key, englishDefault));
}

void TScanTaskThread::ShowKeyProgress(const std::string& path) {
  ThrowIfStopped();
  sink_.ShowKeyProgress(path);
}

void TScanTaskThread::AddProblem(const std::string& problem, const std::string& key,
                                 const std::string& value, RepairKind kind) {
  std::lock_guard<std::mutex> lock(rowMutex_);
  ThrowIfStopped();
  sink_.AddProblem(ProblemRecord{problem, key, value, kind});
}

bool TScanTaskThread::IsInvalidPath(const std::string& text, const std::string& anchorName,
                                    bool allowFolder) {
  return Check().IsInvalidPath(text, anchorName, allowFolder);
}

bool TScanTaskThread::IsOnEmptyFloppy(const std::string& path) { return Check().IsOnEmptyFloppy(path); }

}  // namespace kelvane
