#include "main/LanguageMenu.h"

#include <algorithm>

#include "global/Addresses.h"
#include "global/Localization.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

using Kind = LanguageMenuItemKind;

constexpr std::size_t kComponentPrefixLength = 2;  // "mi", or "ml" for the separator
constexpr char kOtherLanguage[] = "Other";

// What a caption is sorted by: its words without the access key mark, in any case.
std::string SortKey(const std::string& caption) {
  std::string key;
  for (char c : caption) {
    if (c != '&') key += c;
  }
  return UpperCaseAscii(key);
}

}  // namespace

const std::array<LanguageMenuItem, kLanguageMenuItemCount>& LanguageMenuItems() {
  static const std::array<LanguageMenuItem, kLanguageMenuItemCount> items = {{
      {"&Afrikaans", "miAfrikaans", Kind::Language},
      {"Arabic", "miArabic", Kind::Language},
      {"&Brazilian Portuguese", "miBrazilianPortuguese", Kind::Language},
      {"Bulgarian", "miBulgarian", Kind::Language},
      {"Catalan", "miCatalan", Kind::Language},
      {"C&zech", "miCzech", Kind::Language},
      {"&Danish", "miDanish", Kind::Language},
      {"Dut&ch", "miNederlands", Kind::Language},
      {"&English", "miEnglish", Kind::Language},
      {"&Finnish", "miFinnish", Kind::Language},
      {"Frenc&h", "miFrench", Kind::Language},
      {"&German", "miGerman", Kind::Language},
      {"Hr&vatski", "miHrvatski", Kind::Language},
      {"H&ungary", "miHungary", Kind::Language},
      {"&Italian", "miItalian", Kind::Language},
      {"&Japanese", "miJapanese", Kind::Language},
      {"&Korean", "miKorean", Kind::Language},
      {"&Lithuanian", "miLithuanian", Kind::Language},
      {"&Malay", "miMalay", Kind::Language},
      {"Nor&wegian", "miNorwegian", Kind::Language},
      {"&Polish", "miPolish", Kind::Language},
      {"Portuguese-PT", "miPortuguesePT", Kind::Language},
      {"&Romanian", "miRomanian", Kind::Language},
      {"R&ussian", "miRussian", Kind::Language},
      {"Serbia&n", "miSerbian", Kind::Language},
      {"Simplified &Chinese", "miChinese", Kind::Language},
      {"Slovenian", "miSlovenian", Kind::Language},
      {"&Spanish", "miSpanish", Kind::Language},
      {"Swedish", "miSwedish", Kind::Language},
      {"Traditional Chinese", "miTraditionalChinese", Kind::Language},
      {"&Turkish", "miTurkish", Kind::Language},
      {"-", "mlOther", Kind::Separator},
      {"&Other", "miOther", Kind::Language},
      {"Language", "Language1", Kind::ActionCarrier},
  }};
  return items;
}

std::string LanguageNameOf(const std::string& componentName) {
  return componentName.size() > kComponentPrefixLength
             ? componentName.substr(kComponentPrefixLength)
             : std::string();
}

std::string LanguageNameOf(const LanguageMenuItem& item) {
  return item.kind == Kind::ActionCarrier ? std::string() : LanguageNameOf(item.component);
}

std::vector<bool> VisibleLanguageItems(FileSystemAccess& files, const std::string& programFolder) {
  const auto& items = LanguageMenuItems();
  std::vector<bool> visible(items.size(), false);
  for (std::size_t index = 0; index < items.size(); ++index) {
    const std::string language = LanguageNameOf(items[index]);
    visible[index] =
        !language.empty() && files.FileExists(LanguageFilePath(programFolder, language));
  }
  return visible;
}

std::vector<LanguageMenuEntry> LanguageMenuEntries(FileSystemAccess& files, ProfileStore& profiles,
                                                   const std::string& programFolder,
                                                   const std::vector<std::string>& captions) {
  const auto& items = LanguageMenuItems();
  const std::vector<bool> visible = VisibleLanguageItems(files, programFolder);
  std::vector<LanguageMenuEntry> languages;
  std::vector<LanguageMenuEntry> other;
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (!visible[index]) continue;
    const std::string language = LanguageNameOf(items[index]);
    if (items[index].kind == Kind::Separator) {
      other.push_back({index, ""});
      continue;
    }
    const std::string ownName =
        ReadLanguageFileIdentity(profiles, LanguageFilePath(programFolder, language)).ownName;
    LanguageMenuEntry entry{index, ownName.empty() ? captions.at(index) : ownName};
    (language == kOtherLanguage ? other : languages).push_back(std::move(entry));
  }
  std::stable_sort(languages.begin(), languages.end(),
                   [](const LanguageMenuEntry& a, const LanguageMenuEntry& b) {
                     return SortKey(a.caption) < SortKey(b.caption);
                   });
  languages.insert(languages.end(), other.begin(), other.end());
  return languages;
}

std::string StaleLanguageFileMessage(ProfileStore& profiles, const Language& language,
                                     const std::string& programFolder,
                                     const std::string& languageName) {
  const std::string file = LanguageFilePath(programFolder, languageName);
  if (!ReadLanguageFileIdentity(profiles, file).Stale()) return "";
  return FilledIn(language.LangString("RES_Language_File_Stale",
                                      "The language file %1 was made for an earlier version of "
                                      "the program; the texts it lacks are shown in English."),
                  file);
}

std::optional<std::size_t> LanguageItemToTick(const std::string& languageName) {
  const auto& items = LanguageMenuItems();
  for (std::size_t index = 0; index < items.size(); ++index) {
    if (items[index].kind == Kind::Language &&
        SameTextAscii(LanguageNameOf(items[index]), languageName)) {
      return index;
    }
  }
  return std::nullopt;
}

std::string MissingLanguageFileMessage(const std::string& programFolder,
                                       const std::string& languageName) {
  std::string message = LanguageFilePath(programFolder, languageName) + " can not be found.";
  if (languageName == kOtherLanguage) {
    message += "\r\n\r\nPlease visit " +
               addresses::ResolveAddress(programFolder, addresses::kTranslationPage) + ".";
  }
  return message;
}

LanguageChoice ChooseLanguage(Settings& settings, FileSystemAccess& files,
                              const std::string& programFolder, std::size_t item) {
  if (item >= kLanguageMenuItemCount) return {};
  const std::string language = LanguageNameOf(LanguageMenuItems()[item]);
  if (language.empty()) return {};
  if (!files.FileExists(LanguageFilePath(programFolder, language))) {
    return {false, MissingLanguageFileMessage(programFolder, language)};
  }
  settings.languageName = language;
  return {true, ""};
}

std::string OnlineHelpAddress(const std::string& languageName) {
  if (languageName == "Italian") return addresses::kItalianHelp;
  if (languageName == "PortuguesePT") return addresses::kPortugueseHelp;
  return addresses::kOnlineHelp;
}

}  // namespace kelvane
