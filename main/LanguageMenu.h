// The Language menu: one item per language the program knows, each shown only while its
// language file lies beside the program; and where the Help menu's commands lead.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "global/Settings.h"
#include "platform/FileSystemAccess.h"
#include "platform/ProfileStore.h"

namespace kelvane {

enum class LanguageMenuItemKind {
  Language,
  Separator,      // shown with "&Other", as it shares its language name
  ActionCarrier,  // always hidden; carries the action whose update runs as the menu opens
};

struct LanguageMenuItem {
  const char* caption;    // "-" for the separator line
  const char* component;  // the designer's name; the language name follows its prefix
  LanguageMenuItemKind kind;
};

constexpr std::size_t kLanguageMenuItemCount = 34;

// In menu order.
const std::array<LanguageMenuItem, kLanguageMenuItemCount>& LanguageMenuItems();

// The component name without its two-letter prefix: "miNederlands" gives "Nederlands".
std::string LanguageNameOf(const std::string& componentName);
// Empty for the action carrier, which has no language.
std::string LanguageNameOf(const LanguageMenuItem& item);

// One flag per item, in menu order: shown exactly when the item's language file exists in the
// program folder (which ends with its separator).
std::vector<bool> VisibleLanguageItems(FileSystemAccess& files, const std::string& programFolder);

struct LanguageMenuEntry {
  std::size_t item;     // in the language table
  std::string caption;  // empty for the separator line
};

// What the menu shows, in order: each language whose file exists, under the name its file gives
// itself or else under its caption in the language in force (captions, by table index), in the
// alphabetical order of what is shown; then the separator and "&Other" when their file exists.
std::vector<LanguageMenuEntry> LanguageMenuEntries(FileSystemAccess& files, ProfileStore& profiles,
                                                   const std::string& programFolder,
                                                   const std::vector<std::string>& captions);

// What the user is told, in the new language, after switching to a language whose file is
// stale; empty when it is not.
std::string StaleLanguageFileMessage(ProfileStore& profiles, const Language& language,
                                     const std::string& programFolder,
                                     const std::string& languageName);

// The item to tick for a language name, letter case ignored: a language item, never the
// separator; none when no item has that name.
std::optional<std::size_t> LanguageItemToTick(const std::string& languageName);

// What the user is told when a language's file is missing; for "Other" it points to the page
// on making a translation.
std::string MissingLanguageFileMessage(const std::string& programFolder,
                                       const std::string& languageName);

struct LanguageChoice {
  bool switched = false;
  std::string missingFileMessage;  // when not switched
};

// Choosing an item of the menu: when the language's file exists, Lan becomes its name and the
// window ticks the item and translates itself; otherwise nothing changes and the message is
// shown. An item without a language changes nothing and gives no message.
LanguageChoice ChooseLanguage(Settings& settings, FileSystemAccess& files,
                              const std::string& programFolder, std::size_t item);

// The relative address "Online Help" opens for the current language.
std::string OnlineHelpAddress(const std::string& languageName);

}  // namespace kelvane
