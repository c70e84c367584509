// The main window's layout at several sizes and scales, a message box with a long path, and its
// full registry backup.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/win32/ProcessProgressDialogIds.h"
#include "global/win32/Dpi.h"
#include "main/win32/MainWindowIds.h"
#include "platform/RegFile.h"
#include "platform/win32/WideText.h"
#include "resources/resource.h"
#include "tests/win32/DialogSearch.h"
#include "tests/win32/MainWindowFixture.h"
#include "tests/win32/WindowSteps.h"

namespace kelvane {
namespace {

// The list shows six rows at least, the explanation below it six lines of its text.
void ListAndExplanationReadable(HWND list, HWND explanation, const std::string& view) {
  EXPECT_GE(ListView_GetCountPerPage(list), 6) << view;
  const WindowDc dc(explanation);
  const SelectedObject font(dc.get(),
                            reinterpret_cast<HGDIOBJ>(SendMessageW(explanation, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc.get(), &metrics);
  RECT client;
  GetClientRect(explanation, &client);
  EXPECT_GE(client.bottom, 6 * metrics.tmHeight) << view;
}

TEST_F(MainWindowTest, ColumnsAreMeasuredByTheWidestTextNotTheLongest) {
  // Few wide letters against many narrow ones.
  Load(std::string("[") + kTestKey +
       "]\r\n"
       "\"Wide\"=\"C:\\\\KelvaneGone\\\\WWWWWWWWWWWW.exe\"\r\n"
       "\"Narrow\"=\"C:\\\\KelvaneGone\\\\iiiiiiiiiiiiiiiiiiiii.exe\"\r\n");
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  HWND list = window_->ListView().Handle();
  // The first column holds the tick box and the mark of rows for review in front of its text.
  int tickBox = 0;
  int mark = 0;
  int height = 0;
  ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_STATE), &tickBox, &height);
  ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &mark, &height);
  for (int column = 0; column < 3; ++column) {
    int widest = 0;
    for (const ResultRow& row : window_->Results().Rows()) {
      const ProblemRecord& record = row.record;
      const std::string& text = column == 0   ? record.problem
                                : column == 1 ? record.key
                                              : record.value;
      widest = std::max(widest, ListView_GetStringWidth(list, Wide(text).c_str()));
    }
    const int needed = widest + (column == 0 ? tickBox + mark : 0);
    EXPECT_GE(window_->ListView().ContentWidth(column), needed) << column;
    EXPECT_LE(window_->ListView().ContentWidth(column), needed + 16) << column;
  }
}

// At the window's present size and scale: the list and the explanation are readable and no two
// controls overlap; unless the window is at its smallest, Value keeps a third of the list, the
// captions fit and every tree label is whole.
void ExpectLayoutHolds(HWND window, int dpi, const std::string& view, bool smallest = false) {
  HWND list = GetDlgItem(window, IDC_RESULTS_LIST);
  HWND tree = GetDlgItem(window, IDC_CATEGORY_TREE);
  ListAndExplanationReadable(list, GetDlgItem(window, IDC_EXPLANATION), view);
  const int ids[] = {IDC_TASKS_LABEL, ID_SCAN_REGISTRY, ID_REPAIR_REGISTRY, ID_RESTORE_REGISTRY,
                     IDC_SECTIONS_LABEL, IDC_CATEGORY_TREE, IDC_RESULTS_LIST, IDC_EXPLANATION,
                     IDC_STATUS_BAR};
  for (int first : ids) {
    for (int second : ids) {
      RECT overlap;
      const RECT a = ChildRect(GetDlgItem(window, first));
      const RECT b = ChildRect(GetDlgItem(window, second));
      EXPECT_TRUE(first == second || !IntersectRect(&overlap, &a, &b))
          << first << " " << second << view;
    }
  }
  if (smallest) return;
  RECT client;
  GetClientRect(list, &client);
  const int valueLeft = ListView_GetColumnWidth(list, 0) + ListView_GetColumnWidth(list, 1);
  EXPECT_LT(valueLeft, client.right) << view;
  EXPECT_GE(ListView_GetColumnWidth(list, 2), client.right / 3) << view;
  for (int column : {0, 1}) {  // the header keeps six pixels either side of a caption
    const std::string caption = ListColumnCaptions(list).at(column);
    EXPECT_GE(ListView_GetColumnWidth(list, column),
              ListView_GetStringWidth(list, Wide(caption).c_str()) + Scale(12, dpi))
        << caption << view;
  }
  GetClientRect(tree, &client);
  for (HTREEITEM item = TreeView_GetRoot(tree); item;
       item = TreeView_GetNextItem(tree, item, TVGN_NEXTVISIBLE)) {
    RECT text = {};
    TreeView_GetItemRect(tree, item, &text, TRUE);
    EXPECT_LE(text.right, client.right) << TreeItemText(tree, item) << " " << view;
  }
}

// The size a window designed at 96 DPI opens at: scaled, within the work area.
SIZE OpeningSize(int width, int height, int dpi) {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return SIZE{std::min(Scale(width, dpi), static_cast<int>(area.right - area.left)),
              std::min(Scale(height, dpi), static_cast<int>(area.bottom - area.top))};
}

SIZE WindowSize(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(MainWindowTest, ValueColumnTreeLabelsAndExplanationStayReadableAtEverySize) {
  Load(std::string("[") + kTestKey + "\\" + std::string(200, 'K') + "]\r\n"
       "\"Long\"=\"C:\\\\KelvaneGone\\\\long.exe\"\r\n");
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  ASSERT_TRUE(CopyLanguageFiles());
  const int dpi = WindowDpi(window_->Handle());
  // The designed sizes, at 96 DPI, drawn at the scale the tests run at.
  std::vector<std::pair<std::string, SIZE>> views = {{"English", {1200, 850}}};
  for (const std::string& language : ProgramLanguages()) views.push_back({language, {684, 520}});
  views.push_back({"German", {1200, 850}});
  for (const auto& [language, size] : views) {
    if (window_->CurrentSettings().languageName != language) ChooseLanguage(language);
    SetWindowPos(window_->Handle(), nullptr, 0, 0, Scale(size.cx, dpi), Scale(size.cy, dpi),
                 SWP_NOZORDER | SWP_NOMOVE);
    ExpectLayoutHolds(window_->Handle(), dpi, language + std::to_string(size.cx));
  }
  // At the smallest size the window takes, in German.
  SetWindowPos(window_->Handle(), nullptr, 0, 0, 1, 1, SWP_NOZORDER | SWP_NOMOVE);
  ExpectLayoutHolds(window_->Handle(), dpi, "smallest", true);
}

TEST_F(MainWindowTest, OpensAtItsDesignedAndItsStoredSizeTimesTheScaleAndStoresItAt96Dpi) {
  const int dpi = WindowDpi(window_->Handle());
  const SIZE designed = OpeningSize(684, 520, dpi);
  EXPECT_EQ(WindowSize(window_->Handle()).cx, designed.cx) << dpi;
  EXPECT_EQ(WindowSize(window_->Handle()).cy, designed.cy) << dpi;
  window_.reset();
  const std::string file = std::string(kFolder) + "options.ini";
  WriteFile(file, "[Window]\r\nState=1\r\nWidth=720\r\nHeight=560\r\n");
  window_ = std::make_unique<MainWindow>(kFolder, false);
  ASSERT_TRUE(window_->Create());
  window_->Show();
  const SIZE stored = OpeningSize(720, 560, dpi);
  EXPECT_EQ(WindowSize(window_->Handle()).cx, stored.cx) << dpi;
  EXPECT_EQ(WindowSize(window_->Handle()).cy, stored.cy) << dpi;
  SetWindowPos(window_->Handle(), nullptr, 0, 0, Scale(600, dpi), Scale(460, dpi),
               SWP_NOZORDER | SWP_NOMOVE);
  SendMessageW(window_->Handle(), WM_CLOSE, 0, 0);
  const std::string written = ReadFile(file);
  EXPECT_NE(written.find("Width=600"), std::string::npos) << written;
  EXPECT_NE(written.find("Height=460"), std::string::npos) << written;
}

TEST_F(MainWindowTest, MovedToAMonitorOfAnotherScaleItLaysItselfOutAtTheSuggestedSize) {
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  const int dpi = WindowDpi(window_->Handle()) == 96 ? 144 : 96;
  RECT suggested = {20, 10, 20 + Scale(760, dpi), 10 + Scale(560, dpi)};
  SendMessageW(window_->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
  RECT placed;
  GetWindowRect(window_->Handle(), &placed);
  EXPECT_TRUE(EqualRect(&placed, &suggested));
  EXPECT_EQ(window_->Band().Height(), Scale(TitleBand::kHeight, dpi));
  // The buttons' texts take the new scale's font: a caption grows or shrinks with it.
  HWND scan = Child(ID_SCAN_REGISTRY);
  const FontHandle designed = GuiFont(dpi);
  LOGFONTW font = {};
  LOGFONTW expected = {};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(scan, WM_GETFONT, 0, 0)), sizeof(font), &font);
  GetObjectW(designed.get(), sizeof(expected), &expected);
  EXPECT_EQ(font.lfHeight, expected.lfHeight);
  EXPECT_EQ(ChildRect(scan).top, Scale(76, dpi));
  ICONINFO icon = {};
  ASSERT_TRUE(GetIconInfo(
      reinterpret_cast<HICON>(SendMessageW(window_->Handle(), WM_GETICON, ICON_SMALL, 0)), &icon));
  BITMAP mask = {};
  GetObjectW(icon.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, Scale(16, dpi));
  DeleteObject(icon.hbmMask);
  if (icon.hbmColor) DeleteObject(icon.hbmColor);
  // Tick boxes, node images and the mark of rows for review are drawn anew at the scale.
  HWND tree = window_->TreeView().Handle();
  HWND list = window_->ListView().Handle();
  for (HIMAGELIST images :
       {TreeView_GetImageList(tree, TVSIL_STATE), TreeView_GetImageList(tree, TVSIL_NORMAL),
        ListView_GetImageList(list, LVSIL_STATE), ListView_GetImageList(list, LVSIL_SMALL)}) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, Scale(16, dpi));
    EXPECT_EQ(height, Scale(16, dpi));
  }
  ExpectLayoutHolds(window_->Handle(), dpi, "after the change");
}

