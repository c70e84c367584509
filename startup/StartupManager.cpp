#include "startup/StartupManager.h"

#include <optional>

#include "platform/RegistryAccess.h"
#include "platform/ShortcutFiles.h"

namespace kelvane {
namespace {

struct RunKeySource {
  RootKey root;
  const char* path;
  bool windows9xOnly;
};

const RunKeySource kRunKeys[] = {
    {kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", false},
    {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", false},
    {kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
     false},
    {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
     false},
    {kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", false},
    {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", false},
    {kHkeyCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", true},
    {kHkeyLocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", true},
};

struct FolderSource {
  int shellFolderId;
  const char* locationKey;
  const char* englishLocation;
};

const FolderSource kFolders[] = {
    {ShellFolder::Startup, "RES_Startup", "Startup"},
    {ShellFolder::CommonStartup, "RES_Common_Startup", "Common Startup"},
};

void AddRunKeyEntries(std::vector<StartupRow>& rows, RegistryStore& registry,
                      const RunKeySource& source) {
  RegistryAccess key(registry);
  key.SetRootKey(source.root);
  if (!key.OpenKey(source.path, false)) return;
  for (const NamedValue& value : key.Values()) {
    const std::optional<std::string> data = ValueText(value.value);
    if (!data) continue;
    StartupEntry entry;
    entry.program = value.name;
    entry.file = *data;
    entry.location = RootKeyName(source.root) + "\\" + source.path;
    entry.kind = StartupEntry::Kind::RunValue;
    entry.root = source.root;
    entry.keyPath = source.path;
    rows.push_back({entry, false});
  }
}

void AddStartupFolderEntries(std::vector<StartupRow>& rows, FileSystemAccess& files,
                             const std::string& folder, const std::string& location) {
  for (const FileEntry& found : files.FindEntries(folder + "\\*")) {
    if ((found.attributes & kFileAttributeDirectory) || !HasShortcutExtension(found.name)) {
      continue;
    }
    const std::string shortcut = folder + "\\" + found.name;
    const std::string target = files.GetShortcutTarget(shortcut);
    if (target.empty()) continue;
    StartupEntry entry;
    entry.program = found.name;
    entry.file = target;
    entry.location = location;
    entry.kind = StartupEntry::Kind::Shortcut;
    entry.shortcutPath = shortcut;
    rows.push_back({entry, false});
  }
}

bool DeleteRunValue(RegistryStore& registry, const StartupEntry& entry) {
  RegistryAccess key(registry);
  key.SetRootKey(entry.root);
  return key.OpenKey(entry.keyPath, false) && key.ValueExists(entry.program) &&
         key.DeleteValue(entry.program);
}

bool DeleteEntry(RegistryStore& registry, FileSystemAccess& files, const StartupEntry& entry) {
  switch (entry.kind) {
    case StartupEntry::Kind::RunValue: return DeleteRunValue(registry, entry);
    case StartupEntry::Kind::Shortcut: return DeleteShortcutFile(files, entry.shortcutPath);
  }
  return false;
}

}  // namespace

void StartupList::TickAll(bool ticked) {
  for (StartupRow& row : rows_) row.ticked = ticked;
}

void StartupList::Fill(RegistryStore& registry, FileSystemAccess& files, WindowsVersion version,
                       const Language& language) {
  for (const RunKeySource& source : kRunKeys) {
    if (!source.windows9xOnly || IsWindows9x(version)) AddRunKeyEntries(rows_, registry, source);
  }
  for (const FolderSource& source : kFolders) {
    // Without its own path a folder lists nothing, so no row can lead a deletion elsewhere.
    const std::optional<std::string> folder = files.SpecialFolder(source.shellFolderId);
    if (!folder || folder->empty()) continue;
    AddStartupFolderEntries(rows_, files, *folder,
                            language.LangString(source.locationKey, source.englishLocation));
  }
}

void StartupList::DeleteTicked(RegistryStore& registry, FileSystemAccess& files) {
  for (std::size_t index = rows_.size(); index-- > 0;) {
    if (rows_[index].ticked && DeleteEntry(registry, files, rows_[index].entry)) {
      rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
    }
  }
}

}  // namespace kelvane
