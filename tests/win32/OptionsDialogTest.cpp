// The options window and the ignore-entry dialog, driven through their controls under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "global/Localization.h"
#include "global/Settings.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "resources/resource.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogScript.h"
#include "tests/win32/DialogSearch.h"
#include "tests/win32/ListViewRows.h"
#include "windows/win32/OptionsDialog.h"

namespace kelvane {
namespace {

const std::string kFolder = "C:\\kelvane-tests\\options";
const std::string kValueA = "HKEY_CURRENT_USER\\Software\\A";
const std::string kValueB = "HKEY_CURRENT_USER\\Software\\B";
const std::string kValueC = "HKEY_CURRENT_USER\\Software\\C";
const std::string kKey = "HKEY_LOCAL_MACHINE\\Software\\K";

// A press on a control that opens no window.
void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The next page of a tab control, as the arrow key turns it.
void NextPage(HWND dialog, int tabsId) {
  SendMessageA(GetDlgItem(dialog, tabsId), WM_KEYDOWN, VK_RIGHT, 0);
}

std::string TabCaption(HWND tabs, int page) {
  char text[128] = {};
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof(text);
  SendMessageA(tabs, TCM_GETITEMA, page, reinterpret_cast<LPARAM>(&item));
  return text;
}

class OptionsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA("C:\\kelvane-tests", nullptr);
    CreateDirectoryA(kFolder.c_str(), nullptr);
    settings_.OutputDirectory = kFolder;
    settings_.IgnoreValue = {kValueA, kValueB, kValueC};
    settings_.IgnoreKey = {kKey};
  }

  // Shows the window while the script runs; the window's result.
  INT_PTR Show(std::vector<DialogScript::Step> steps) {
    Language language(profiles_, languages_.Path(), lan_);
    OptionsDialog window(settings_, files_, language, lan_);
    DialogScript script(std::move(steps));
    const INT_PTR result = window.ShowModal(nullptr);
    EXPECT_TRUE(script.Done()) << script.Progress();
    return result;
  }

  // A step that waits for the options window.
  static bool Find(HWND& window) {
    window = FindThreadDialog("Options");
    return window != nullptr;
  }

  testsupport::ScratchFolder languages_;
  Win32ProfileStore profiles_;
  Win32FileSystem files_;
  std::string lan_ = "English";
  Settings settings_;
  HWND options_ = nullptr;
  HWND entry_ = nullptr;
};

