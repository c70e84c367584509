#include "backup/ImportCheck.h"

#include <algorithm>
#include <map>

#include "platform/RegistryAccess.h"
#include "platform/Text.h"

namespace kelvane {
namespace {

constexpr std::size_t kMissingEntriesShown = 5;
// A longer entry is shown by its two ends, so that the message fits on the screen.
constexpr std::size_t kLongestEntryShown = 100;

struct ExpectedValue {
  std::string name;
  RawValue value;
  bool removed = false;  // by a later line
};

struct ExpectedKey {
  RootKey root = 0;
  std::string path;
  std::vector<ExpectedValue> values;
  std::map<std::string, std::size_t> valueIndex;  // upper-cased name to its place in values
  bool removed = false;
};

// What the registry holds after the file's lines were applied in order, as far as the file
// names it; names match without regard to the case of ASCII letters, as in the registry.
class Expectations {
 public:
  explicit Expectations(const RegFile& file) {
    for (const RegFileKey& key : file.keys) {
      if (key.remove) {
        RemoveTree(key.root, key.path);
        continue;
      }
      ExpectedKey& expected = Key(key.root, key.path);
      for (const RegFileValue& value : key.values) {
        const std::string id = UpperCaseAscii(value.name);
        const auto found = expected.valueIndex.find(id);
        if (found == expected.valueIndex.end()) {
          if (value.remove) continue;
          expected.valueIndex.emplace(id, expected.values.size());
          expected.values.push_back({value.name, value.value, false});
        } else {
          ExpectedValue& same = expected.values[found->second];
          same.value = value.value;
          same.removed = value.remove;
        }
      }
    }
  }

  const std::vector<ExpectedKey>& Keys() const { return keys_; }

 private:
  static std::string Id(RootKey root, const std::string& path) {
    return RootKeyName(root) + "\\" + UpperCaseAscii(path);
  }

  ExpectedKey& Key(RootKey root, const std::string& path) {
    const auto [found, added] = byId_.emplace(Id(root, path), keys_.size());
    if (added) keys_.push_back({root, path, {}, {}, false});
    return keys_[found->second];
  }

  void RemoveTree(RootKey root, const std::string& path) {
    const std::string top = Id(root, path);
    for (auto entry = byId_.begin(); entry != byId_.end();) {
      const std::string& id = entry->first;
      if (id == top || id.compare(0, top.size() + 1, top + "\\") == 0) {
        keys_[entry->second].removed = true;
        entry = byId_.erase(entry);
      } else {
        ++entry;
      }
    }
  }

  std::vector<ExpectedKey> keys_;
  std::map<std::string, std::size_t> byId_;
};

std::string Shortened(const std::string& entry) {
  return ShortenedInMiddle(
      entry, [](const std::string& shown) { return shown.size() <= kLongestEntryShown; });
}

std::string FileKept(const Language& language) {
  return language.LangString("RES_Backup_Kept", "The backup file is kept.");
}

std::string KeyText(const ExpectedKey& key) {
  return "[" + RootKeyName(key.root) + "\\" + key.path + "]";
}

std::string ValueText(const ExpectedKey& key, const std::string& name) {
  return KeyText(key) + (name.empty() ? " @" : " \"" + name + "\"");
}

}  // namespace

ImportCheck CheckImport(RegistryStore& registry, const RegFile& file,
                        const std::atomic<bool>& stop) {
  ImportCheck check;
  const Expectations expectations(file);
  for (const ExpectedKey& key : expectations.Keys()) {
    if (stop) break;
    if (key.removed) continue;
    RegistryAccess access(registry);
    access.SetRootKey(key.root);
    access.SetAccess(kAccessRead);
    const bool opened = access.OpenKey("\\" + key.path, false);
    ++check.checked;
    if (!opened) check.missing.push_back(KeyText(key));
    for (const ExpectedValue& value : key.values) {
      if (value.removed) continue;
      ++check.checked;
      RawValue found;
      if (!opened || !access.ReadRawExactly(value.name, found) ||
          !ImportGaveBack(value.value, found)) {
        check.missing.push_back(ValueText(key, value.name));
      }
    }
  }
  return check;
}

bool ImportGaveBack(const RawValue& inFile, const RawValue& inRegistry) {
  if (inFile == inRegistry) return true;
  const bool text = inFile.type == RegType::Sz || inFile.type == RegType::ExpandSz ||
                    inFile.type == RegType::MultiSz;
  const Bytes& written = inFile.data;
  const Bytes& found = inRegistry.data;
  return text && inRegistry.type == inFile.type && !written.empty() && written.back() != 0 &&
         found.size() == written.size() + 1 && found.back() == 0 &&
         std::equal(written.begin(), written.end(), found.begin());
}

std::string IncompleteImportMessage(const Language& language, const ImportCheck& check) {
  std::string message =
      language.LangString("RES_Restore_Incomplete",
                          "Entries of the backup file that are not back in the registry:") +
      " " + std::to_string(check.missing.size()) + "\r\n" + FileKept(language) + "\r\n";
  const std::size_t shown = std::min(check.missing.size(), kMissingEntriesShown);
  for (std::size_t i = 0; i < shown; ++i) message += "\r\n" + Shortened(check.missing[i]);
  if (check.missing.size() > shown) message += "\r\n...";
  return message;
}

std::string UncheckedImportMessage(const Language& language, const std::string& reason) {
  return language.LangString(
             "RES_Restore_Unchecked",
             "The backup file does not read back, so the restore cannot be checked.") +
         (reason.empty() ? "" : "\r\n" + reason) + "\r\n" + FileKept(language);
}

std::string CompleteImportMessage(const Language& language, const ImportCheck& check,
                                  bool fileDeleted) {
  return language.LangString("RES_Restore_Complete",
                             "Entries of the backup file that are back in the registry:") +
         " " + std::to_string(check.checked) + "\r\n" +
         (fileDeleted ? language.LangString("RES_Backup_Deleted", "The backup file is deleted.")
                      : FileKept(language));
}

std::string ForeignImportQuestion(const Language& language, bool changedSinceWritten,
                                  const RegFile& file) {
  std::vector<std::string> removals;
  std::vector<std::string> writes;
  for (const RegFileKey& key : file.keys) {
    const std::string name = "[" + RootKeyName(key.root) + "\\" + key.path + "]";
    if (key.remove) {
      removals.push_back("[-" + name.substr(1));
      continue;
    }
    writes.push_back(name);
    for (const RegFileValue& value : key.values) {
      const std::string line = name + (value.name.empty() ? " @" : " \"" + value.name + "\"");
      (value.remove ? removals : writes).push_back(value.remove ? line + "=-" : line);
    }
  }
  std::string question =
      changedSinceWritten
          ? language.LangString("RES_Backup_Changed",
                                "This backup file was changed since the program wrote it.")
          : language.LangString("RES_Backup_Not_Written",
                                "The program did not write this backup file.");
  const auto list = [&](const char* key, const char* english,
                        const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    question += "\r\n\r\n" + language.LangString(key, english) + " " +
                std::to_string(lines.size());
    const std::size_t shown = std::min(lines.size(), kMissingEntriesShown);
    for (std::size_t i = 0; i < shown; ++i) question += "\r\n" + Shortened(lines[i]);
    if (lines.size() > shown) question += "\r\n...";
  };
  list("RES_Import_Deletes", "Importing it deletes these keys and values:", removals);
  list("RES_Import_Writes", "Importing it writes these keys and values:", writes);
  return question + "\r\n\r\n" +
         language.LangString("RES_Import_Anyway", "Import it all the same?");
}

}  // namespace kelvane
