#include "scan/ScanContext.h"

#include <algorithm>

#include "global/Localization.h"

namespace kelvane {

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

void ScanContext::AddProblem(const std::string& problem, const std::string& key,
                             const std::string& value, RepairKind kind) {
  std::lock_guard<std::mutex> lock(rowMutex_);
  ThrowIfStopped();
  sink_.AddProblem(ProblemRecord{problem, key, value, kind});
}

bool ScanContext::IsInvalidPath(const std::string& text, const std::string& anchorName,
                                bool allowFolder) {
  // Long loops over the values of one key judge one reference after another.
  ThrowIfStopped();
  return Check().IsInvalidPath(text, anchorName, allowFolder);
}

bool ScanContext::IsOnEmptyFloppy(const std::string& path) {
  ThrowIfStopped();
  return Check().IsOnEmptyFloppy(path);
}

}  // namespace kelvane