// The width an icon image of the module was drawn at, whatever it is stored as.
int StoredIconWidth(const BYTE* image) {
  // A PNG image keeps its width in its header, big end first.
  if (image[1] == 'P' && image[2] == 'N' && image[3] == 'G') {
    return image[16] << 24 | image[17] << 16 | image[18] << 8 | image[19];
  }
  return reinterpret_cast<const BITMAPINFOHEADER*>(image)->biWidth;
}

// The pixels the screen shows in the rectangle of the window's client area.
std::vector<COLORREF> Pixels(HWND window, RECT rect) {
  const WindowDc dc(window);
  std::vector<COLORREF> pixels;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) pixels.push_back(GetPixel(dc.get(), x, y));
  }
  return pixels;
}

TEST_F(MainWindowTest, ATickedRowShowsAnotherBoxThanAClearOne) {
  TickOnlyCurrentUser();
  Command(ID_SCAN_REGISTRY);
  ASSERT_GE(window_->Results().Count(), 2u);
  window_->Results().TickAll(true);
  window_->Results().SetTicked(1, false);
  HWND list = window_->ListView().Handle();
  window_->ListView().Refresh();
  UpdateWindow(list);
  int boxWidth = 0;
  int boxHeight = 0;
  ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_STATE), &boxWidth, &boxHeight);
  std::vector<COLORREF> boxes[2];
  for (int row : {0, 1}) {
    RECT bounds = {};
    ListView_GetItemRect(list, row, &bounds, LVIR_BOUNDS);
    boxes[row] = Pixels(list, RECT{bounds.left, bounds.top, bounds.left + boxWidth, bounds.bottom});
  }
  EXPECT_TRUE(boxes[0] != boxes[1]);
}

