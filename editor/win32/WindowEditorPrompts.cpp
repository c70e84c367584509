#include "editor/win32/WindowEditorPrompts.h"

#include "editor/win32/ProcessProgressDialog.h"
#include "global/win32/FittedMessageBox.h"
#include "global/win32/SaveFileDialog.h"

namespace kelvane {

WindowEditorPrompts::WindowEditorPrompts(HWND owner, const Language& language,
                                         const std::string& currentLanguage)
    : owner_(owner), language_(language), currentLanguage_(currentLanguage) {}

bool WindowEditorPrompts::WaitForProcess(StartedProcess& process, const std::string& hint) {
  ProcessProgressDialog window(language_, currentLanguage_, process, hint);
  return window.ShowModal(owner_) == IDOK;
}

void WindowEditorPrompts::ShowInformation(const std::string& message) {
  FittedMessageBox(owner_, message, MB_OK | MB_ICONINFORMATION);
}

void WindowEditorPrompts::ShowWarning(const std::string& message) {
  FittedMessageBox(owner_, message, MB_OK | MB_ICONWARNING);
}

std::optional<std::string> WindowEditorPrompts::AskSaveFile(const std::string& title,
                                                            const std::string& filter) {
  return kelvane::AskSaveFile(owner_, title, filter);
}

bool WindowEditorPrompts::AskYesNo(const std::string& question) {
  return FittedMessageBox(owner_, question, MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace kelvane
