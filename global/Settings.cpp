#include "global/Settings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>
#include <variant>

#include "platform/FolderPath.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

struct SettingKey {
  const char* section;
  const char* name;
};

// Every key of [Options], in the order the file is written: the one place that names a
// setting's key, its member and its default.
struct OptionSetting {
  const char* name;
  std::variant<std::string Settings::*, bool Settings::*> member;
  // A switch's default is "1" or "0".
  const char* defaultValue;
  // A relative folder, the default too, is taken as below the program's folder.
  bool isFolder = false;
};

const OptionSetting kOptionSettings[] = {
    {"OutputDirectory", &Settings::backupFolder, "Backup", true},
    {"DeleteBackupFile", &Settings::deleteBackupAfterRestore, "1"},
    {"IncludeRemoveMedia", &Settings::judgeRemovableMedia, "0"},
    {"IncludeCDdrive", &Settings::judgeCdDrives, "0"},
    {"Beep", &Settings::beepWhenDone, "0"},
    {"ShowHint", &Settings::showRepairSummary, "1"},
    {"RestorePoint", &Settings::createRestorePoint, "0"},
    {"TickReviewRows", &Settings::tickReviewRows, "0"},
    {"Scan64Bit", &Settings::scan64Bit, "1"},
    {"Lan", &Settings::languageName, "English"},
};
constexpr char kOptionsSection[] = "Options";
constexpr char kTreeSection[] = "TreeViewNodeCheck";
constexpr SettingKey kWindowState{"Window", "State"};
constexpr SettingKey kWindowLeft{"Window", "Left"};
constexpr SettingKey kWindowTop{"Window", "Top"};
constexpr SettingKey kWindowWidth{"Window", "Width"};
constexpr SettingKey kWindowHeight{"Window", "Height"};

// A numbered list: its "Count" and one key per entry, the prefix followed by 1, 2, ...
struct ListKeys {
  const char* section;
  const char* entryPrefix;
};

constexpr ListKeys kIgnoreValueKeys{"IgnoreValue", "Value"};
constexpr ListKeys kIgnoreKeyKeys{"IgnoreKey", "Key"};
constexpr char kCountKey[] = "Count";

template <typename Number>
std::optional<Number> ParseDigits(const std::string& text, int base) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

// "0x" or "0X" followed by more characters is hexadecimal, up to 32 bits (0xFFFFFFFF is -1);
// anything else is decimal with an optional sign and must fit 32 bits.
std::optional<std::int32_t> ParseInteger(const std::string& text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::optional<std::uint32_t> bits = ParseDigits<std::uint32_t>(text.substr(2), 16);
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(*bits);
  }
  const bool plusSign = text.size() > 1 && text[0] == '+' && text[1] != '-';
  return ParseDigits<std::int32_t>(plusSign ? text.substr(1) : text, 10);
}

class OptionsReader {
 public:
  OptionsReader(ProfileStore& store, std::string file) : store_(store), file_(std::move(file)) {}

  std::string String(const SettingKey& key, const std::string& defaultValue) {
    return store_.ReadString(file_, key.section, key.name, defaultValue);
  }
  int Integer(const SettingKey& key, int defaultValue) {
    return ParseInteger(String(key, "")).value_or(defaultValue);
  }
  bool Boolean(const SettingKey& key, bool defaultValue) {
    return Integer(key, defaultValue ? 1 : 0) != 0;
  }
  std::vector<std::string> List(const ListKeys& list) {
    // A count beyond the last entry the file holds can only come from a damaged file.
    const int count = std::min(Integer({list.section, kCountKey}, 0), LastEntryNumber(list));
    std::vector<std::string> entries;
    for (int number = 1; number <= count; ++number) {
      const std::string name = list.entryPrefix + std::to_string(number);
      entries.push_back(String({list.section, name.c_str()}, ""));
    }
    return entries;
  }

 private:
  int LastEntryNumber(const ListKeys& list) {
    const std::string prefix = UpperCaseAscii(list.entryPrefix);
    int last = 0;
    for (const std::string& name : store_.KeyNames(file_, list.section)) {
      if (UpperCaseAscii(name).rfind(prefix, 0) != 0) continue;
      const std::optional<std::int32_t> number = ParseInteger(name.substr(prefix.size()));
      if (number) last = std::max(last, *number);
    }
    return last;
  }

