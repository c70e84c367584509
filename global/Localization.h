// The user interface in other languages, from "Lan_" + name + ".ini" beside the program.
// English is built in: its texts are the window designs and the defaults the code passes.
#pragma once

#include <string>
#include <vector>

#include "platform/ProfileStore.h"

namespace kelvane {

// How a component's texts are looked up in its window's section.
enum class ComponentKind {
  // One caption under the component's name: labels, push buttons, group boxes, panels, link
  // labels, flat speed buttons, the skinned check boxes, buttons and group boxes, and a status
  // bar in single-text mode.
  Caption,
  StatusPanels,  // name + "_Panel" + index
  ListColumns,   // name + "_Column" + index
  Pages,         // page control tabs: name + "_Page" + index
  // One caption under the item's name in the section "Menu_" + window name; an item whose
  // caption is "-" is a separator line and is never looked up.
  MenuItem,
  // Node texts in tree order (a node, its children, then its next sibling): name + "_" + index.
  TreeNodes,
  Untranslated,  // edit fields, images, timers, progress bars, actions
};

struct WindowComponent {
  std::string name;
  ComponentKind kind;
  std::vector<std::string> texts;
};

// What a window shows in words; the window describes itself, has it translated and applies
// the texts it gets back.
struct WindowTexts {
  std::string name;  // the window's component name, e.g. "frmOptions"
  std::string caption;
  std::vector<WindowComponent> components;  // in creation order
};

// The set of texts this program asks of a language file. A file of an older set is stale: what
// it lacks shows in English. Raised, with the English file's [Language] Version, whenever texts
// are added or change their meaning.
constexpr int kLanguageFileVersion = 1;

// What a language file says of itself in its section [Language].
struct LanguageFileIdentity {
  std::string ownName;  // the language in its own tongue, with its access key; may be empty
  int version = 0;      // 0 when the file gives none
  bool Stale() const { return version < kLanguageFileVersion; }
};

LanguageFileIdentity ReadLanguageFileIdentity(ProfileStore& store, const std::string& file);

// Compares ASCII letters only, in any case.
bool IsEnglish(const std::string& language);
// programFolder ends with its separator.
std::string LanguageFilePath(const std::string& programFolder, const std::string& language);

// The message with its first "%1" replaced by value; a translation that lost the mark keeps
// its words and gets nothing added.
std::string FilledIn(const std::string& message, const std::string& value);

// Safe to use from the scan thread: it keeps no state and reads the current language only,
// which cannot change while a scan runs.
class Language {
 public:
  // currentLanguage is the setting itself, so a change of language applies at once.
  Language(ProfileStore& store, std::string programFolder, const std::string& currentLanguage);

  // The English default while the language is English, else the key's text in the section
  // "ResourceString" of the language file, read anew each time; the English default when the
  // file or the key is missing or the text is empty.
  std::string LangString(const std::string& key, const std::string& englishDefault) const;

  // Replaces every text that the named language's file names. A text the file does not name,
  // or names empty, is the English file's; when that does not name it either, it stays.
  void TranslateWindow(WindowTexts& window, const std::string& languageName) const;

 private:
  std::string Translated(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& english) const;
  std::string TranslatedOrEnglish(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& current) const;

  ProfileStore& store_;
  std::string programFolder_;
  const std::string& currentLanguage_;
};

}  // namespace kelvane