TEST_F(OptionsWindow, OkWithAMissingFolderStoresNothingAndShowsTheFolderOnItsPage) {
  const Settings before = settings_;
  std::string message;
  bool generalShown = false;
  bool folderFocused = false;
  const INT_PTR result = Show({
      [&] {
        if (!Find(options_)) return false;
        SendMessageA(GetDlgItem(options_, IDC_OPTIONS_BEEP), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(options_, IDC_OPTIONS_CD_DRIVE), BM_CLICK, 0, 0);
        SetDlgItemTextA(options_, IDC_OPTIONS_FOLDER, (kFolder + "\\Gone").c_str());
        NextPage(options_, IDC_OPTIONS_PAGES);
        PressSpaceOnRow(GetDlgItem(options_, IDC_OPTIONS_VALUES), 0);
        Click(options_, IDC_OPTIONS_REMOVE);
        PostClick(options_, IDOK);
        return true;
      },
      [&] {
        HWND box = FindOwnedDialog(options_);
        if (!box) return false;
        message = WindowText(GetDlgItem(box, kMessageBoxTextId));
        PostClick(box, IDOK);
        return true;
      },
      [&] {
        if (FindOwnedDialog(options_)) return false;
        generalShown = TabCtrl_GetCurSel(GetDlgItem(options_, IDC_OPTIONS_PAGES)) == 0 &&
                       IsWindowVisible(GetDlgItem(options_, IDC_OPTIONS_FOLDER)) &&
                       !IsWindowVisible(GetDlgItem(options_, IDC_OPTIONS_VALUES));
        folderFocused = GetFocus() == GetDlgItem(options_, IDC_OPTIONS_FOLDER);
        PostClick(options_, IDCANCEL);
        return true;
      },
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(message, kFolder + "\\Gone,The backup directory does not exist.");
  EXPECT_TRUE(generalShown);
  EXPECT_TRUE(folderFocused);
  EXPECT_EQ(settings_.OutputDirectory, before.OutputDirectory);
  EXPECT_EQ(settings_.Beep, before.Beep);
  EXPECT_EQ(settings_.IncludeCDdrive, before.IncludeCDdrive);
  EXPECT_EQ(settings_.IgnoreValue, before.IgnoreValue);
}

TEST_F(OptionsWindow, OkStoresTheEditsAndCancelOrTheCloseBoxNothing) {
  for (const UINT close : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(IDCANCEL)}) {
    EXPECT_EQ(Show({[&] {
                if (!Find(options_)) return false;
                SendMessageA(GetDlgItem(options_, IDC_OPTIONS_BEEP), BM_CLICK, 0, 0);
                if (close == WM_CLOSE) {
                  PostMessageA(options_, WM_CLOSE, 0, 0);
                } else {
                  PostClick(options_, IDCANCEL);
                }
                return true;
              }}),
              IDCANCEL);
    EXPECT_FALSE(settings_.Beep);
  }
  EXPECT_EQ(Show({[&] {
              if (!Find(options_)) return false;
              SendMessageA(GetDlgItem(options_, IDC_OPTIONS_BEEP), BM_CLICK, 0, 0);
              SendMessageA(GetDlgItem(options_, IDC_OPTIONS_SHOW_HINT), BM_CLICK, 0, 0);
              SetDlgItemTextA(options_, IDC_OPTIONS_FOLDER, (kFolder + "\\").c_str());
              PostClick(options_, IDOK);
              return true;
            }}),
            IDOK);
  EXPECT_TRUE(settings_.Beep);
  EXPECT_TRUE(settings_.ShowHint);
  EXPECT_EQ(settings_.OutputDirectory, kFolder + "\\");
}

TEST_F(OptionsWindow, AddSkipsAnEntryListedInAnyCaseAndOkWaitsForHkey) {
  std::vector<bool> okEnabled;
  std::vector<std::vector<std::string>> valuesSeen;
  bool editorOpened = false;
  const auto typeAndConfirm = [&](const std::string& text) {
    return [&, text] {
      entry_ = FindOwnedDialog(options_);
      if (!entry_) return false;
      SetDlgItemTextA(entry_, IDC_IGNORE_ENTRY_TEXT, text.c_str());
      PostClick(entry_, IDOK);
      return true;
    };
  };
  const auto seeValuesAndAdd = [&] {
    if (FindOwnedDialog(options_)) return false;
    valuesSeen.push_back(ListColumn(GetDlgItem(options_, IDC_OPTIONS_VALUES), 0));
    PostClick(options_, IDC_OPTIONS_ADD);
    return true;
  };
  const INT_PTR result = Show({
      [&] {
        if (!Find(options_)) return false;
        NextPage(options_, IDC_OPTIONS_PAGES);
        PostClick(options_, IDC_OPTIONS_ADD);
        return true;
      },
      [&] {
        entry_ = FindOwnedDialog(options_);
        if (!entry_) return false;
        for (const char* text : {"", "Software\\X", "HKEY-X", "a note on hkey_ here",
                                 "hkey_current_user\\software\\b"}) {
          SetDlgItemTextA(entry_, IDC_IGNORE_ENTRY_TEXT, text);
          okEnabled.push_back(IsWindowEnabled(GetDlgItem(entry_, IDOK)) != FALSE);
        }
        PostClick(entry_, IDC_IGNORE_ENTRY_REGEDIT);
        return true;
      },
      [&] {
        // The editor opens beside the dialog, which stays.
        HWND editor = FindWindowA("RegEdit_RegEdit", nullptr);
        if (!editor) return false;
        editorOpened = IsWindowVisible(entry_) != FALSE;
        PostMessageA(editor, WM_CLOSE, 0, 0);
        PostClick(entry_, IDOK);
        return true;
      },
      seeValuesAndAdd,
      typeAndConfirm("HKEY_CURRENT_USER\\Software\\D"),
      seeValuesAndAdd,
      [&] {
        entry_ = FindOwnedDialog(options_);
        if (!entry_) return false;
        PostClick(entry_, IDCANCEL);
        return true;
      },
      [&] {
        if (FindOwnedDialog(options_)) return false;
        NextPage(options_, IDC_OPTIONS_LISTS);
        PostClick(options_, IDC_OPTIONS_ADD);
        return true;
      },
      typeAndConfirm("HKEY_USERS\\Other"),
      [&] {
        if (FindOwnedDialog(options_)) return false;
        PostClick(options_, IDOK);
        return true;
      },
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(okEnabled, (std::vector<bool>{false, false, false, true, true}));
  EXPECT_TRUE(editorOpened);
  const std::vector<std::string> listed = {kValueA, kValueB, kValueC};
  std::vector<std::string> withD = listed;
  withD.push_back("HKEY_CURRENT_USER\\Software\\D");
  EXPECT_EQ(valuesSeen, (std::vector<std::vector<std::string>>{listed, withD}));
  EXPECT_EQ(settings_.IgnoreValue, withD);
  EXPECT_EQ(settings_.IgnoreKey, (std::vector<std::string>{kKey, "HKEY_USERS\\Other"}));
}

TEST_F(OptionsWindow, RemoveTakesTheTickedRowsOfTheListInFrontAndADoubleClickEdits) {
  std::vector<std::vector<std::string>> valuesSeen;
  std::string presetText;
  const INT_PTR result = Show({
      [&] {
        if (!Find(options_)) return false;
        HWND values = GetDlgItem(options_, IDC_OPTIONS_VALUES);
        NextPage(options_, IDC_OPTIONS_PAGES);
        // Selected but not ticked.
        ListView_SetItemState(values, 1, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        Click(options_, IDC_OPTIONS_REMOVE);
        valuesSeen.push_back(ListColumn(values, 0));
        PressSpaceOnRow(values, 0);
        PressSpaceOnRow(values, 2);
        NextPage(options_, IDC_OPTIONS_LISTS);
        Click(options_, IDC_OPTIONS_REMOVE);
        valuesSeen.push_back(ListColumn(values, 0));
        SendMessageA(GetDlgItem(options_, IDC_OPTIONS_LISTS), WM_KEYDOWN, VK_LEFT, 0);
        Click(options_, IDC_OPTIONS_REMOVE);
        valuesSeen.push_back(ListColumn(values, 0));
        // The first press of a double click selects the row.
        ListView_SetItemState(values, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        RECT row = {};
        ListView_GetItemRect(values, 0, &row, LVIR_BOUNDS);
        PostMessageA(values, WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM(row.left + 60, (row.top + row.bottom) / 2));
        return true;
      },
      [&] {
        entry_ = FindOwnedDialog(options_);
        if (!entry_) return false;
        presetText = WindowText(GetDlgItem(entry_, IDC_IGNORE_ENTRY_TEXT));
        SetDlgItemTextA(entry_, IDC_IGNORE_ENTRY_TEXT, kValueA.c_str());
        PostClick(entry_, IDOK);
        return true;
      },
      [&] {
        if (FindOwnedDialog(options_)) return false;
        PostClick(options_, IDOK);
        return true;
      },
  });
  EXPECT_EQ(result, IDOK);
  const std::vector<std::string> all = {kValueA, kValueB, kValueC};
  EXPECT_EQ(valuesSeen,
            (std::vector<std::vector<std::string>>{all, all, std::vector<std::string>{kValueB}}));
  EXPECT_EQ(presetText, kValueB);
  EXPECT_EQ(settings_.IgnoreValue, std::vector<std::string>{kValueA});
  EXPECT_EQ(settings_.IgnoreKey, std::vector<std::string>{kKey});
}

TEST_F(OptionsWindow, IsTranslatedAndNamesTheVersionsOfRestorePointsInEnglish) {
  testsupport::WriteRawFile(LanguageFilePath(languages_.Path(), "German"),
                            "[frmOptions]\r\nfrmOptions=Optionen\r\n"
                            "cbCreateRestore=Vor der Reparatur Punkt erstellen (xp, Vista)\r\n"
                            "suiPageControl1_Page1=Ausnahmelisten\r\n"
                            "lvKeys_Column0=Eintr\xe4ge\r\nbAdd=&Hinzuf\xfcgen\r\n");
  lan_ = "German";
  std::vector<std::string> seen;
  Show({[&] {
    if (!FindThreadDialog("Optionen")) return false;
    options_ = FindThreadDialog("Optionen");
    seen = {WindowText(GetDlgItem(options_, IDC_OPTIONS_RESTORE_POINT)),
            TabCaption(GetDlgItem(options_, IDC_OPTIONS_PAGES), 0),
            TabCaption(GetDlgItem(options_, IDC_OPTIONS_PAGES), 1),
            ListColumnCaptions(GetDlgItem(options_, IDC_OPTIONS_KEYS)).at(0),
            WindowText(GetDlgItem(options_, IDC_OPTIONS_ADD))};
    PostClick(options_, IDCANCEL);
    return true;
  }});
  EXPECT_EQ(seen,
            (std::vector<std::string>{"Vor der Reparatur Punkt erstellen (XP, Vista, 7)", "General",
                                      "Ausnahmelisten", "Eintr\xe4ge", "&Hinzuf\xfcgen"}));
}

TEST_F(OptionsWindow, BrowseTakesTheFolderChosenInTheCentredShellDialog) {
  char desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::string chosen = std::string(desktop) + "\\KelvaneChosen";
  CreateDirectoryA(chosen.c_str(), nullptr);
  // Another window of the program, which the folder dialog must disable too.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  bool centred = false;
  bool othersDisabled = false;
  bool titleShown = false;
  std::string folder;
  bool othersEnabledAfter = false;
  Show({
      [&] {
        if (!Find(options_)) return false;
        PostClick(options_, IDC_OPTIONS_BROWSE);
        return true;
      },
      [&] {
        HWND browse = FindOwnedDialog(options_);
        if (!browse) return false;
        RECT frame = {};
        RECT client = {};
        GetWindowRect(browse, &frame);
        GetClientRect(browse, &client);
        centred = frame.left == (GetSystemMetrics(SM_CXSCREEN) - client.right) / 2 &&
                  frame.top == (GetSystemMetrics(SM_CYSCREEN) - client.bottom) / 2;
        othersDisabled = !IsWindowEnabled(other) && !IsWindowEnabled(options_);
        titleShown = FindWindowExA(browse, nullptr, "Static",
                                   "Please select the directory to add") != nullptr;
        // The folder lies on the desktop, the tree's root.
        HWND tree = FindWindowExA(browse, nullptr, WC_TREEVIEWA, nullptr);
        HTREEITEM root = TreeView_GetRoot(tree);
        TreeView_Expand(tree, root, TVE_EXPAND);
        for (HTREEITEM item = TreeView_GetChild(tree, root); item;
             item = TreeView_GetNextSibling(tree, item)) {
          char text[MAX_PATH] = {};
          TVITEMA query = {};
          query.mask = TVIF_TEXT;
          query.hItem = item;
          query.pszText = text;
          query.cchTextMax = sizeof(text);
          TreeView_GetItem(tree, &query);
          if (std::string(text) == "KelvaneChosen") TreeView_SelectItem(tree, item);
        }
        PostClick(browse, IDOK);
        return true;
      },
      [&] {
        if (FindOwnedDialog(options_)) return false;
        folder = WindowText(GetDlgItem(options_, IDC_OPTIONS_FOLDER));
        othersEnabledAfter = IsWindowEnabled(other) && IsWindowEnabled(options_);
        PostClick(options_, IDCANCEL);
        return true;
      },
  });
  DestroyWindow(other);
  RemoveDirectoryA(chosen.c_str());
  EXPECT_TRUE(centred);
  EXPECT_TRUE(othersDisabled);
  EXPECT_TRUE(titleShown);
  EXPECT_EQ(folder, chosen);
  EXPECT_TRUE(othersEnabledAfter);
}

}  // namespace
}  // namespace kelvane
