#include "platform/RegistryEditor.h"

#include <optional>

namespace kelvane {

RegistryEditor FindRegistryEditor(SystemAccess& system, FileSystemAccess& files) {
  if (!system.IsWow64()) return {"Regedit", ""};
  // Without the folder the search path still finds the system folder's editor first.
  const std::optional<std::string> folder = files.SpecialFolder(ShellFolder::SystemX86);
  return {folder ? *folder + "\\regedit.exe" : "Regedit", kFurtherInstanceSwitch};
}

std::string EditorCommandLine(const RegistryEditor& editor, const std::string& arguments) {
  std::string line = editor.program.find(' ') == std::string::npos
                         ? editor.program
                         : "\"" + editor.program + "\"";
  if (!editor.switches.empty()) line += " " + editor.switches;
  return line + " " + arguments;
}

std::string ImportCommandLine(const RegistryEditor& editor, const std::string& file) {
  return EditorCommandLine(editor, "/s \"" + file + "\"");
}

RegistryEditor Find64BitRegistryEditor(SystemAccess& system, FileSystemAccess& files) {
  const std::optional<std::string> windows = files.ExpandEnvironmentStrings("%SystemRoot%");
  if (!system.IsWow64() || !windows) return FindRegistryEditor(system, files);
  return {*windows + "\\regedit.exe", ""};
}

std::string Import64BitCommandLine(SystemAccess& system, FileSystemAccess& files,
                                   const std::string& file) {
  if (!system.IsWow64()) return ImportCommandLine(FindRegistryEditor(system, files), file);
  const std::optional<std::string> folder = files.SpecialFolder(ShellFolder::SystemX86);
  const RegistryEditor tool{folder ? *folder + "\\reg.exe" : "reg", ""};
  return EditorCommandLine(tool, "import \"" + file + "\" /reg:64");
}

std::string ExportCommandLine(const RegistryEditor& editor, const std::string& file) {
  return EditorCommandLine(editor, "/e \"" + file + "\"");
}

}  // namespace kelvane
