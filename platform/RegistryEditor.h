// The system's registry editor as the program starts it: always the one that works on the
// registry view the program reads, so that what it imports lands where the program found it.
#pragma once

#include <string>

#include "platform/FileSystemAccess.h"
#include "platform/SystemAccess.h"

namespace kelvane {

// The editor keeps the key to show at start in this string value below HKEY_CURRENT_USER.
constexpr char kRegistryEditorSettingsKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
constexpr char kRegistryEditorLastKey[] = "LastKey";
// Opens a further editor when one is running already.
constexpr char kFurtherInstanceSwitch[] = "-m";

struct RegistryEditor {
  std::string program;   // a full path, or a name found on the search path
  std::string switches;  // given before any other argument; may be empty
};

// On 64-bit Windows the program, a 32-bit one, reads the 32-bit view: the 32-bit editor in the
// system folder, kept from handing the work to a running 64-bit editor. Elsewhere "Regedit"
// found on the search path.
RegistryEditor FindRegistryEditor(SystemAccess& system, FileSystemAccess& files);
// The editor that shows the 64-bit view on 64-bit Windows: the one in the Windows folder, which
// WOW64 does not redirect. Elsewhere FindRegistryEditor's.
RegistryEditor Find64BitRegistryEditor(SystemAccess& system, FileSystemAccess& files);
// The command that imports a file into the 64-bit view on 64-bit Windows: the console registry
// tool told the view, since Wine's registry editors both import a plain key name into the
// 32-bit view. Elsewhere the editor's import.
std::string Import64BitCommandLine(SystemAccess& system, FileSystemAccess& files,
                                   const std::string& file);

// The editor (quoted when it holds a blank), its switches, then the arguments.
std::string EditorCommandLine(const RegistryEditor& editor, const std::string& arguments);
// Imports a registry file without asking anything.
std::string ImportCommandLine(const RegistryEditor& editor, const std::string& file);
// Exports the whole registry into the file.
std::string ExportCommandLine(const RegistryEditor& editor, const std::string& file);

}  // namespace kelvane
