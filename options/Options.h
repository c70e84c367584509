// What the options window edits: the backup folder, seven switches and both ignore lists, copied
// from the settings when it opens and handed back only on OK.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "backup/BackupFolder.h"
#include "global/Localization.h"
#include "global/Settings.h"
#include "platform/FileSystemAccess.h"
#include "results/IgnoreLists.h"

namespace kelvane {

struct IgnoreRow {
  std::string text;
  bool ticked = false;  // marked for Remove
};

struct OptionsModel {
  Preferences preferences;
  std::vector<IgnoreRow> values;
  std::vector<IgnoreRow> keys;

  std::vector<IgnoreRow>& Rows(IgnoreList list) { return list == IgnoreList::Key ? keys : values; }
};

// The rows in list order, none ticked.
OptionsModel OptionsFromSettings(const Settings& settings);

// Appends the text unless a row already holds it in any ASCII case; false when nothing was
// added.
bool AddIgnoreRow(std::vector<IgnoreRow>& rows, const std::string& text);
// Every ticked row, from the last to the first.
void RemoveTickedRows(std::vector<IgnoreRow>& rows);

// OK: the folder must exist, a relative one taken as below the program's folder and stored
// whole. Then every edited setting is stored and nothing is returned; else nothing at all is
// stored and the message to show is returned.
std::optional<std::string> ConfirmOptions(const OptionsModel& options, Settings& settings,
                                          FileSystemAccess& files, const Language& language);

// The restore-point box names the versions in English whatever the language: from "(XP" in
// any case on, a translated caption gets the built-in "(XP, Vista, 7)".
std::string RestorePointCaption(const std::string& translated);

// An ignore entry must name a registry root somewhere: "HKEY_" in any ASCII case.
bool IsIgnoreEntryText(const std::string& text);

}  // namespace kelvane
