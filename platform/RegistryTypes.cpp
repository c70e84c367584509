#include "platform/RegistryTypes.h"

#include "platform/Text.h"

namespace kelvane {
namespace {

struct RootEntry {
  const char* name;
  RootKey handle;
  bool reachableByName;
};

constexpr RootEntry kRoots[] = {
    {"HKEY_CLASSES_ROOT", kHkeyClassesRoot, true},
    {"HKEY_CURRENT_USER", kHkeyCurrentUser, true},
    {"HKEY_LOCAL_MACHINE", kHkeyLocalMachine, true},
    {"HKEY_USERS", kHkeyUsers, true},
    {"HKEY_PERFORMANCE_DATA", kHkeyPerformanceData, false},
    {"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig, true},
    {"HKEY_DYN_DATA", kHkeyDynData, false},
};

}  // namespace

std::string RootKeyName(RootKey root) {
  for (const RootEntry& entry : kRoots) {
    if (entry.handle == root) return entry.name;
  }
  return {};
}

std::optional<RootKey> RootKeyFromName(const std::string& name) {
  const std::string upper = UpperCaseAscii(name);
  for (const RootEntry& entry : kRoots) {
    if (entry.reachableByName && upper == entry.name) return entry.handle;
  }
  return std::nullopt;
}

RegDataKind DataKindFromRawType(std::uint32_t rawType) {
  switch (rawType) {
    case RegType::Sz:
      return RegDataKind::String;
    case RegType::ExpandSz:
      return RegDataKind::ExpandString;
    case RegType::Dword:
      return RegDataKind::Integer;
    case RegType::Binary:
      return RegDataKind::Binary;
    default:
      return RegDataKind::Unknown;
  }
}

std::string With64BitViewMark(const std::string& keyText) {
  const std::size_t slash = keyText.find('\\');
  if (slash == std::string::npos) return keyText + k64BitViewMark;
  return keyText.substr(0, slash) + k64BitViewMark + keyText.substr(slash);
}

bool Take64BitViewMark(std::string& keyText) {
  const std::size_t slash = keyText.find('\\');
  const std::string root = keyText.substr(0, slash);
  const std::size_t markSize = sizeof(k64BitViewMark) - 1;
  if (root.size() <= markSize || root.compare(root.size() - markSize, markSize, k64BitViewMark)) {
    return false;
  }
  keyText.erase(root.size() - markSize, markSize);
  return true;
}

}  // namespace kelvane
