// The explanation of the focused row below the results list, the row's tip, and the rows for
// review: marked, and ticked after a scan only when the setting says so.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "global/win32/DialogTexts.h"
#include "main/win32/MainWindowIds.h"
#include "platform/win32/WideText.h"
#include "tests/win32/ListViewRows.h"
#include "tests/win32/MainWindowFixture.h"

namespace kelvane {
namespace {

class ExplainedRows : public MainWindowTest {
 protected:
  HWND List() const { return window_->ListView().Handle(); }
  int RowOf(const std::string& name) const {
    const auto& rows = window_->Results().Rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
      if (rows[row].record.key == std::string(kTestKey) + "\\" + name) return static_cast<int>(row);
    }
    return -1;
  }
  // The row's text in the box below the list, after the list focused it.
  std::string Explained(int row) {
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0) ListView_SetItemState(List(), row, LVIS_FOCUSED, LVIS_FOCUSED);
    return WindowText(Child(IDC_EXPLANATION));
  }
};

TEST_F(ExplainedRows, TheFocusedRowIsExplainedWholeInABoxThatCopiesAndInItsTip) {
  // A long value name makes a long key, which its cell cannot hold.
  const std::string name = "Long" + std::string(200, 'y') + "End";
  const std::string missing = "C:\\KelvaneGone\\" + std::string(300, 'x') + "\\end.exe";
  Load(std::string("[") + kTestKey + "]\r\n\"" + name + "\"=\"C:\\\\KelvaneGone\\\\" +
       std::string(300, 'x') + "\\\\end.exe\"\r\n");
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  const int row = RowOf(name);
  HWND box = Child(IDC_EXPLANATION);
  EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & ES_READONLY);
  EXPECT_EQ(GetNextDlgTabItem(window_->Handle(), List(), FALSE), box);

  const std::string reason = "Neither a file nor a folder \"" + missing + "\" exists.\r\n";
  const std::string text = Explained(row);
  EXPECT_EQ(text.rfind(reason, 0), 0u) << text;
  EXPECT_NE(text.find("\r\nKey: " + std::string(kTestKey) + "\\" + name + "\r\n"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - missing.size() - 9), "\r\nValue: " + missing);
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
  CloseClipboard();
  SendMessageW(box, EM_SETSEL, 0, -1);
  SendMessageW(box, WM_COPY, 0, 0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE copied = GetClipboardData(CF_TEXT);
  EXPECT_EQ(copied ? static_cast<const char*>(GlobalLock(copied)) : "", text);
  if (copied) GlobalUnlock(copied);
  CloseClipboard();

  // The key's cell keeps the root, abbreviated, and the end of the key.
  const std::string cell = ListCell(List(), row, 1);
  EXPECT_TRUE(cell.rfind("HKCU\\", 0) == 0 && cell.find("...") != std::string::npos &&
              cell.substr(cell.size() - 4) == "yEnd")
      << cell;
  wchar_t wideTip[1024] = {};
  NMLVGETINFOTIPW request = {};
  request.hdr.hwndFrom = List();
  request.hdr.code = LVN_GETINFOTIPW;
  request.iItem = row;
  request.pszText = wideTip;
  request.cchTextMax = 1024;
  SendMessageW(window_->Handle(), WM_NOTIFY, IDC_RESULTS_LIST, reinterpret_cast<LPARAM>(&request));
  const std::string tip = Utf8(wideTip);
  EXPECT_EQ(tip.rfind(reason + "Class: certain - ", 0), 0u) << tip;
  EXPECT_EQ(Explained(-1), "");
}

TEST_F(ExplainedRows, RowsForReviewAreMarkedAndTickedOnlyWhenTheSettingSays) {
  // D: is a CD drive: what is missing there is not certain.
  window_->CurrentSettings().judgeCdDrives = true;
  Load(std::string("[") + kTestKey + "]\r\n\"D\"=\"D:\\\\KelvaneGone\\\\d.exe\"\r\n");
  TickOnlyCurrentUser();
  for (const bool tickReview : {false, true}) {
    window_->CurrentSettings().tickReviewRows = tickReview;
    Command(ID_SCAN_REGISTRY);
    for (const char* name : {"A", "D"}) {
      const bool review = name[0] == 'D';
      LVITEMA item = {};
      item.mask = LVIF_IMAGE;
      item.iItem = RowOf(name);
      SendMessageW(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(item.iImage, review ? 0 : I_IMAGENONE) << name;
      bool ticked = false;
      ListCell(List(), item.iItem, 0, &ticked);
      EXPECT_EQ(ticked, !review || tickReview) << name;
    }
    EXPECT_NE(Explained(RowOf("D")).find("\r\nClass: review - the path could not be checked"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace kelvane
