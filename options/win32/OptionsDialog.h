// The options window: the backup folder and seven switches on the page "General", both ignore
// lists on the page "Ignore Lists". It edits a copy of the settings and stores it only on OK.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "global/Localization.h"
#include "global/Settings.h"
#include "global/win32/ModalDialog.h"
#include "global/win32/TickListView.h"
#include "options/Options.h"
#include "platform/FileSystemAccess.h"

namespace kelvane {

// One ignore list as rows of one column.
class IgnoreRows : public TickListRows {
 public:
  explicit IgnoreRows(std::vector<IgnoreRow>& rows) : rows_(rows) {}
  std::size_t RowCount() const override { return rows_.size(); }
  const std::string& CellText(std::size_t row, int /*column*/) const override {
    return rows_.at(row).text;
  }
  bool RowTicked(std::size_t row) const override { return rows_.at(row).ticked; }
  void SetRowTicked(std::size_t row, bool ticked) override { rows_.at(row).ticked = ticked; }

 private:
  std::vector<IgnoreRow>& rows_;
};

class OptionsDialog : public ModalDialog {
 public:
  // settings changes only on OK.
  OptionsDialog(Settings& settings, FileSystemAccess& files, const Language& language,
                const std::string& currentLanguage);
  // IDOK when the settings were stored; IDCANCEL from Cancel, Escape or the close box.
  INT_PTR ShowModal(HWND owner);

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnTranslated() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header) override;
  void AddPages(int tabControlId, const std::vector<const char*>& captions);
  void ShowPage(int page);
  // Add, Edit and Remove work on the list of the inner page in front.
  IgnoreList TargetList() const;
  TickListView& TargetView();
  void OnOk();
  void OnBrowse();
  void OnAdd();
  void OnEdit();
  void OnRemove();

  Settings& settings_;
  FileSystemAccess& files_;
  const Language& language_;
  std::string currentLanguage_;
  OptionsModel model_;
  IgnoreRows valueRows_{model_.values};
  IgnoreRows keyRows_{model_.keys};
  // Made with the window's lists.
  std::unique_ptr<TickListView> values_;
  std::unique_ptr<TickListView> keys_;
};

}  // namespace kelvane
