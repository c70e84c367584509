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
    : registry_(registry), files_(files), system_(system), language_(language), sink_(sink) {}

bool ScanContext::IsScheduled(ScanCategory category) const {
  return std::find(tasks_.begin(), tasks_.end(), category) != tasks_.end();
}

void ScanContext::BeginScan(std::vector<ScanCategory> tasks) {
  tasks_ = std::move(tasks);
  lastStatus_.clear();
  lastKey_.clear();
  check_.reset();
}

void ScanContext::EndScan() {
  check_.reset();
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
  if (DeletesALink(registry_, key, value, kind)) return;
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
  row.view = kind == RepairKind::ShortcutFile ? RowView::None
                                              : ViewOfKeyText(key, drives_.isWow64);
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
  return Check().Missing(text, anchorName, allowFolder);
}

MissingPath ScanContext::EvidenceFor(const std::string& path) {
  ThrowIfStopped();
  return Check().EvidenceFor(path);
}

std::optional<MissingPath> ScanContext::OnEmptyFloppy(const std::string& path) {
  ThrowIfStopped();
  if (!Check().IsOnEmptyFloppy(path)) return std::nullopt;
  return Check().EvidenceFor(path);
}

}  // namespace kelvane
