#include "global/Localization.h"

#include <optional>
#include <utility>

#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr char kMenuSeparatorCaption[] = "-";
constexpr char kIdentitySection[] = "Language";
constexpr char kEnglishLanguage[] = "English";

// The key of one text of a component; none for texts that are never looked up.
std::optional<std::string> TextKey(const WindowComponent& component, std::size_t index) {
  const std::string number = std::to_string(index);
  switch (component.kind) {
    case ComponentKind::Caption:
      return component.name;
    case ComponentKind::StatusPanels:
      return component.name + "_Panel" + number;
    case ComponentKind::ListColumns:
      return component.name + "_Column" + number;
    case ComponentKind::Pages:
      return component.name + "_Page" + number;
    case ComponentKind::MenuItem:
      if (component.texts[index] == kMenuSeparatorCaption) return std::nullopt;
      return component.name;
    case ComponentKind::TreeNodes:
      return component.name + "_" + number;
    case ComponentKind::Untranslated:
      break;
  }
  return std::nullopt;
}

}  // namespace

LanguageFileIdentity ReadLanguageFileIdentity(ProfileStore& store, const std::string& file) {
  LanguageFileIdentity identity;
  identity.ownName = store.ReadString(file, kIdentitySection, "Name", "");
  const std::string version = store.ReadString(file, kIdentitySection, "Version", "");
  if (!version.empty() && version.size() < 9 &&
      version.find_first_not_of("0123456789") == std::string::npos) {
    identity.version = std::stoi(version);
  }
  return identity;
}

bool IsEnglish(const std::string& language) { return UpperCaseAscii(language) == "ENGLISH"; }

std::string FilledIn(const std::string& message, const std::string& value) {
  const std::size_t mark = message.find("%1");
  if (mark == std::string::npos) return message;
  return message.substr(0, mark) + value + message.substr(mark + 2);
}

std::string LanguageFilePath(const std::string& programFolder, const std::string& language) {
  return programFolder + "Lan_" + language + ".ini";
}

Language::Language(ProfileStore& store, std::string programFolder,
                   const std::string& currentLanguage)
    : store_(store), programFolder_(std::move(programFolder)), currentLanguage_(currentLanguage) {}

std::string Language::LangString(const std::string& key, const std::string& englishDefault) const {
  if (IsEnglish(currentLanguage_)) return englishDefault;
  return Translated(LanguageFilePath(programFolder_, currentLanguage_), "ResourceString", key,
                    englishDefault);
}

std::string Language::Translated(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& english) const {
  // A missing, cut short or damaged file must not leave a text blank: English stands in.
  const std::string text = store_.ReadString(file, section, key, "");
  return text.empty() ? english : text;
}

std::string Language::TranslatedOrEnglish(const std::string& file, const std::string& section,
                                          const std::string& key,
                                          const std::string& current) const {
  const std::string text = store_.ReadString(file, section, key, "");
  if (!text.empty()) return text;
  // A stale or cut short file must not leave the previous language's words behind.
  return Translated(LanguageFilePath(programFolder_, kEnglishLanguage), section, key, current);
}

void Language::TranslateWindow(WindowTexts& window, const std::string& languageName) const {
  const std::string file = LanguageFilePath(programFolder_, languageName);
  const std::string menuSection = "Menu_" + window.name;
  window.caption = TranslatedOrEnglish(file, window.name, window.name, window.caption);
  for (WindowComponent& component : window.components) {
    const std::string& section =
        component.kind == ComponentKind::MenuItem ? menuSection : window.name;
    for (std::size_t index = 0; index < component.texts.size(); ++index) {
      if (std::optional<std::string> key = TextKey(component, index)) {
        component.texts[index] =
            TranslatedOrEnglish(file, section, *key, component.texts[index]);
      }
    }
  }
}

}  // namespace kelvane
