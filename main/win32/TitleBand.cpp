#include "main/win32/TitleBand.h"

#include <algorithm>

#include "global/win32/Dpi.h"
#include "global/win32/TextMeasure.h"
#include "platform/win32/WideText.h"
#include "resources/resource.h"

namespace kelvane {
namespace {

constexpr COLORREF kBandColor = RGB(24, 74, 140);

SIZE TextSize(HDC dc, const FontHandle& font, const std::string& text) {
  return TextMeter(dc, font.get()).Extent(text);
}

void DrawTextAt(HDC dc, const FontHandle& font, COLORREF colour, int x, int y,
                const std::string& text) {
  const SelectedObject selected(dc, font.get());
  SetTextColor(dc, colour);
  const std::wstring wide = Wide(text);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

}  // namespace

TitleBand::TitleBand() { SetDpi(SystemDpi()); }

void TitleBand::SetDpi(int dpi) {
  dpi_ = dpi;
  const HINSTANCE module = GetModuleHandleW(nullptr);
  // The picture is decoded at the nearest eighth of the scale; Paint stretches what is left.
  picture_ = JpegPicture::FromResource(module, IDR_TITLE_BAND, PictureEighths(dpi));
  icon_ = ScaledIcon(module, MAKEINTRESOURCEW(IDI_KELVANE), 32, dpi);
  updateIcon_ = ScaledIcon(nullptr, MAKEINTRESOURCEW(32516), 16, dpi);
  titleFont_ = GuiFont(dpi, 160, FW_BOLD);
  textFont_ = GuiFont(dpi);
  linkFont_ = GuiFont(dpi, 100, FW_NORMAL, true);
}

int TitleBand::Height() const { return Scale(kHeight, dpi_); }

int TitleBand::MinimumWidth(HDC dc) const {
  const int texts = std::max(TextSize(dc, titleFont_, title).cx, TextSize(dc, textFont_, hint).cx);
  // The texts start at 52; the link's icon stands 25 before it and the link ends 20 from the edge.
  return Scale(52 + 16 + 25 + 20, dpi_) + texts + TextSize(dc, linkFont_, update).cx;
}

RECT TitleBand::LinkRect(HDC dc, int width) const {
  const SIZE size = TextSize(dc, linkFont_, update);
  const int left = width - size.cx - Scale(20, dpi_);
  const int top = Scale(18, dpi_);
  return RECT{left, top, left + size.cx, top + size.cy};
}

void TitleBand::Paint(HDC dc, int width) const {
  // The picture is wide; a wider window continues in the band's colour.
  const BrushHandle band(CreateSolidBrush(kBandColor));
  RECT all = {0, 0, width, Height()};
  FillRect(dc, &all, band.get());
  picture_.Draw(dc, 0, 0, Height());
  const int iconSize = Scale(32, dpi_);
  const int textLeft = Scale(52, dpi_);
  if (icon_) {
    DrawIconEx(dc, Scale(8, dpi_), Scale(9, dpi_), icon_.get(), iconSize, iconSize, 0, nullptr,
               DI_NORMAL);
  }
  SetBkMode(dc, TRANSPARENT);
  DrawTextAt(dc, titleFont_, RGB(255, 255, 255), textLeft, Scale(6, dpi_), title);
  DrawTextAt(dc, textFont_, RGB(255, 255, 255), textLeft, Scale(29, dpi_), hint);
  const RECT link = LinkRect(dc, width);
  DrawTextAt(dc, linkFont_, RGB(255, 230, 120), link.left, link.top, update);
  if (updateIcon_) {
    const int linkIconSize = Scale(16, dpi_);
    DrawIconEx(dc, link.left - Scale(25, dpi_), link.top, updateIcon_.get(), linkIconSize,
               linkIconSize, 0, nullptr, DI_NORMAL);
  }
}

}  // namespace kelvane
