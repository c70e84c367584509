#include "results/ReportSeries.h"

#include <algorithm>
#include <vector>

#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr std::size_t kStampLength = 16;  // YYYYMMDDThhmmssZ

std::size_t NameStart(const std::string& path) { return path.find_last_of('\\') + 1; }

bool IsStamp(const std::string& text) {
  if (text.size() != kStampLength || text[8] != 'T' || text[15] != 'Z') return false;
  for (std::size_t i = 0; i < kStampLength; ++i) {
    if (i != 8 && i != 15 && (text[i] < '0' || text[i] > '9')) return false;
  }
  return true;
}

// Whether the name is the pattern's name with a stamp for its "*".
bool FitsPattern(const std::string& name, const std::string& patternName) {
  const std::size_t star = patternName.find('*');
  const std::string before = patternName.substr(0, star);
  const std::string after = patternName.substr(star + 1);
  if (name.size() != before.size() + kStampLength + after.size()) return false;
  return SameTextAscii(name.substr(0, before.size()), before) &&
         SameTextAscii(name.substr(name.size() - after.size()), after) &&
         IsStamp(name.substr(before.size(), kStampLength));
}

}  // namespace

std::string DatedReportPath(const std::string& pattern, const std::string& stamp) {
  const std::size_t star = pattern.find('*', NameStart(pattern));
  if (star == std::string::npos) return pattern;
  return pattern.substr(0, star) + stamp + pattern.substr(star + 1);
}

std::size_t PruneReportSeries(FileSystemAccess& files, const std::string& pattern,
                              std::size_t keep) {
  const std::size_t nameStart = NameStart(pattern);
  const std::string folder = pattern.substr(0, nameStart);
  const std::string patternName = pattern.substr(nameStart);
  if (patternName.find('*') == std::string::npos) return 0;
  std::vector<std::string> series;
  for (const FileEntry& entry : files.FindEntries(pattern)) {
    if (!(entry.attributes & kFileAttributeDirectory) && FitsPattern(entry.name, patternName)) {
      series.push_back(entry.name);
    }
  }
  if (series.size() <= keep) return 0;
  // The stamps sort by time, and every name of the series has its stamp in the same place.
  std::sort(series.begin(), series.end(), [](const std::string& a, const std::string& b) {
    return UpperCaseAscii(a) < UpperCaseAscii(b);
  });
  std::size_t deleted = 0;
  for (std::size_t i = 0; i + keep < series.size(); ++i) {
    if (files.DeleteFileSilently(folder + series[i])) ++deleted;
  }
  return deleted;
}

}  // namespace kelvane
