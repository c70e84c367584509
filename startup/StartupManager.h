// The programs Windows starts at logon, from the Run-type registry keys and both Startup
// folders: listed afresh each time, and deleted at once without a backup.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "platform/FileSystemAccess.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTypes.h"
#include "platform/WindowsVersion.h"

namespace kelvane {

struct StartupEntry {
  std::string program;   // the value's name, or the shortcut's file name
  std::string file;      // the value's data as stored, or the shortcut's target
  std::string location;  // the root's name and the key path, or the folder's translated name
  // What deleting removes: the value of that name in the key, or the shortcut file as listed.
  enum class Kind { RunValue, Shortcut };
  Kind kind = Kind::RunValue;
  RootKey root = 0;
  std::string keyPath;
  std::string shortcutPath;
};

struct StartupRow {
  StartupEntry entry;
  bool ticked = false;
};

// The startup manager's list; its window only shows it.
class StartupList {
 public:
  const std::vector<StartupRow>& Rows() const { return rows_; }
  void SetTicked(std::size_t row, bool ticked) { rows_.at(row).ticked = ticked; }
  void TickAll(bool ticked);

  // Reads every source in order, after the rows already listed: the Run, Policies Run and
  // RunOnce keys of the current user and then of the machine, the RunServices keys on 95, 98
  // and Me only, and the shortcuts of the user's and all users' Startup folders. Values that
  // are not strings, shortcuts without a target and folders without a path list nothing.
  // Raises std::runtime_error when the shell gives no shortcut object.
  void Fill(RegistryStore& registry, FileSystemAccess& files, WindowsVersion version,
            const Language& language);

  // Deletes the entry of every ticked row, from the last row to the first. A row leaves the
  // list only when its entry was deleted; the rest stay ticked.
  void DeleteTicked(RegistryStore& registry, FileSystemAccess& files);

 private:
  std::vector<StartupRow> rows_;
};

}  // namespace kelvane
