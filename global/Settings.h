// The user settings: one record for the whole process, loaded from options.ini beside the
// program when the main window is created and written back in full when it closes.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "global/ScanCategory.h"
#include "platform/ProfileStore.h"

namespace kelvane {

// Show commands of the main window.
constexpr int kShowNormal = 1;
constexpr int kShowMaximized = 3;

struct PixelSize {
  int width = 0;
  int height = 0;
};

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// What the options window edits, copied whole into its model and back on OK.
struct Preferences {
  std::string backupFolder;
  bool createRestorePoint = false;
  bool deleteBackupAfterRestore = false;
  bool judgeRemovableMedia = false;
  bool judgeCdDrives = false;
  bool showRepairSummary = false;
  bool beepWhenDone = false;
  // Rows a person should review are ticked after a scan as well.
  bool tickReviewRows = false;
  // On 64-bit Windows, the 64-bit registry view and file system are examined too.
  bool scan64Bit = true;
};

struct Settings : Preferences {
  // Stored by category number; the one without a tree node is kept as read.
  CategoryTicks categoryTicks;
  std::vector<std::string> ignoredValues;
  std::vector<std::string> ignoredKeys;
  int windowState = 0;
  bool startMaximized = false;
  // The main window's bounds as loaded; none when it starts maximised.
  std::optional<WindowRect> windowBounds;
  std::string languageName;
};

// Raised with "Unable to write to " and the file's path when the system refuses a write.
class SettingsWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// programFolder ends with its separator.
std::string OptionsFilePath(const std::string& programFolder);

// Missing or unreadable values take their defaults; the window's default position centres
// mainWindow (its designed size) on a screen of the given size.
Settings LoadSettings(ProfileStore& store, const std::string& programFolder, PixelSize screen,
                      PixelSize mainWindow);

// The caller first records the tree's ticks in categoryTicks. The show command is
// written only when known. Raises SettingsWriteError at the first refused write and writes
// nothing after it.
void SaveSettings(ProfileStore& store, const std::string& programFolder, const Settings& settings,
                  std::optional<int> windowShowCommand, const WindowRect& windowBounds);

}  // namespace kelvane