TEST(ProgramIcon, HasAnImageDrawnAtEverySizeOfTheScalesUpTo200Percent) {
  const HMODULE module = GetModuleHandleW(nullptr);
  HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDI_KELVANE), MAKEINTRESOURCEW(14));
  ASSERT_NE(group, nullptr);  // RT_GROUP_ICON
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
  for (int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(3));  // RT_ICON
    ASSERT_NE(image, nullptr) << size;
    EXPECT_EQ(StoredIconWidth(static_cast<const BYTE*>(LockResource(LoadResource(module, image)))),
              size);
  }
}

TEST_F(MainWindowTest, ABoxWithAVeryLongPathFitsTheScreenAndCtrlCCopiesThePathWhole) {
  const std::string folder = "C:\\kelvane-tests\\" + std::string(2000, 'p') + "\\Backup";
  window_->CurrentSettings().backupFolder = folder;
  ProblemRecord row;
  row.problem = "Problem";
  row.key = std::string(kTestKey) + "\\A";
  row.value = "a.exe";
  window_->Results().Add(row);
  window_->Results().TickAll(true);
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard());
  CloseClipboard();
  HWND box = nullptr;
  RECT boxRect = {};
  std::string copied;
  int ticks = 0;
  WindowSteps steps;
  steps.Set({[&] {
               if (!(box = FindThreadDialogWith(kMessageBoxTextId))) return false;
               GetWindowRect(box, &boxRect);
               const BYTE keys[] = {VK_CONTROL, 'C'};  // Ctrl+C as the keyboard gives it
               for (BYTE key : keys) keybd_event(key, 0, 0, 0);
               for (int key = 1; key >= 0; --key) keybd_event(keys[key], 0, KEYEVENTF_KEYUP, 0);
               return true;
             },
             [&] {  // a while for the keys; then No all the same
               if (!OpenClipboard(nullptr)) return false;
               HANDLE text = GetClipboardData(CF_TEXT);
               copied = text ? static_cast<const char*>(GlobalLock(text)) : "";
               if (text) GlobalUnlock(text);
               CloseClipboard();
               if (copied.empty() && ++ticks < 40) return false;
               Press(box, IDNO);
               return true;
             }});
  Command(ID_REPAIR_REGISTRY);
  EXPECT_EQ(steps.Left(), 0u);
  EXPECT_GE(boxRect.left, 0);
  EXPECT_LE(boxRect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(copied, folder + ",The backup directory does not exist.\r\ncreates a new directory?");
}

