// Whether a window's texts fit: each caption whole in its control, measured in the control's own
// font, each control inside the window and clear of its siblings. Faults are told by window,
// control id and text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "global/win32/CaptionTips.h"
#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "platform/win32/WideText.h"
#include "tests/win32/DialogSearch.h"

namespace kelvane {
namespace fitcheck {

inline std::string ClassOf(HWND control) {
  char name[32] = {};
  GetClassNameA(control, name, sizeof(name));
  return name;
}

inline bool IsClass(HWND control, const char* name) {
  return lstrcmpiA(ClassOf(control).c_str(), name) == 0;
}

inline RECT RectIn(HWND control, HWND parent) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The size text takes drawn in the control's font, laid out by format within width.
inline SIZE Drawn(HWND control, const std::string& text, UINT format, int width) {
  const WindowDc dc(control);
  const SelectedObject font(dc.get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT drawn = {0, 0, width, 0};
  DrawTextW(dc.get(), Wide(text).c_str(), -1, &drawn, format | DT_CALCRECT);
  return SIZE{drawn.right, drawn.bottom};
}

struct TipSearch {
  HWND control;
  bool found;
};

inline BOOL CALLBACK FindTip(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<TipSearch*>(parameter);
  if (!IsClass(window, TOOLTIPS_CLASSA)) return TRUE;
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = GetParent(search.control);
  tool.uId = reinterpret_cast<UINT_PTR>(search.control);
  search.found =
      search.found || SendMessageW(window, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
  return TRUE;
}

// A tip that shows the control's caption whole, because the control shows it cut.
inline bool HasCutTip(HWND control) {
  TipSearch search{control, false};
  EnumThreadWindows(GetCurrentThreadId(), &FindTip, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class Checker {
 public:
  explicit Checker(std::string where) : where_(std::move(where)) {}

  void Window(HWND window) {
    const std::string name = where_ + " '" + WindowText(window) + "'";
    RECT client;
    GetClientRect(window, &client);
    std::vector<HWND> shown;
    for (HWND control = GetWindow(window, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
      // Checked as the window is shown, before it counts as visible itself.
      if (!(GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE)) continue;
      shown.push_back(control);
      const RECT rect = RectIn(control, window);
      RECT inside;
      IntersectRect(&inside, &rect, &client);
      if (!EqualRect(&inside, &rect)) Fault(name, control, "reaches beyond the window");
      Texts(name, control);
    }
    for (std::size_t first = 0; first < shown.size(); ++first) {
      for (std::size_t second = first + 1; second < shown.size(); ++second) {
        Overlap(name, window, shown[first], shown[second]);
      }
    }
  }

  const std::vector<std::string>& Faults() const { return faults_; }

 private:
  void Fault(const std::string& window, HWND control, const std::string& what) {
    std::string text = WindowText(control).substr(0, 60);
    faults_.push_back(window + ": control " + std::to_string(GetDlgCtrlID(control)) + " \"" +
                      text + "\" " + what);
  }

  void Texts(const std::string& window, HWND control) {
    RECT room;
    UINT format;
    const std::string text = WindowText(control);
    if (CaptionRoom(control, room, format) && !text.empty()) {
      if (HasCutTip(control)) return Fault(window, control, "is cut");
      const SIZE drawn = Drawn(control, text, format, room.right - room.left);
      const SIZE has = {room.right - room.left, room.bottom - room.top};
      if (drawn.cx > has.cx || ((format & DT_WORDBREAK) && drawn.cy > has.cy)) {
        Fault(window, control, "needs " + std::to_string(drawn.cx) + "x" +
                                   std::to_string(drawn.cy) + ", has " + std::to_string(has.cx) +
                                   "x" + std::to_string(has.cy));
      }
    } else if (IsClass(control, WC_TABCONTROLA)) {
      Tabs(window, control);
    } else if (IsClass(control, WC_TREEVIEWA)) {
      TreeLabels(window, control);
    } else if (IsClass(control, WC_LISTVIEWA)) {
      ListHeader(window, control);
    }
  }

  void Tabs(const std::string& window, HWND tabs) {
    RECT client;
    GetClientRect(tabs, &client);
    for (int index = 0; index < TabCtrl_GetItemCount(tabs); ++index) {
      RECT tab;
      TabCtrl_GetItemRect(tabs, index, &tab);
      if (tab.right > client.right) Fault(window, tabs, "tab " + std::to_string(index) + " is cut");
    }
  }

  void TreeLabels(const std::string& window, HWND tree) {
    RECT client;
    GetClientRect(tree, &client);
    for (HTREEITEM item = TreeView_GetRoot(tree); item;
         item = TreeView_GetNextItem(tree, item, TVGN_NEXTVISIBLE)) {
      RECT text = {};
      if (TreeView_GetItemRect(tree, item, &text, TRUE) && text.right > client.right) {
        Fault(window, tree, "label \"" + TreeItemText(tree, item) + "\" is cut");
      }
    }
  }

  void ListHeader(const std::string& window, HWND list) {
    const std::vector<std::string> captions = ListColumnCaptions(list);
    const int margins = Scale(12, WindowDpi(list));
    for (std::size_t column = 0; column < captions.size(); ++column) {
      const int width = ListView_GetColumnWidth(list, static_cast<int>(column));
      if (width > 0 &&
          width < ListView_GetStringWidth(list, Wide(captions[column]).c_str()) + margins) {
        Fault(window, list, "column \"" + captions[column] + "\" is cut");
      }
    }
  }

  // Group boxes, tab controls and frames hold others; other controls stay apart.
  static bool Holds(HWND window, HWND outer, HWND inner) {
    const LONG style = GetWindowLongW(outer, GWL_STYLE);
    const bool container =
        (IsClass(outer, "Button") && (style & BS_TYPEMASK) == BS_GROUPBOX) ||
        IsClass(outer, WC_TABCONTROLA) ||
        (IsClass(outer, "Static") && (style & SS_TYPEMASK) >= SS_BLACKRECT &&
         (style & SS_TYPEMASK) <= SS_WHITEFRAME) ||
        (IsClass(outer, "Static") && (style & SS_TYPEMASK) == SS_ETCHEDFRAME);
    const RECT out = RectIn(outer, window);
    const RECT in = RectIn(inner, window);
    RECT both;
    UnionRect(&both, &out, &in);
    return container && EqualRect(&both, &out);
  }

  void Overlap(const std::string& name, HWND window, HWND first, HWND second) {
    const RECT a = RectIn(first, window);
    const RECT b = RectIn(second, window);
    RECT common;
    if (!IntersectRect(&common, &a, &b) || Holds(window, first, second) ||
        Holds(window, second, first)) {
      return;
    }
    Fault(name, first, "overlaps control " + std::to_string(GetDlgCtrlID(second)) + " \"" +
                           WindowText(second).substr(0, 60) + "\"");
  }

  std::string where_;
  std::vector<std::string> faults_;
};

}  // namespace fitcheck
}  // namespace kelvane
