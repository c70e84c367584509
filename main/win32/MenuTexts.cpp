#include "main/win32/MenuTexts.h"

#include "main/win32/MainWindowIds.h"
#include "platform/win32/WideText.h"

namespace kelvane {
namespace {

struct NamedItem {
  UINT id;
  const char* name;
};

constexpr const char* kMenuBarNames[] = {"miFile", "miAction", "miEdit", "miLanguage",
                                         "miHelpMenu"};

constexpr NamedItem kCommandNames[] = {
    {ID_BACKUP_FULL_REGISTRY, "miBackupFullRegistry"},
    {ID_WINDOWS_BACKUP, "miWindowsBackup"},
    {ID_STARTUP_MANAGER, "miStartupManager"},
    {ID_EXIT, "miExit"},
    {ID_SCAN_REGISTRY, "miScanRegistry"},
    {ID_REPAIR_REGISTRY, "miRepairRegistry"},
    {ID_RESTORE_REGISTRY, "miRestoreRegistry"},
    {ID_SELECT_ALL, "miSelectAll"},
    {ID_SELECT_ALL_TYPE, "miSelectAllType"},
    {ID_SELECT_NONE, "miSelectNone"},
    {ID_SELECT_NONE_TYPE, "miSelectNoneType"},
    {ID_IGNORE_LIST_ADD, "miIgnoreListAdd"},
    {ID_SAVE_TEXT, "miSaveText"},
    {ID_OPEN_REGEDIT, "miOpenRegedit"},
    {ID_OPTIONS, "miOptions"},
    {ID_ONLINE_HELP, "miHelp"},
    {ID_HOME_PAGE, "miHomePage"},
    {ID_ABOUT, "miAbout"},
};

constexpr NamedItem kResultsMenuNames[] = {
    {ID_SELECT_ALL, "pmSelectAll"},
    {ID_SELECT_ALL_TYPE, "pmSelectAllType"},
    {ID_SELECT_NONE, "pmSelectNone"},
    {ID_SELECT_NONE_TYPE, "pmSelectNoneType"},
    {ID_IGNORE_LIST_ADD, "pmIgnoreListAdd"},
    {ID_SAVE_TEXT, "pmSaveText"},
    {ID_OPEN_REGEDIT, "pmOpenRegedit"},
};

// The submenu and position that hold a command; menu functions do not look into submenus
// everywhere.
bool FindCommand(HMENU menu, UINT id, HMENU& holder, UINT& position) {
  const int count = GetMenuItemCount(menu);
  for (int index = 0; index < count; ++index) {
    if (HMENU submenu = GetSubMenu(menu, index)) {
      if (FindCommand(submenu, id, holder, position)) return true;
    } else if (GetMenuItemID(menu, index) == id) {
      holder = menu;
      position = static_cast<UINT>(index);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string MenuCaption(HMENU menu, UINT item, bool byPosition) {
  if (!byPosition && !FindCommand(menu, item, menu, item)) return {};
  wchar_t buffer[256] = {};
  GetMenuStringW(menu, item, buffer, 256, MF_BYPOSITION);
  std::string caption = Utf8(buffer);
  const auto tab = caption.find('\t');
  return tab == std::string::npos ? caption : caption.substr(0, tab);
}

void SetMenuCaption(HMENU menu, UINT item, bool byPosition, const std::string& caption) {
  if (!byPosition && !FindCommand(menu, item, menu, item)) return;
  wchar_t buffer[256] = {};
  GetMenuStringW(menu, item, buffer, 256, MF_BYPOSITION);
  const std::string old = Utf8(buffer);
  const auto tab = old.find('\t');
  const std::string text = tab == std::string::npos ? caption : caption + old.substr(tab);
  // Only the text changes: the item keeps its state and the submenu it opens.
  std::wstring wide = Wide(text);
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = &wide[0];
  SetMenuItemInfoW(menu, item, TRUE, &info);
}

void DescribeMenus(HMENU menuBar, HMENU resultsMenu, std::vector<WindowComponent>& components) {
  for (UINT position = 0; position < 5; ++position) {
    components.push_back(
        {kMenuBarNames[position], ComponentKind::MenuItem, {MenuCaption(menuBar, position, true)}});
  }
  for (const NamedItem& item : kCommandNames) {
    components.push_back(
        {item.name, ComponentKind::MenuItem, {MenuCaption(menuBar, item.id, false)}});
  }
  for (const NamedItem& item : kResultsMenuNames) {
    components.push_back(
        {item.name, ComponentKind::MenuItem, {MenuCaption(resultsMenu, item.id, false)}});
  }
}

void ApplyMenuTexts(HMENU menuBar, HMENU resultsMenu, const std::vector<WindowComponent>& components,
                    std::size_t first) {
  std::size_t next = first;
  for (UINT position = 0; position < 5; ++position) {
    SetMenuCaption(menuBar, position, true, components.at(next++).texts.at(0));
  }
  for (const NamedItem& item : kCommandNames) {
    SetMenuCaption(menuBar, item.id, false, components.at(next++).texts.at(0));
  }
  for (const NamedItem& item : kResultsMenuNames) {
    SetMenuCaption(resultsMenu, item.id, false, components.at(next++).texts.at(0));
  }
}

}  // namespace kelvane
