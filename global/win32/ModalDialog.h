// A modal dialog from a resource template; derived windows handle what they need.
#pragma once

#include <windows.h>

#include <string>

namespace kelvane {

class ModalDialog {
 public:
  virtual ~ModalDialog() = default;
  INT_PTR DoModal(HWND owner, int templateId);

 protected:
  HWND Handle() const { return handle_; }
  HWND Item(int id) const { return GetDlgItem(handle_, id); }
  void SetItemText(int id, const std::string& text) { SetDlgItemTextA(handle_, id, text.c_str()); }
  void End(INT_PTR result) { EndDialog(handle_, result); }
  void CenterOnOwner();

  virtual void OnInit() {}
  // A command from a control (its id, its notification code and the control) or a menu.
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  // Messages the base does not handle; return true when handled.
  virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) { return false; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

}  // namespace kelvane
