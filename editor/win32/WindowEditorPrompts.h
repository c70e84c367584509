// What the commands that start the registry editor show, each modal to the given window.
#pragma once

#include <windows.h>

#include <string>

#include "editor/EditorCommands.h"
#include "global/Localization.h"

namespace kelvane {

class WindowEditorPrompts : public FullBackupPrompts {
 public:
  WindowEditorPrompts(HWND owner, const Language& language, const std::string& currentLanguage);

  bool WaitForProcess(StartedProcess& process, const std::string& hint) override;
  void ShowInformation(const std::string& message) override;
  void ShowWarning(const std::string& message) override;
  std::optional<std::string> AskSaveFile(const std::string& title,
                                         const std::string& filter) override;
  bool AskYesNo(const std::string& question) override;

 private:
  HWND owner_;
  const Language& language_;
  const std::string& currentLanguage_;
};

}  // namespace kelvane
