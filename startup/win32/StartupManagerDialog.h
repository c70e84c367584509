// The startup manager's window: the programs started at logon, ticked and deleted.
#pragma once

#include <memory>
#include <string>

#include "global/Localization.h"
#include "global/win32/ModalDialog.h"
#include "global/win32/TickListView.h"
#include "platform/FileSystemAccess.h"
#include "platform/RegistryStore.h"
#include "platform/WindowsVersion.h"
#include "startup/StartupManager.h"

namespace kelvane {

// The startup list as rows of three columns: program, file, location.
class StartupRows : public TickListRows {
 public:
  explicit StartupRows(StartupList& list) : list_(list) {}
  std::size_t RowCount() const override { return list_.Rows().size(); }
  const std::string& CellText(std::size_t row, int column) const override;
  bool RowTicked(std::size_t row) const override { return list_.Rows().at(row).ticked; }
  void SetRowTicked(std::size_t row, bool ticked) override { list_.SetTicked(row, ticked); }

 private:
  StartupList& list_;
};

class StartupManagerDialog : public ModalDialog {
 public:
  StartupManagerDialog(RegistryStore& registry, FileSystemAccess& files, WindowsVersion version,
                       const Language& language, const std::string& currentLanguage);
  // Fills the list afresh; IDCANCEL from Close, Escape or the close box.
  INT_PTR ShowModal(HWND owner);

 private:
  void OnInit() override;
  void OnTranslated() override;
  DialogTranslation Translation() const override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header) override;
  void Fill();
  void TickAll(bool ticked);
  void OnDeleteEntry();

  RegistryStore& registry_;
  FileSystemAccess& files_;
  WindowsVersion version_;
  const Language& language_;
  std::string currentLanguage_;
  StartupList list_;
  StartupRows rows_{list_};
  std::unique_ptr<TickListView> view_;  // made with the window's list
};

}  // namespace kelvane
