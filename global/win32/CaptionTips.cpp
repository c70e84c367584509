#include "global/win32/CaptionTips.h"

#include <commctrl.h>

#include <algorithm>

#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "platform/Text.h"
#include "platform/Utf8.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {
namespace {

constexpr char kEllipsis[] = "...";
// No control shows more; longer captions are cut without measuring all of them.
constexpr std::size_t kLongestShown = 4096;

std::string ClassOf(HWND control) {
  wchar_t name[32] = {};
  GetClassNameW(control, name, 32);
  return Utf8(name);
}

bool ButtonCaptionRoom(HWND control, LONG style, RECT& room, UINT& format) {
  const int dpi = WindowDpi(control);
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: InflateRect(&room, -Scale(3, dpi), -Scale(3, dpi)); break;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: room.left += Scale(17, dpi); break;
    case BS_GROUPBOX:
      room.left += Scale(8, dpi);
      room.right -= Scale(8, dpi);
      format |= DT_SINGLELINE;
      return true;
    default: return false;
  }
  format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  return true;
}

bool StaticCaptionRoom(LONG style, UINT& format) {
  if (style & SS_ELLIPSISMASK) return false;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT: format |= DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE: format |= DT_SINGLELINE; break;
    default: return false;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  return true;
}

// Whether the text, drawn in the control's font, stays within the room.
bool Fits(HWND control, const std::string& text, const RECT& room, UINT format) {
  if (text.size() > kLongestShown) return false;
  const WindowDc dc(control);
  const SelectedObject font(dc.get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT drawn = {0, 0, room.right - room.left, 0};
  const std::wstring wide = Wide(text);
  DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &drawn, format | DT_CALCRECT);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc.get(), &metrics);
  // Rooms lower than a line show their one line all the same.
  const int height =
      std::max(static_cast<int>(room.bottom - room.top), static_cast<int>(metrics.tmHeight));
  return drawn.right <= room.right - room.left && drawn.bottom <= height;
}

}  // namespace

bool CaptionRoom(HWND control, RECT& room, UINT& format) {
  GetClientRect(control, &room);
  format = 0;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const std::string name = ClassOf(control);
  if (SameTextAscii(name, "Button")) {
    return ButtonCaptionRoom(control, style, room, format);
  }
  if (SameTextAscii(name, "Static")) return StaticCaptionRoom(style, format);
  return false;
}

CaptionTips::~CaptionTips() {
  // The system ends a tip with the window that owns it.
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void CaptionTips::FitAll(HWND window) {
  for (HWND control = GetWindow(window, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT)) {
    Fit(control, Whole(control));
  }
}

std::string CaptionTips::Whole(HWND control) const {
  std::string shown = WindowText(control);
  const auto cut = cut_.find(control);
  return cut != cut_.end() && cut->second.shown == shown ? cut->second.whole : shown;
}

void CaptionTips::Fit(HWND control, const std::string& whole) {
  RECT room;
  UINT format;
  const bool isCaption = CaptionRoom(control, room, format);
  if (!isCaption || room.right <= room.left || Fits(control, whole, room, format)) {
    if (cut_.erase(control)) {
      SetWindowTextW(control, Wide(whole).c_str());
      SetTip(control, "");
    }
    return;
  }
  // The longest start that fits with the ellipsis.
  std::size_t fitting = 0;
  std::size_t beyond = std::min(whole.size(), kLongestShown);
  while (beyond - fitting > 1) {
    // A cut never falls inside a character.
    const std::size_t middle = std::max(CharacterStart(whole, (fitting + beyond) / 2), fitting + 1);
    if (Fits(control, whole.substr(0, middle) + kEllipsis, room, format)) {
      fitting = middle;
    } else {
      beyond = middle;
    }
  }
  const std::string shown = whole.substr(0, fitting) + kEllipsis;
  cut_[control] = Caption{whole, shown};
  SetWindowTextW(control, Wide(shown).c_str());
  SetTip(control, whole);
}

void CaptionTips::SetTip(HWND control, const std::string& text) {
  HWND parent = GetParent(control);
  if (!tip_) {
    if (text.empty()) return;
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
    // Long captions wrap rather than run across the screen.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, Scale(480, WindowDpi(parent)));
  }
  std::wstring tipText = Wide(text);
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = parent;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  tool.lpszText = &tipText[0];
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // A static passes the mouse on to its parent unless it notifies, and the tip would not show.
  if (SameTextAscii(ClassOf(control), "Static")) {
    SetWindowLongW(control, GWL_STYLE, GetWindowLongW(control, GWL_STYLE) | SS_NOTIFY);
  }
}

}  // namespace kelvane
