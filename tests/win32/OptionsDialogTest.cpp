// The options window, the ignore-entry dialog and the folder dialog, driven under Wine.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "options/win32/IgnoreEntryDialogIds.h"
#include "options/win32/OptionsDialog.h"
#include "options/win32/OptionsDialogIds.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStore.h"
#include "tests/support/ScratchFolder.h"
#include "tests/win32/DialogScript.h"
#include "tests/win32/DialogSearch.h"
#include "tests/win32/ListViewRows.h"
#include "tests/win32/ProgramLanguages.h"

namespace kelvane {
namespace {

using Texts = std::vector<std::string>;

const std::string kFolder = "C:\\kelvane-tests\\options";
const Texts kValues = {"HKEY_CURRENT_USER\\Software\\A", "HKEY_CURRENT_USER\\Software\\B"};
const std::string kKey = "HKEY_LOCAL_MACHINE\\Software\\K";

// The next page of a tab control, as the arrow key turns it.
void NextPage(HWND dialog, int tabsId, UINT key = VK_RIGHT) {
  SendMessageW(GetDlgItem(dialog, tabsId), WM_KEYDOWN, key, 0);
}

Texts Rows(HWND options) {
  Texts rows;
  HWND list = GetDlgItem(options, IDC_OPTIONS_VALUES);
  for (int row = 0; row < ListView_GetItemCount(list); ++row)
    rows.push_back(ListCell(list, row, 0));
  return rows;
}

void Type(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

class OptionsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA("C:\\kelvane-tests", nullptr);
    CreateDirectoryA(kFolder.c_str(), nullptr);
    settings_.backupFolder = kFolder;
    settings_.ignoredValues = kValues;
    settings_.ignoredKeys = {kKey};
  }

  // The window's result once the steps are taken.
  INT_PTR Show(std::vector<DialogScript::Step> steps) {
    Language language(profiles_, languages_.Path(), lan_);
    OptionsDialog window(settings_, files_, language, lan_);
    DialogScript script(std::move(steps));
    const INT_PTR result = window.ShowModal(nullptr);
    EXPECT_TRUE(script.Done()) << script.Progress();
    return result;
  }

