#include "main/win32/TitleBand.h"

#include <algorithm>

#include "global/win32/TextMeasure.h"
#include "resources/resource.h"

namespace kelvane {
namespace {

constexpr COLORREF kBandColor = RGB(24, 74, 140);

HFONT DerivedFont(int weight, bool underline, int heightPercent) {
  LOGFONTA font = {};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  font.lfWeight = weight;
  font.lfUnderline = underline ? TRUE : FALSE;
  font.lfHeight = font.lfHeight * heightPercent / 100;
  return CreateFontIndirectA(&font);
}

SIZE TextSize(HDC dc, const FontHandle& font, const std::string& text) {
  return TextMeter(dc, font.get()).Extent(text);
}

void DrawTextAt(HDC dc, const FontHandle& font, COLORREF colour, int x, int y,
                const std::string& text) {
  const SelectedObject selected(dc, font.get());
  SetTextColor(dc, colour);
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

TitleBand::TitleBand()
    : picture_(JpegPicture::FromResource(GetModuleHandleA(nullptr), IDR_TITLE_BAND)),
      icon_(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_KELVANE),
                                          IMAGE_ICON, 32, 32, 0))),
      updateIcon_(static_cast<HICON>(
          LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 16, 16, LR_SHARED))),
      titleFont_(DerivedFont(FW_BOLD, false, 160)),
      textFont_(DerivedFont(FW_NORMAL, false, 100)),
      linkFont_(DerivedFont(FW_NORMAL, true, 100)) {}

int TitleBand::MinimumWidth(HDC dc) const {
  const int texts = std::max(TextSize(dc, titleFont_, title).cx, TextSize(dc, textFont_, hint).cx);
  // The texts start at 52; the link's icon stands 25 before it and the link ends 20 from the edge.
  return 52 + texts + 16 + 25 + TextSize(dc, linkFont_, update).cx + 20;
}

RECT TitleBand::LinkRect(HDC dc, int width) const {
  const SIZE size = TextSize(dc, linkFont_, update);
  const int left = width - size.cx - 20;
  return RECT{left, 18, left + size.cx, 18 + size.cy};
}

void TitleBand::Paint(HDC dc, int width) const {
  // The picture is wide; a wider window continues in the band's colour.
  const BrushHandle band(CreateSolidBrush(kBandColor));
  RECT all = {0, 0, width, kHeight};
  FillRect(dc, &all, band.get());
  picture_.Draw(dc, 0, 0);
  if (icon_) DrawIconEx(dc, 8, 9, icon_.get(), 32, 32, 0, nullptr, DI_NORMAL);
  SetBkMode(dc, TRANSPARENT);
  DrawTextAt(dc, titleFont_, RGB(255, 255, 255), 52, 6, title);
  DrawTextAt(dc, textFont_, RGB(255, 255, 255), 52, 29, hint);
  const RECT link = LinkRect(dc, width);
  DrawTextAt(dc, linkFont_, RGB(255, 230, 120), link.left, link.top, update);
  if (updateIcon_) {
    DrawIconEx(dc, link.left - 25, link.top, updateIcon_, 16, 16, 0, nullptr, DI_NORMAL);
  }
}

}  // namespace kelvane
