#include "global/win32/ModalDialog.h"

#include "global/win32/CallbackGuard.h"

namespace kelvane {
namespace {

// Where the messages of RegisterWindowMessage begin.
constexpr UINT kFirstRegisteredMessage = 0xC000;

}  // namespace

INT_PTR ModalDialog::DoModal(HWND owner, int templateId) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                         &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

void ModalDialog::CenterOnOwner() {
  RECT area;
  HWND owner = GetWindow(handle_, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &area)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  RECT own;
  GetWindowRect(handle_, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  SetWindowPos(handle_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::Initialize(HWND window) {
  handle_ = window;
  OnInit();
  TranslateDialog(handle_, Translation());
  OnTranslated();
  captionTips_.FitAll(handle_);
}

bool ModalDialog::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return true;
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER: OnTimer(wParam); return true;
    case WM_CLOSE: return OnClose();
    default: break;
  }
  if (message >= WM_APP && message < kFirstRegisteredMessage) return OnPrivateMessage(message, wParam, lParam);
  return OnMessage(message, wParam, lParam);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  return GuardCallback<INT_PTR>(window, FALSE, [&]() -> INT_PTR {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      reinterpret_cast<ModalDialog*>(lParam)->Initialize(window);
      return TRUE;
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!dialog) return FALSE;
    return dialog->Route(message, wParam, lParam) ? TRUE : FALSE;
  });
}

}  // namespace kelvane
