// The main window: the category tree, the results list with the explanation of its current row,
// the status bar with the two counts, and the menus through which every function is reached.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "editor/EditorCommands.h"
#include "global/Localization.h"
#include "global/ProductTitle.h"
#include "global/Settings.h"
#include "global/win32/CaptionTips.h"
#include "global/win32/Dpi.h"
#include "global/win32/WindowMessages.h"
#include "main/win32/TitleBand.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32ProfileStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32System.h"
#include "repair/RepairRun.h"
#include "results/IgnoreLists.h"
#include "results/ResultsModel.h"
#include "results/win32/ResultsListView.h"
#include "scan/CategoryTree.h"
#include "scan/win32/CategoryTreeView.h"

namespace kelvane {

constexpr wchar_t kMainWindowClass[] = L"Tessaly Kelvane Made by Tessaly Software";
// The product's name and version; never translated.
constexpr char kMainWindowCaption[] = "Tessaly Kelvane 2.6";

class MainWindow {
 public:
  // programFolder holds options.ini and the language files; it ends with a backslash.
  MainWindow(std::string programFolder, bool cleanOnce);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window (hidden); false when it cannot be made.
  bool Create();
  void Show();
  HWND Handle() const { return handle_; }

  // For tests and the entry point.
  ResultsModel& Results() { return results_; }
  CategoryTree& Tree() { return tree_; }
  CategoryTreeView& TreeView() { return *treeView_; }
  ResultsListView& ListView() { return *listView_; }
  Settings& CurrentSettings() { return settings_; }
  const TitleBand& Band() const { return titleBand_; }

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  // The controls' font and the title band at the window's DPI.
  void SetControlFonts();
  // Moved to a monitor of another scale: laid out again at the size the system suggests.
  void OnDpiChanged(int dpi, const RECT& suggested);
  // A designed 96-DPI length at the window's DPI.
  int Px(int designed) const { return Scale(designed, dpi_); }
  void OnShow();
  void SaveWindowSettings();
  void ArrangeControls();
  // Buttons fit their captions and the left column its longest text; then the layout.
  void FitLeftColumn();
  int LeftColumnRight() const;
  // The smallest window in which nothing overlaps.
  POINT MinimumSize() const;
  void OnCommand(int id);
  void OnInitMenuPopup(HMENU menu);
  bool OnNotify(const NMHDR& header, LRESULT& result);
  void ShowResultsMenu(POINT screenPoint);

  // False when a category failed and the scan ended early.
  bool OnScan();
  // Scans the tasks into the emptied list; false when the scan failed. After a repair it
  // checks the categories the repair touched, without the sound at its end.
  bool ScanTasks(const std::vector<ScanCategory>& tasks, bool afterRepair);
  // Returns how many rows the check found.
  std::size_t CheckAfterRepair(const std::vector<ScanCategory>& categories);
  RepairOutcome OnRepair();
  void UpdateStatusCounts();
  void TickRows(bool ticked, bool ofType);
  void OnAddToIgnoreLists();
  void OnBackupFullRegistry();
  void OnRestore();
  void OnOpenInRegistryEditor();
  void OnSaveReport();
  void FillLanguageMenu();
  void OnLanguage(std::size_t item);
  void TranslateFrom(const std::string& languageName);
  bool OnUpdateLink(POINT point) const;
  void OpenAddress(const std::string& address);
  void RunCleanOnce();

  std::string programFolder_;
  bool cleanOnce_;
  bool scanIncomplete_ = false;  // the last scan ended early with an error
  bool repairing_ = false;
  bool closeAfterRepair_ = false;  // the window was closed during the repair
  std::atomic<bool> stopRepair_{false};  // ends the repair after its group in hand
  int exitCode_ = 0;
  int dpi_ = 96;
  int leftColumnNeed_ = 0;     // what the left column's texts need, in pixels
  std::array<int, 3> buttonNeeds_{};  // what each task button's caption needs, in pixels
  std::size_t hiddenRows_ = 0;  // rows of the last scan that the ignore lists or leftovers hide
  Win32Registry registry_;
  Win32FileSystem files_;
  Win32ProfileStore profiles_;
  Win32System system_;
  Win32ProcessStarter processes_;
  Settings settings_;
  Language language_;
  EditorContext editorContext_{registry_, files_, system_, processes_, language_};
  CategoryTree tree_;
  ResultsModel results_;
  Leftovers leftovers_;
  HWND handle_ = nullptr;
  HMENU menu_ = nullptr;
  HMENU languageMenu_ = nullptr;
  MenuHandle resultsMenuBar_;
  HMENU resultsMenu_ = nullptr;
  std::vector<std::string> languageCaptions_;  // by language table index, as translated
  std::vector<std::size_t> languageItems_;     // language table index of each shown menu item
  std::unique_ptr<CategoryTreeView> treeView_;
  std::unique_ptr<ResultsListView> listView_;
  HWND status_ = nullptr;
  FontHandle font_;  // of the controls, at the window's DPI
  IconHandle smallIcon_;
  IconHandle bigIcon_;
  HWND tasksLabel_ = nullptr;
  HWND sectionsLabel_ = nullptr;
  HWND scanButton_ = nullptr;
  HWND repairButton_ = nullptr;
  HWND restoreButton_ = nullptr;
  TitleBand titleBand_;
  CaptionTips captionTips_;
};

}  // namespace kelvane
