#include "scan/ScanContext.h"

#include <algorithm>

#include "global/Localization.h"
#include "platform/RegistryTypes.h"
#include "scan/RegistryReads.h"
#include "scan/RegistryViews.h"

namespace kelvane {
namespace {

// A row whose repair deletes a key it names, with the key's subtree: never when that key or a
// key below it is a link, whatever rule found the row.
bool DeletesALink(RegistryStore& registry, const std::string& key, const std::string& value,
                  RepairKind kind) {
  const bool subkey = kind == RepairKind::SubkeyNamedByValue;
  if ((kind != RepairKind::Key && !subkey) || (subkey && value.empty())) return false;
  const auto slash = key.find('\\');
  const std::optional<RootKey> root = RootKeyFromName(key.substr(0, slash));
  if (!root || slash == std::string::npos) return false;
  const std::string path = key.substr(slash + 1) + (subkey ? "\\" + value : "");
  return !HoldsNoLink(registry, *root, path);
}

}  // namespace

ScanContext::ScanContext(RegistryStore& registry, FileSystemAccess& files, SystemAccess& system,
                         const Language& language, ScanSink& sink)
    : registry_(registry),
      files_(files),
      system_(system),
      language_(language),
      sink_(sink),
      registry64_(registry) {}

bool ScanContext::IsScheduled(ScanCategory category) const {
  return std::find(tasks_.begin(), tasks_.end(), category) != tasks_.end();
}

void ScanContext::BeginScan(std::vector<ScanCategory> tasks) {
  tasks_ = std::move(tasks);
  lastStatus_.clear();
  lastKey_.clear();
  check_.reset();
  nativeCheck_.reset();
}

void ScanContext::EndScan() {
  check_.reset();
  nativeCheck_.reset();
  in64BitPass_ = false;
}

void ScanContext::Begin64BitPass() { in64BitPass_ = true; }

void ScanContext::End64BitPass() { in64BitPass_ = false; }

bool ScanContext::SkipsIn64BitPass(const std::string& keyText) const {
  return in64BitPass_ && !MayHoldRedirectedKeys(keyText);
}

void ScanContext::Stop() {
  std::lock_guard<std::mutex> lock(rowMutex_);
  stopped_ = true;
}

void ScanContext::ThrowIfStopped() const {
  if (stopped_) throw ScanStopped{};
}

FileReferenceCheck& ScanContext::Check() {
  if (!check_) check_.emplace(files_, drives_);
  return *check_;
}

FileReferenceCheck& ScanContext::NativeCheck() {
  if (!nativeCheck_) {
    if (!nativeFiles_) nativeFiles_.emplace(files_);
    nativeCheck_.emplace(*nativeFiles_, drives_);
  }
  return *nativeCheck_;
}

bool ScanContext::PlaceInView(ProblemRecord& row, const MissingPath& evidence) const {
  if (row.repairKind == RepairKind::ShortcutFile) {
    row.view = RowView::None;
    return !evidence.foundByNativeProgram;
  }
  row.view = ViewOfKeyText(row.key, drives_.isWow64);
  if (!in64BitPass_) return row.view == RowView::Bits32 || !evidence.foundByNativeProgram;
  // A row that names a subkey is in that subkey's view.
  const std::string named =
      row.repairKind == RepairKind::SubkeyNamedByValue ? row.key + "\\" + row.value : row.key;
  if (ViewOfKeyText(named, true) != RowView::Bits32 || !HasA64BitView(named)) return false;
  row.view = RowView::Bits64;
  row.key = With64BitViewMark(row.key);
  return true;
}

std::string ScanContext::LangString(const std::string& key,
                                    const std::string& englishDefault) const {
  return language_.LangString(key, englishDefault);
}

void ScanContext::ShowStatus(const std::string& key, const std::string& englishDefault) {
  ThrowIfStopped();
  lastStatus_ = LangString(key, englishDefault);
  sink_.ShowStatus(lastStatus_);
}

void ScanContext::ShowKeyProgress(const std::string& path) {
  ThrowIfStopped();
  lastKey_ = path;
  sink_.ShowKeyProgress(path);
}

void ScanContext::AddProblem(Rule rule, const std::string& problem, const std::string& key,
                             const std::string& value, RepairKind kind,
                             const MissingPath& evidence) {
  if (DeletesALink(Registry(), key, value, kind)) return;
  const RuleInfo& info = InfoOf(rule);
  ProblemRecord row;
  row.problem = problem;
  row.key = key;
  row.value = value;
  row.repairKind = kind;
  row.ruleId = info.id;
  row.testedPath = evidence.path;
  const Reason reason =
      evidence.onEmptyDrive ? kEmptyDriveReason : info.reason;
  row.reason = FilledIn(LangString(reason.key, reason.english), evidence.path);
  if (!PlaceInView(row, evidence)) return;
  row.certainty = info.certainty == Certainty::Certain ? evidence.certainty : Certainty::Review;
  row.category = task_;
  std::lock_guard<std::mutex> lock(rowMutex_);
  ThrowIfStopped();
  sink_.AddProblem(row);
}

void ScanContext::AddProblem(Rule rule, const std::string& problem, const std::string& key,
                             const std::string& value, RepairKind kind,
                             const std::string& tested) {
  AddProblem(rule, problem, key, value, kind, MissingPath{tested, Certainty::Certain, false});
}

std::optional<MissingPath> ScanContext::Missing(const std::string& text,
                                                const std::string& anchorName,
                                                bool allowFolder) {
  // Long loops over the values of one key judge one reference after another.
  ThrowIfStopped();
  if (in64BitPass_) return NativeCheck().Missing(text, anchorName, allowFolder);
  std::optional<MissingPath> missing = Check().Missing(text, anchorName, allowFolder);
  if (missing && drives_.scan64Bit) {
    missing->foundByNativeProgram = !NativeCheck().Missing(text, anchorName, allowFolder);
  }
  return missing;
}

MissingPath ScanContext::EvidenceFor(const std::string& path) {
  ThrowIfStopped();
  return in64BitPass_ ? NativeCheck().EvidenceFor(path) : Check().EvidenceFor(path);
}

std::optional<MissingPath> ScanContext::OnEmptyFloppy(const std::string& path) {
  ThrowIfStopped();
  if (!Check().IsOnEmptyFloppy(path)) return std::nullopt;
  return Check().EvidenceFor(path);
}

}  // namespace kelvane
