#include "options/Options.h"

#include <algorithm>

#include "platform/FolderPath.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr char kVersionsMark[] = "(XP";
constexpr char kVersions[] = "(XP, Vista, 7)";

std::vector<IgnoreRow> RowsOf(const std::vector<std::string>& entries) {
  std::vector<IgnoreRow> rows;
  for (const std::string& entry : entries) rows.push_back({entry, false});
  return rows;
}

std::vector<std::string> EntriesOf(const std::vector<IgnoreRow>& rows) {
  std::vector<std::string> entries;
  for (const IgnoreRow& row : rows) entries.push_back(row.text);
  return entries;
}

}  // namespace

OptionsModel OptionsFromSettings(const Settings& settings) {
  OptionsModel options;
  options.preferences = settings;
  options.values = RowsOf(settings.ignoredValues);
  options.keys = RowsOf(settings.ignoredKeys);
  return options;
}

bool AddIgnoreRow(std::vector<IgnoreRow>& rows, const std::string& text) {
  if (IsListedEntry(EntriesOf(rows), text)) return false;
  rows.push_back({text, false});
  return true;
}

void RemoveTickedRows(std::vector<IgnoreRow>& rows) {
  rows.erase(
      std::remove_if(rows.begin(), rows.end(), [](const IgnoreRow& row) { return row.ticked; }),
      rows.end());
}

std::optional<std::string> ConfirmOptions(const OptionsModel& options, Settings& settings,
                                          FileSystemAccess& files, const Language& language) {
  Preferences preferences = options.preferences;
  preferences.backupFolder = AbsoluteFolder(preferences.backupFolder, files.ProgramFolder());
  if (!files.DirectoryExists(preferences.backupFolder)) {
    return MissingBackupFolderText(language, preferences.backupFolder);
  }
  static_cast<Preferences&>(settings) = preferences;
  settings.ignoredValues = EntriesOf(options.values);
  settings.ignoredKeys = EntriesOf(options.keys);
  return std::nullopt;
}

std::string RestorePointCaption(const std::string& translated) {
  const std::size_t mark = UpperCaseAscii(translated).find(kVersionsMark);
  if (mark == std::string::npos) return translated;
  return translated.substr(0, mark) + kVersions;
}

bool IsIgnoreEntryText(const std::string& text) {
  return UpperCaseAscii(text).find("HKEY_") != std::string::npos;
}

}  // namespace kelvane
