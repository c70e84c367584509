// The main window's menu items by their component names, for translation.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "global/Localization.h"

namespace kelvane {

// Appends a MenuItem component for every named item of the menu bar and the results menu.
void DescribeMenus(HMENU menuBar, HMENU resultsMenu, std::vector<WindowComponent>& components);
// Sets the captions that DescribeMenus described, in the same order, keeping shortcut texts.
void ApplyMenuTexts(HMENU menuBar, HMENU resultsMenu, const std::vector<WindowComponent>& components,
                    std::size_t first);

// An item's caption without its shortcut text, and setting it back with the shortcut kept.
std::string MenuCaption(HMENU menu, UINT item, bool byPosition);
void SetMenuCaption(HMENU menu, UINT item, bool byPosition, const std::string& caption);

}  // namespace kelvane
