#include "global/win32/TextMeasure.h"

namespace kelvane {

TextMeter::TextMeter(HWND window)
    : TextMeter(window, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0))) {}

TextMeter::TextMeter(HWND window, HGDIOBJ font)
    : windowDc_(std::in_place, window), dc_(windowDc_->get()), font_(dc_, font) {}

TextMeter::TextMeter(HDC dc, HGDIOBJ font) : dc_(dc), font_(dc, font) {}

SIZE TextMeter::Extent(const std::string& text) const {
  SIZE extent = {};
  GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
  return extent;
}

int TextMeter::CaptionWidth(const std::string& caption) const {
  RECT area = {};
  DrawTextA(dc_, caption.c_str(), -1, &area, DT_CALCRECT | DT_SINGLELINE);
  return area.right;
}

std::array<int, 256> TextMeter::CharacterAdvances() const {
  std::array<int, 256> advances{};
  GetCharWidth32A(dc_, 0, 255, advances.data());
  return advances;
}

int CharacterWidths::Width(const std::string& text) const {
  int width = 0;
  for (const char letter : text) width += advances_[static_cast<unsigned char>(letter)];
  return width;
}

}  // namespace kelvane
