// The main window's texts: the translation of every text it shows.
#include "global/win32/DialogTexts.h"
#include "main/LanguageMenu.h"
#include "main/win32/MainWindow.h"
#include "main/win32/MainWindowIds.h"
#include "main/win32/MenuTexts.h"
#include "platform/win32/WideText.h"

namespace kelvane {

void MainWindow::TranslateFrom(const std::string& languageName) {
  // The caption is the product's name and version and is never translated.
  WindowTexts texts{"frmKelvane", kMainWindowCaption, {}};
  const struct {
    const char* name;
    HWND control;
  } captions[] = {{"lTasks", tasksLabel_},
                  {"bScanRegistry", scanButton_},
                  {"bRepairRegistry", repairButton_},
                  {"bRestoreRegistry", restoreButton_},
                  {"lSelectSections", sectionsLabel_}};
  for (const auto& caption : captions) {
    texts.components.push_back(
        {caption.name, ComponentKind::Caption, {captionTips_.Whole(caption.control)}});
  }
  std::string* bandTexts[] = {&titleBand_.title, &titleBand_.hint, &titleBand_.update};
  const char* bandNames[] = {"lTitle", "lTitleHint", "lUpdate"};
  for (int index = 0; index < 3; ++index) {
    texts.components.push_back({bandNames[index], ComponentKind::Caption, {*bandTexts[index]}});
  }
  texts.components.push_back({"tvRegistry", ComponentKind::TreeNodes, treeView_->Texts()});
  texts.components.push_back(
      {"lvRegistryData", ComponentKind::ListColumns, ListColumnCaptions(listView_->Handle())});
  const std::size_t menusStart = texts.components.size();
  DescribeMenus(menu_, resultsMenu_, texts.components);
  const std::size_t languagesStart = texts.components.size();
  const auto& items = LanguageMenuItems();
  for (std::size_t index = 0; index < items.size(); ++index) {
    texts.components.push_back(
        {items[index].component, ComponentKind::MenuItem, {languageCaptions_.at(index)}});
  }

  language_.TranslateWindow(texts, languageName);

  for (std::size_t index = 0; index < std::size(captions); ++index) {
    SetWindowTextW(captions[index].control, Wide(texts.components[index].texts.at(0)).c_str());
  }
  for (int index = 0; index < 3; ++index) {
    *bandTexts[index] = texts.components[std::size(captions) + index].texts.at(0);
  }
  treeView_->SetTexts(texts.components[std::size(captions) + 3].texts);
  SetListColumnCaptions(listView_->Handle(), texts.components[std::size(captions) + 4].texts);
  ApplyMenuTexts(menu_, resultsMenu_, texts.components, menusStart);
  for (std::size_t index = 0; index < items.size(); ++index) {
    languageCaptions_[index] = texts.components[languagesStart + index].texts.at(0);
  }
  // The explanation's labels are in the language.
  listView_->ShowExplanation();
  DrawMenuBar(handle_);
  // The title band is drawn by the window itself: its new texts show only when it is drawn anew.
  InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace kelvane
