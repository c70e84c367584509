#include "main/win32/AboutDialog.h"

#include <utility>

#include "global/win32/DialogTexts.h"
#include "global/win32/Dpi.h"
#include "main/win32/AboutDialogIds.h"
#include "platform/win32/WideText.h"
#include "resources/resource.h"

namespace kelvane {
namespace {

constexpr SIZE kSeparatorSize = {262, 2};
constexpr COLORREF kLinkColour = RGB(0, 0, 255);

// The banner at the scale: from its source drawn at twice the size where that source decodes to
// it, so that its lettering is never enlarged.
JpegPicture BannerAt(int dpi) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const int eighths = PictureEighths(dpi);
  if (eighths > 8 && eighths % 2 == 0) {
    return JpegPicture::FromResource(module, IDR_ABOUT_BANNER_LARGE, eighths / 2);
  }
  return JpegPicture::FromResource(module, IDR_ABOUT_BANNER, eighths);
}

}  // namespace

AboutDialog::AboutDialog(const Language& language, const std::string& currentLanguage,
                         std::function<void()> openLink)
    : language_(language),
      currentLanguage_(currentLanguage),
      openLink_(std::move(openLink)),
      banner_(JpegPicture::FromResource(GetModuleHandleW(nullptr), IDR_ABOUT_BANNER)) {}

INT_PTR AboutDialog::ShowModal(HWND owner) {
  return DoModal(owner, IDD_ABOUT);
}

void AboutDialog::OnInit() {
  FitToBanner();
  CenterOnOwner();
  // The link shows in the dialog's font, underlined.
  HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  LOGFONTW font;
  if (dialogFont && GetObjectW(dialogFont, sizeof(font), &font)) {
    font.lfUnderline = TRUE;
    linkFont_.reset(CreateFontIndirectW(&font));
  }
}

DialogTranslation AboutDialog::Translation() const {
  return {language_,
          currentLanguage_,
          "frmAbout",
          {{"Label1", IDC_ABOUT_NAME},
           {"Label2", IDC_ABOUT_VERSION},
           {"lCopywrite", IDC_ABOUT_COPYRIGHT},
           {"lbEAddress", IDC_ABOUT_LINK},
           {"bOK", IDOK}}};
}

// The window was designed in pixels, which dialog units only approach with each font: the
// banner sets the width, the separator keeps its designed length, OK stays centred.
void AboutDialog::FitToBanner() {
  const int dpi = WindowDpi(Handle());
  banner_ = BannerAt(dpi);
  if (banner_.Empty()) return;
  RECT client;
  RECT frame;
  GetClientRect(Handle(), &client);
  GetWindowRect(Handle(), &frame);
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left + banner_.Width() - client.right,
               frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Item(IDC_ABOUT_BANNER), nullptr, 0, 0, banner_.Width(), banner_.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(Item(IDC_ABOUT_LINE), nullptr, 0, 0, Scale(kSeparatorSize.cx, dpi),
               Scale(kSeparatorSize.cy, dpi),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT ok;
  GetWindowRect(Item(IDOK), &ok);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&ok), 2);
  SetWindowPos(Item(IDOK), nullptr, (banner_.Width() - (ok.right - ok.left)) / 2, ok.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutDialog::OnCommand(int id, int code, HWND /*control*/) {
  switch (id) {
    case IDOK:
    case IDCANCEL: End(id); break;
    case IDC_ABOUT_LINK:
      // The link also tells of double-clicks; it opens once.
      if (code == STN_CLICKED && openLink_) openLink_();
      break;
    default: break;
  }
}

bool AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID == IDC_ABOUT_LINK) {
        DrawLink(item);
      } else if (item.CtlID == IDC_ABOUT_BANNER) {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        banner_.Draw(item.hDC, item.rcItem.left, item.rcItem.top);
      } else {
        return false;
      }
      return true;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) != Item(IDC_ABOUT_LINK)) return false;
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
      return true;
    default: return false;
  }
}

void AboutDialog::DrawLink(const DRAWITEMSTRUCT& item) const {
  const std::string text = WindowText(item.hwndItem);
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  const SelectedObject selected(item.hDC, linkFont_ ? static_cast<HGDIOBJ>(linkFont_.get())
                                                    : GetCurrentObject(item.hDC, OBJ_FONT));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, kLinkColour);
  const std::wstring wide = Wide(text);
  DrawTextW(item.hDC, wide.c_str(), static_cast<int>(wide.size()), &area,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace kelvane
