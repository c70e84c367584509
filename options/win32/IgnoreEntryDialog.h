// The ignore-entry dialog: one entry of an ignore list typed or changed, with the registry
// editor at hand to look the key up.
#pragma once

#include <string>

#include "global/Localization.h"
#include "global/win32/ModalDialog.h"

namespace kelvane {

class IgnoreEntryDialog : public ModalDialog {
 public:
  IgnoreEntryDialog(const Language& language, const std::string& currentLanguage, std::string text);
  // IDOK once the text names a root; IDCANCEL from Cancel, Escape or the close box.
  INT_PTR ShowModal(HWND owner);
  // As typed.
  const std::string& Text() const { return text_; }

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnTranslated() override;
  void OnCommand(int id, int code, HWND control) override;
  // OK only while the text names a root.
  void EnableOk();

  const Language& language_;
  std::string currentLanguage_;
  std::string text_;
};

}  // namespace kelvane