  testsupport::ScratchFolder languages_;
  Win32ProfileStore profiles_;
  Win32FileSystem files_;
  std::string lan_ = "English";
  Settings settings_;
};

TEST_F(OptionsWindow, OkWithAMissingFolderStoresNothingAndOnlyOkStores) {
  const Settings before = settings_;
  std::string message;
  bool folderInFront = false;
  EXPECT_EQ(Show({[&](HWND options) {
                    Click(options, IDC_OPTIONS_BEEP);
                    Type(options, IDC_OPTIONS_FOLDER, kFolder + "\\Gone");
                    NextPage(options, IDC_OPTIONS_PAGES);
                    PressSpaceOnRow(GetDlgItem(options, IDC_OPTIONS_VALUES), 0);
                    Click(options, IDC_OPTIONS_REMOVE);
                    PostClick(options, IDOK);
                  },
                  [&](HWND box) {
                    message = WindowText(GetDlgItem(box, kMessageBoxTextId));
                    PostClick(box, IDOK);
                  },
                  [&](HWND options) {
                    folderInFront =
                        TabCtrl_GetCurSel(GetDlgItem(options, IDC_OPTIONS_PAGES)) == 0 &&
                        GetFocus() == GetDlgItem(options, IDC_OPTIONS_FOLDER);
                    PostMessageW(options, WM_CLOSE, 0, 0);
                  }}),
            IDCANCEL);
  EXPECT_EQ(message, kFolder + "\\Gone,The backup directory does not exist.");
  EXPECT_TRUE(folderInFront);
  EXPECT_EQ(settings_.beepWhenDone, before.beepWhenDone);
  EXPECT_EQ(settings_.ignoredValues, before.ignoredValues);

  EXPECT_EQ(Show({[&](HWND options) {
              Click(options, IDC_OPTIONS_BEEP);
              PostClick(options, IDCANCEL);
            }}),
            IDCANCEL);
  EXPECT_EQ(settings_.beepWhenDone, before.beepWhenDone);
  EXPECT_EQ(Show({[&](HWND options) {
              Click(options, IDC_OPTIONS_BEEP);
              Type(options, IDC_OPTIONS_FOLDER, kFolder + "\\");
              PostClick(options, IDOK);
            }}),
            IDOK);
  EXPECT_NE(settings_.beepWhenDone, before.beepWhenDone);
  EXPECT_EQ(settings_.backupFolder, kFolder + "\\");
}

TEST_F(OptionsWindow, AddSkipsAListedEntryRemoveTakesTickedRowsAndADoubleClickEdits) {
  std::vector<bool> okEnabled;
  std::vector<Texts> seen;
  std::string preset;
  EXPECT_EQ(Show({[&](HWND options) {
                    NextPage(options, IDC_OPTIONS_PAGES);
                    PostClick(options, IDC_OPTIONS_ADD);
                  },
                  [&](HWND entry) {
                    for (const char* text : {"", "Software\\X", "a note on hkey_ here",
                                             "hkey_current_user\\software\\b"}) {
                      Type(entry, IDC_IGNORE_ENTRY_TEXT, text);
                      okEnabled.push_back(IsWindowEnabled(GetDlgItem(entry, IDOK)) != FALSE);
                    }
                    PostClick(entry, IDOK);
                  },
                  [&](HWND options) {
                    seen.push_back(Rows(options));
                    // Selected, not ticked; then ticked, but on the other inner page.
                    ListView_SetItemState(GetDlgItem(options, IDC_OPTIONS_VALUES), 0, LVIS_SELECTED,
                                          LVIS_SELECTED);
                    Click(options, IDC_OPTIONS_REMOVE);
                    PressSpaceOnRow(GetDlgItem(options, IDC_OPTIONS_VALUES), 0);
                    NextPage(options, IDC_OPTIONS_LISTS);
                    Click(options, IDC_OPTIONS_REMOVE);
                    NextPage(options, IDC_OPTIONS_LISTS, VK_LEFT);
                    seen.push_back(Rows(options));
                    Click(options, IDC_OPTIONS_REMOVE);
                    seen.push_back(Rows(options));
                    HWND values = GetDlgItem(options, IDC_OPTIONS_VALUES);
                    ListView_SetItemState(values, 0, LVIS_SELECTED, LVIS_SELECTED);
                    RECT row = {};
                    ListView_GetItemRect(values, 0, &row, LVIR_BOUNDS);
                    PostMessageW(values, WM_LBUTTONDBLCLK, MK_LBUTTON,
                                 MAKELPARAM(row.left + 60, (row.top + row.bottom) / 2));
                  },
                  [&](HWND entry) {
                    preset = WindowText(GetDlgItem(entry, IDC_IGNORE_ENTRY_TEXT));
                    Type(entry, IDC_IGNORE_ENTRY_TEXT, kValues[0]);
                    PostClick(entry, IDOK);
                  },
                  [&](HWND options) { PostClick(options, IDOK); }}),
            IDOK);
  EXPECT_EQ(okEnabled, (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(seen, (std::vector<Texts>{kValues, kValues, {kValues[1]}}));
  EXPECT_EQ(preset, kValues[1]);
  EXPECT_EQ(settings_.ignoredValues, Texts{kValues[0]});
  EXPECT_EQ(settings_.ignoredKeys, Texts{kKey});
}

TEST_F(OptionsWindow, IsTranslatedAndNamesTheRestorePointVersionsInEnglish) {
  testsupport::WriteRawFile(LanguageFilePath(languages_.Path(), "German"),
                            "[frmOptions]\r\nfrmOptions=Optionen\r\n"
                            "cbCreateRestore=Vor der Reparatur Punkt erstellen (xp, Vista)\r\n"
                            "suiPageControl1_Page1=Ausnahmelisten\r\n"
                            "lvKeys_Column0=Eintr\xe4ge\r\n");
  lan_ = "German";
  Texts seen;
  Show({[&](HWND options) {
    wchar_t page[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = page;
    item.cchTextMax = 64;
    SendMessageW(GetDlgItem(options, IDC_OPTIONS_PAGES), TCM_GETITEMW, 1,
                 reinterpret_cast<LPARAM>(&item));
    seen = {WindowText(options), WindowText(GetDlgItem(options, IDC_OPTIONS_RESTORE_POINT)),
            Utf8(page), ListColumnCaptions(GetDlgItem(options, IDC_OPTIONS_KEYS)).at(0)};
    PostClick(options, IDCANCEL);
  }});
  EXPECT_EQ(seen, (Texts{"Optionen", "Vor der Reparatur Punkt erstellen (XP, Vista, 7)",
                         "Ausnahmelisten", "Eintr\u00e4ge"}));
}

TEST_F(OptionsWindow, TheReviewBoxKeepsItsSettingInEveryLanguage) {
  ASSERT_TRUE(CopyProgramLanguages(languages_.Path()));
  settings_.tickReviewRows = true;
  for (const std::string& language : ProgramLanguages()) {
    lan_ = language;
    const bool before = settings_.tickReviewRows;
    Show({[&](HWND options) {
      HWND review = GetDlgItem(options, IDC_OPTIONS_TICK_REVIEW);
      EXPECT_EQ(IsDlgButtonChecked(options, IDC_OPTIONS_TICK_REVIEW) == BST_CHECKED, before);
      EXPECT_TRUE(IsWindowVisible(review) && (GetWindowLongW(review, GWL_STYLE) & WS_TABSTOP));
      Click(options, IDC_OPTIONS_TICK_REVIEW);
      PostClick(options, IDOK);
    }});
    EXPECT_NE(settings_.tickReviewRows, before) << language;
  }
}

TEST_F(OptionsWindow, BrowseTakesTheFolderChosenInTheCentredShellDialog) {
  char desktop[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, TRUE));
  const std::string chosen = std::string(desktop) + "\\KelvaneChosen";
  CreateDirectoryA(chosen.c_str(), nullptr);
  // Another window of the program, which the folder dialog disables too.
  HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr, nullptr,
                               nullptr, nullptr);
  bool centredAndAlone = false;
  std::string folder;
  Show({[&](HWND options) { PostClick(options, IDC_OPTIONS_BROWSE); },
        [&](HWND browse) {
          RECT frame = {};
          RECT client = {};
          GetWindowRect(browse, &frame);
          GetClientRect(browse, &client);
          centredAndAlone = frame.left == (GetSystemMetrics(SM_CXSCREEN) - client.right) / 2 &&
                            frame.top == (GetSystemMetrics(SM_CYSCREEN) - client.bottom) / 2 &&
                            !IsWindowEnabled(other) &&
                            FindWindowExA(browse, nullptr, "Static",
                                          "Please select the directory to add") != nullptr;
          // The folder lies on the desktop, the tree's root.
          HWND tree = FindWindowExA(browse, nullptr, WC_TREEVIEWA, nullptr);
          HTREEITEM root = TreeView_GetRoot(tree);
          TreeView_Expand(tree, root, TVE_EXPAND);
          for (HTREEITEM item = TreeView_GetChild(tree, root); item;
               item = TreeView_GetNextSibling(tree, item)) {
            if (TreeItemText(tree, item) == "KelvaneChosen") TreeView_SelectItem(tree, item);
          }
          PostClick(browse, IDOK);
        },
        [&](HWND options) {
          folder = WindowText(GetDlgItem(options, IDC_OPTIONS_FOLDER));
          centredAndAlone &= IsWindowEnabled(other) != FALSE;
          PostClick(options, IDCANCEL);
        }});
  DestroyWindow(other);
  RemoveDirectoryA(chosen.c_str());
  EXPECT_TRUE(centredAndAlone);
  EXPECT_EQ(folder, chosen);
}

}  // namespace
}  // namespace kelvane
