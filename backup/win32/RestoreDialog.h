// The restore window: lists the backup files of a folder, imports the chosen one with the
// registry editor and checks that everything came back, and deletes backup files.
#pragma once

#include <string>
#include <vector>

#include "backup/BackupListing.h"
#include "editor/EditorCommands.h"
#include "global/Settings.h"
#include "global/win32/ListViewControl.h"
#include "global/win32/ModalDialog.h"

namespace kelvane {

class RestoreDialog : public ModalDialog {
 public:
  // The settings give the backup folder, DeleteBackupFile and the language; they stay as they
  // are, whatever folder the user browses to.
  RestoreDialog(EditorContext& context, const Settings& settings);
  // IDCANCEL; nothing else is read.
  INT_PTR ShowModal(HWND owner);

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnTranslated() override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnNotify(const NMHDR& header) override;
  bool OnPrivateMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void MakeColumns();
  void LayOutButtons();
  void ListFolder();
  // A column too narrow for a date in the system's format grows; none shrinks.
  void WidenColumnsToTheirTexts();
  void UpdateActions();
  void OnRestore();
  void OnDelete();
  // Takes the row out of the list, selecting the one that moved into its place.
  void RemoveRow(int row);
  void OnBrowse();

  EditorContext& context_;
  const Settings& settings_;
  std::string folder_;
  ListViewControl list_;
  std::vector<BackupFileEntry> rows_;  // in list order
};

}  // namespace kelvane
