// A modal dialog from a resource template. The base translates it and hands each message it
// routes to a typed handler; derived windows handle what they need.
#pragma once

#include <windows.h>

#include <string>

#include "global/win32/CaptionTips.h"
#include "global/win32/DialogTexts.h"
#include "platform/win32/WideText.h"

namespace kelvane {

class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  INT_PTR DoModal(HWND owner, int templateId);

 protected:
  HWND Handle() const { return handle_; }
  HWND Item(int id) const { return GetDlgItem(handle_, id); }
  void SetItemText(int id, const std::string& text) {
    SetDlgItemTextW(handle_, id, Wide(text).c_str());
  }
  void End(INT_PTR result) { EndDialog(handle_, result); }
  void CenterOnOwner();

  // Makes and fills the controls; the base translates the dialog after it.
  virtual void OnInit() {}
  // What the base translates after OnInit, with the controls as OnInit left them.
  virtual DialogTranslation Translation() const = 0;
  // After the translation: texts it must not put back, layouts that follow the translated texts.
  virtual void OnTranslated() {}
  // A command from a control (its id, its notification code and the control) or a menu.
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  // True when handled.
  virtual bool OnNotify(const NMHDR& /*header*/) { return false; }
  virtual void OnTimer(UINT_PTR /*timer*/) {}
  // The close box; false leaves it to the dialog manager, which presses Cancel.
  virtual bool OnClose() { return false; }
  // The program's own messages, from WM_APP on; true when handled.
  virtual bool OnPrivateMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return false;
  }
  // Messages the base does not route; true when handled.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Initialize(HWND window);
  bool Route(UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  CaptionTips captionTips_;
};

}  // namespace kelvane
