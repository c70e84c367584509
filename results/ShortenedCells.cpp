#include "results/ShortenedCells.h"

#include "platform/RegistryTypes.h"

namespace kelvane {
namespace {

struct RootAbbreviation {
  const char* root;
  const char* abbreviation;
};

constexpr RootAbbreviation kRootAbbreviations[] = {
    {"HKEY_CLASSES_ROOT", "HKCR"}, {"HKEY_CURRENT_USER", "HKCU"},
    {"HKEY_LOCAL_MACHINE", "HKLM"}, {"HKEY_USERS", "HKU"},
    {"HKEY_CURRENT_CONFIG", "HKCC"},
};

// The 64-bit view's mark stays: it tells the row from the 32-bit view's of the same name.
std::string WithRootAbbreviated(const std::string& key) {
  std::string plain = key;
  const bool in64BitView = Take64BitViewMark(plain);
  const std::size_t rootEnd = plain.find('\\');
  const std::string root = plain.substr(0, rootEnd);
  for (const RootAbbreviation& known : kRootAbbreviations) {
    if (SameTextAscii(root, known.root)) {
      const std::string abbreviated =
          known.abbreviation + (rootEnd == std::string::npos ? "" : plain.substr(rootEnd));
      return in64BitView ? With64BitViewMark(abbreviated) : abbreviated;
    }
  }
  return key;
}

}  // namespace

std::string ShortenedPathCell(const std::string& text, const FitsCheck& fits) {
  if (fits(text)) return text;
  const std::size_t firstEnd = text.find('\\');
  if (firstEnd != std::string::npos) {
    const std::string first = text.substr(0, firstEnd + 1) + "...";
    // Parts are left out from the front, so the first tail that fits is the longest.
    for (std::size_t cut = text.find('\\', firstEnd + 1);
         cut != std::string::npos && cut + 1 < text.size(); cut = text.find('\\', cut + 1)) {
      const std::string shortened = first + text.substr(cut);
      if (fits(shortened)) return shortened;
    }
  }
  return ShortenedInMiddle(text, fits);
}

std::string ShortenedKeyCell(const std::string& key, const FitsCheck& fits) {
  if (fits(key)) return key;
  return ShortenedPathCell(WithRootAbbreviated(key), fits);
}

}  // namespace kelvane
