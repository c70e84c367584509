// Finding the dialogs that a test's modal loops, or a program it started, show.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "global/win32/DialogTexts.h"
#include "platform/win32/WideText.h"

namespace kelvane {

// The control that holds a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

namespace dialogsearch {

struct Search {
  DWORD processId;      // 0: any
  const char* caption;  // nullptr: any
  HWND found;
  int controlId = 0;    // 0: any; else a control the dialog must hold
};

inline BOOL CALLBACK Match(HWND window, LPARAM parameter) {
  auto& search = *reinterpret_cast<Search*>(parameter);
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search.processId != 0 && owner != search.processId) return TRUE;
  if (search.caption && WindowText(window) != search.caption) return TRUE;
  if (search.controlId != 0 && !GetDlgItem(window, search.controlId)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace dialogsearch

// A visible dialog of the calling thread, with the caption when one is given.
inline HWND FindThreadDialog(const char* caption = nullptr) {
  dialogsearch::Search search{0, caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &dialogsearch::Match,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible dialog of the calling thread that holds the control.
inline HWND FindThreadDialogWith(int controlId) {
  dialogsearch::Search search{0, nullptr, nullptr, controlId};
  EnumThreadWindows(GetCurrentThreadId(), &dialogsearch::Match,
                    reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible dialog of another process, holding the control when one is given.
inline HWND FindProcessDialog(DWORD processId, int controlId = 0) {
  dialogsearch::Search search{processId, nullptr, nullptr, controlId};
  EnumWindows(&dialogsearch::Match, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A tree item's label; empty when the tree has no such item.
inline std::string TreeItemText(HWND tree, HTREEITEM item) {
  wchar_t label[MAX_PATH] = {};
  TVITEMW query = {};
  query.mask = TVIF_TEXT;
  query.hItem = item;
  query.pszText = label;
  query.cchTextMax = MAX_PATH;
  return item && TreeView_GetItem(tree, &query) ? Utf8(label) : std::string();
}

}  // namespace kelvane
