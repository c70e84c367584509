// What a scan category works with: the registry, files and system it reads, the judgement of
// file references, and the three ways it reports (status, key being read, problem rows).
// Stop may be called from any thread; the next status, key, question about a file or row then
// leaves the category.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "global/ScanCategory.h"
#include "platform/FileSystemAccess.h"
#include "platform/NativeFileSystem.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryView64.h"
#include "platform/SystemAccess.h"
#include "scan/FileReference.h"
#include "scan/FindingRules.h"
#include "scan/ProblemRecord.h"
#include "scan/ScanSink.h"

namespace kelvane {

class Language;

// Thrown at the scan's next step after a stop, to leave a category at once; every key and
// handle is released on the way out.
struct ScanStopped {};

class ScanContext {
 public:
  ScanContext(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
              const Language& language, ScanSink& sink);
  ScanContext(const ScanContext&) = delete;
  ScanContext& operator=(const ScanContext&) = delete;

  // The 64-bit view during the second pass of a category, otherwise the program's own.
  RegistryStore& Registry() { return in64BitPass_ ? registry64_ : registry_; }
  FileSystemAccess& Files() { return files_; }
  SystemAccess& System() { return system_; }
  ScanSink& Sink() { return sink_; }
  const DriveChecks& Drives() const { return drives_; }
  DriveChecks& Drives() { return drives_; }

  // A category that reads keys WOW64 redirects runs a second time in the 64-bit view: its rows
  // of shared keys, found in the first pass, are left out then, and its paths are judged as a
  // 64-bit program sees them.
  void Begin64BitPass();
  void End64BitPass();
  bool In64BitPass() const { return in64BitPass_; }
  // Whether a walk in the second pass can leave out the key with its subtree: nothing below it
  // differs between the views, or it is the 32-bit view's own key.
  bool SkipsIn64BitPass(const std::string& keyText) const;

  // Whether the scan under way runs the category too.
  bool IsScheduled(ScanCategory category) const;

  void ShowStatus(const std::string& key, const std::string& englishDefault);
  void ShowKeyProgress(const std::string& path);
  // Hands over a row, explained by the rule that found it and the evidence for it.
  void AddProblem(Rule rule, const std::string& problem, const std::string& key,
                  const std::string& value, RepairKind kind, const MissingPath& evidence);
  // For rules whose evidence is a name, not a path: certain as far as the rule goes.
  void AddProblem(Rule rule, const std::string& problem, const std::string& key,
                  const std::string& value, RepairKind kind, const std::string& tested);
  std::optional<MissingPath> Missing(const std::string& text, const std::string& anchorName,
                                     bool allowFolder);
  // The evidence for a path a rule found missing by a test of its own.
  MissingPath EvidenceFor(const std::string& path);
  // A path on a floppy drive that holds no medium, when removable media are judged.
  std::optional<MissingPath> OnEmptyFloppy(const std::string& path);
  std::string LangString(const std::string& key, const std::string& englishDefault) const;

  // What was shown last, for the account of a failure.
  const std::string& LastStatus() const { return lastStatus_; }
  const std::string& LastKey() const { return lastKey_; }

  void Stop();
  bool StopRequested() const { return stopped_; }
  void ThrowIfStopped() const;

  // Begins and ends one scan of the tasks; the answers about files are kept in between.
  void BeginScan(std::vector<ScanCategory> tasks);
  // The rows from now on belong to the task.
  void BeginTask(ScanCategory task) { task_ = task; }
  void EndScan();

 private:
  FileReferenceCheck& Check();
  FileReferenceCheck& NativeCheck();
  // The row's view and key text; none when the second pass leaves the row to the first.
  bool PlaceInView(ProblemRecord& row, const MissingPath& evidence) const;

  RegistryStore& registry_;
  FileSystemAccess& files_;
  SystemAccess& system_;
  const Language& language_;
  ScanSink& sink_;
  DriveChecks drives_;
  std::vector<ScanCategory> tasks_;
  ScanCategory task_ = ScanCategory::AllCategories;
  std::string lastStatus_;
  std::string lastKey_;
  // Made at the first question of a scan, from the drives as they are then.
  std::optional<FileReferenceCheck> check_;
  RegistryView64 registry64_;
  std::optional<NativeFileSystem> nativeFiles_;
  std::optional<FileReferenceCheck> nativeCheck_;
  bool in64BitPass_ = false;
  std::atomic<bool> stopped_{false};
  // Held while a row is handed over, so that no row follows a stop.
  std::mutex rowMutex_;
};

}  // namespace kelvane
