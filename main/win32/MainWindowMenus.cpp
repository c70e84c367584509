// The main window's menus: what they enable, the language menu and the commands they give.
#include "global/Addresses.h"
#include "global/win32/FittedMessageBox.h"
#include "main/LanguageMenu.h"
#include "main/win32/AboutDialog.h"
#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"
#include "options/win32/OptionsDialog.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32System.h"
#include "startup/win32/StartupManagerDialog.h"

namespace kelvane {

void MainWindow::FillLanguageMenu() {
  while (GetMenuItemCount(languageMenu_) > 0) DeleteMenu(languageMenu_, 0, MF_BYPOSITION);
  languageItems_.clear();
  const std::optional<std::size_t> ticked = LanguageItemToTick(settings_.languageName);
  for (const LanguageMenuEntry& entry :
       LanguageMenuEntries(files_, profiles_, programFolder_, languageCaptions_)) {
    if (entry.caption.empty()) {
      AppendMenuW(languageMenu_, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT flags = MF_STRING | (ticked == entry.item ? MF_CHECKED : MF_UNCHECKED);
    AppendMenuW(languageMenu_, flags, ID_LANGUAGE_FIRST + entry.item, Wide(entry.caption).c_str());
    languageItems_.push_back(entry.item);
  }
}

void MainWindow::OnLanguage(std::size_t item) {
  const LanguageChoice choice = ChooseLanguage(settings_, files_, programFolder_, item);
  if (!choice.switched) {
    FittedMessageBox(handle_, choice.missingFileMessage, MB_OK);
    return;
  }
  TranslateFrom(settings_.languageName);
  FitLeftColumn();
  UpdateStatusCounts();
  const std::string stale =
      StaleLanguageFileMessage(profiles_, language_, programFolder_, settings_.languageName);
  if (!stale.empty()) FittedMessageBox(handle_, stale, MB_OK | MB_ICONINFORMATION);
}

void MainWindow::ShowResultsMenu(POINT screenPoint) {
  OnInitMenuPopup(resultsMenu_);
  TrackPopupMenu(resultsMenu_, TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, handle_, nullptr);
}

void MainWindow::OnInitMenuPopup(HMENU menu) {
  if (menu == languageMenu_) {
    FillLanguageMenu();
    return;
  }
  const bool hasCurrent = listView_->CurrentRow() >= 0;
  const UINT ofType = MF_BYCOMMAND | (hasCurrent ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(menu, ID_SELECT_ALL_TYPE, ofType);
  EnableMenuItem(menu, ID_SELECT_NONE_TYPE, ofType);
  // One rule for both commands on the current row.
  const UINT registryRow =
      MF_BYCOMMAND |
      (HasCurrentRegistryRow(results_, listView_->CurrentRow()) ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(menu, ID_IGNORE_LIST_ADD, registryRow);
  EnableMenuItem(menu, ID_OPEN_REGEDIT, registryRow);
  EnableMenuItem(menu, ID_SAVE_TEXT, MF_BYCOMMAND | (results_.Empty() ? MF_GRAYED : MF_ENABLED));
}

void MainWindow::OnCommand(int id) {
  if (id >= ID_LANGUAGE_FIRST &&
      id < ID_LANGUAGE_FIRST + static_cast<int>(kLanguageMenuItemCount)) {
    OnLanguage(static_cast<std::size_t>(id - ID_LANGUAGE_FIRST));
    return;
  }
  switch (id) {
    case ID_BACKUP_FULL_REGISTRY: OnBackupFullRegistry(); break;
    case ID_WINDOWS_BACKUP: StartWindowsBackup(editorContext_); break;
    case ID_EXIT: PostMessageW(handle_, WM_CLOSE, 0, 0); break;
    case ID_SCAN_REGISTRY: OnScan(); break;
    case ID_REPAIR_REGISTRY: OnRepair(); break;
    case ID_RESTORE_REGISTRY: OnRestore(); break;
    case ID_SELECT_ALL: TickRows(true, false); break;
    case ID_SELECT_NONE: TickRows(false, false); break;
    case ID_SELECT_ALL_TYPE: TickRows(true, true); break;
    case ID_SELECT_NONE_TYPE: TickRows(false, true); break;
    case ID_IGNORE_LIST_ADD: OnAddToIgnoreLists(); break;
    case ID_SAVE_TEXT: OnSaveReport(); break;
    case ID_OPTIONS: {
      // The next scan and repair see what OK stored; the file gets it at the end.
      OptionsDialog options(settings_, files_, language_, settings_.languageName);
      options.ShowModal(handle_);
      break;
    }
    case ID_STARTUP_MANAGER: {
      StartupManagerDialog startup(registry_, files_, system_.Version(), language_, settings_.languageName);
      startup.ShowModal(handle_);
      break;
    }
    case ID_OPEN_REGEDIT: OnOpenInRegistryEditor(); break;
    case ID_ONLINE_HELP: OpenAddress(OnlineHelpAddress(settings_.languageName)); break;
    case ID_HOME_PAGE: OpenAddress(addresses::kHomePage); break;
    case ID_ABOUT: {
      AboutDialog about(language_, settings_.languageName,
                        [this] { OpenAddress(addresses::kHelpDocument); });
      about.ShowModal(handle_);
      break;
    }
    default: break;
  }
}

}  // namespace kelvane
