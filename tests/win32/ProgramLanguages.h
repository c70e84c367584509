// The program's language files, which scripts/test lays beside the test runner.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "main/LanguageMenu.h"

namespace kelvane {

inline const char kTestRunnerFolder[] = "C:\\kelvane-tests\\";

// Their language names, English first; a window test goes through them all. Only languages the
// menu offers: the fit test's pseudo-language lies beside the runner too.
inline std::vector<std::string> ProgramLanguages() {
  std::vector<std::string> languages;
  WIN32_FIND_DATAA found = {};
  HANDLE search = FindFirstFileA((std::string(kTestRunnerFolder) + "Lan_*.ini").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return languages;
  do {
    const std::string name = found.cFileName;
    const std::string language = name.substr(4, name.size() - 8);
    if (LanguageItemToTick(language)) languages.push_back(language);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(languages.begin(), languages.end(), [](const std::string& a, const std::string& b) {
    return std::make_pair(!IsEnglish(a), a) < std::make_pair(!IsEnglish(b), b);
  });
  return languages;
}

// Into a folder that ends with its separator; false when English or German is not there or a
// copy fails.
inline bool CopyProgramLanguages(const std::string& folder) {
  const std::vector<std::string> languages = ProgramLanguages();
  bool copied = std::count(languages.begin(), languages.end(), "German") == 1 &&
                !languages.empty() && IsEnglish(languages.front());
  for (const std::string& language : languages) {
    copied = copied && CopyFileA(LanguageFilePath(kTestRunnerFolder, language).c_str(),
                                 LanguageFilePath(folder, language).c_str(), FALSE);
  }
  return copied;
}

}  // namespace kelvane