  ProfileStore& store_;
  std::string file_;
};

class OptionsWriter {
 public:
  OptionsWriter(ProfileStore& store, std::string file) : store_(store), file_(std::move(file)) {}

  void String(const SettingKey& key, const std::string& value) {
    if (!store_.WriteString(file_, key.section, key.name, value)) {
      throw SettingsWriteError("Unable to write to " + file_);
    }
  }
  void Integer(const SettingKey& key, int value) { String(key, std::to_string(value)); }
  void Boolean(const SettingKey& key, bool value) { String(key, value ? "1" : "0"); }
  // Numbered keys beyond the new count stay in the file; the count decides what is read.
  void List(const ListKeys& list, const std::vector<std::string>& entries) {
    Integer({list.section, kCountKey}, static_cast<int>(entries.size()));
    for (std::size_t index = 0; index < entries.size(); ++index) {
      const std::string name = list.entryPrefix + std::to_string(index + 1);
      String({list.section, name.c_str()}, entries[index]);
    }
  }

 private:
  ProfileStore& store_;
  std::string file_;
};

}  // namespace

std::string OptionsFilePath(const std::string& programFolder) {
  return programFolder + "options.ini";
}

Settings LoadSettings(ProfileStore& store, const std::string& programFolder, PixelSize screen,
                      PixelSize mainWindow) {
  OptionsReader options(store, OptionsFilePath(programFolder));
  Settings settings;
  for (const OptionSetting& option : kOptionSettings) {
    const SettingKey key{kOptionsSection, option.name};
    if (auto text = std::get_if<std::string Settings::*>(&option.member)) {
      const std::string value = options.String(key, option.defaultValue);
      settings.*(*text) = option.isFolder ? AbsoluteFolder(value, programFolder) : value;
    } else {
      settings.*std::get<bool Settings::*>(option.member) =
          options.Boolean(key, option.defaultValue[0] == '1');
    }
  }
  for (int number = kFirstCategoryNumber; number <= kLastCategoryNumber; ++number) {
    const std::string name = std::to_string(number);
    settings.categoryTicks[*CategoryFromNumber(number)] =
        options.Boolean({kTreeSection, name.c_str()}, true);
  }
  settings.ignoredValues = options.List(kIgnoreValueKeys);
  settings.ignoredKeys = options.List(kIgnoreKeyKeys);
  settings.windowState = options.Integer(kWindowState, kShowNormal);
  settings.startMaximized = settings.windowState == kShowMaximized;
  if (!settings.startMaximized) {
    WindowRect bounds;
    bounds.left = options.Integer(kWindowLeft, (screen.width - mainWindow.width) / 2);
    bounds.top = options.Integer(kWindowTop, (screen.height - mainWindow.height) / 2);
    bounds.width = options.Integer(kWindowWidth, mainWindow.width);
    bounds.height = options.Integer(kWindowHeight, mainWindow.height);
    settings.windowBounds = bounds;
  }
  return settings;
}

void SaveSettings(ProfileStore& store, const std::string& programFolder, const Settings& settings,
                  std::optional<int> windowShowCommand, const WindowRect& windowBounds) {
  OptionsWriter options(store, OptionsFilePath(programFolder));
  for (const OptionSetting& option : kOptionSettings) {
    const SettingKey key{kOptionsSection, option.name};
    if (auto text = std::get_if<std::string Settings::*>(&option.member)) {
      options.String(key, settings.*(*text));
    } else {
      options.Boolean(key, settings.*std::get<bool Settings::*>(option.member));
    }
  }
  for (int number = kFirstCategoryNumber; number <= kLastCategoryNumber; ++number) {
    const std::string name = std::to_string(number);
    options.Boolean({kTreeSection, name.c_str()},
                    settings.categoryTicks[*CategoryFromNumber(number)]);
  }
  options.List(kIgnoreValueKeys, settings.ignoredValues);
  options.List(kIgnoreKeyKeys, settings.ignoredKeys);
  if (windowShowCommand) options.Integer(kWindowState, *windowShowCommand);
  options.Integer(kWindowLeft, windowBounds.left);
  options.Integer(kWindowTop, windowBounds.top);
  options.Integer(kWindowWidth, windowBounds.width);
  options.Integer(kWindowHeight, windowBounds.height);
}

}  // namespace kelvane