TEST_F(MainWindowTest, AFullBackupWritesTheWholeRegistryAndAsksBeforeReplacingIt) {
  // Left in place.
  const std::string chosen = "C:\\kelvane-tests\\full-registry";
  const std::string file = chosen + ".reg";
  DeleteFileA(file.c_str());
  WindowSteps steps;
  const WindowStep choose = [&] {
    HWND dialog = FindThreadDialog("Save full registry");
    if (!dialog) return false;
    // The name box of Wine's dialog, or of the system's.
    HWND name = GetDlgItem(dialog, 0x480) ? GetDlgItem(dialog, 0x480) : GetDlgItem(dialog, 0x47c);
    SetWindowTextA(name, chosen.c_str());
    Press(dialog, IDOK);
    return true;
  };
  bool progressSeen = false;
  steps.Set({choose, [&] {
               progressSeen = progressSeen || FindThreadDialogWith(IDC_PROCESS_PROGRESS_BAR);
               return progressSeen;
             }});
  Command(ID_BACKUP_FULL_REGISTRY);
  EXPECT_EQ(steps.Left(), 0u);
  // A registry export; scripts/test imports it into a fresh prefix.
  const std::string text = ReadFile(file);
  EXPECT_GT(ParseRegFile(text).keys.size(), 1000u);

  // The same name again: the question defaults to No, and No starts nothing.
  std::string question;
  bool noIsDefault = false;
  steps.Set({choose, [&] {
               HWND box = FindThreadDialogWith(kMessageBoxTextId);
               if (!box) return false;
               question = WindowText(GetDlgItem(box, kMessageBoxTextId));
               noIsDefault = (GetWindowLongW(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK) ==
                             BS_DEFPUSHBUTTON;
               Press(box, IDNO);
               return true;
             }});
  Command(ID_BACKUP_FULL_REGISTRY);
  EXPECT_EQ(question, file + " has existed,overite it?");
  EXPECT_TRUE(noIsDefault);
  EXPECT_EQ(ReadFile(file), text);
}

}  // namespace
}  // namespace kelvane
