#include "global/win32/TextMeasure.h"

#include "platform/Utf8.h"
#include "platform/win32/WideText.h"

namespace kelvane {

TextMeter::TextMeter(HWND window)
    : TextMeter(window, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0))) {}

TextMeter::TextMeter(HWND window, HGDIOBJ font)
    : windowDc_(std::in_place, window), dc_(windowDc_->get()), font_(dc_, font) {}

TextMeter::TextMeter(HDC dc, HGDIOBJ font) : dc_(dc), font_(dc, font) {}

SIZE TextMeter::Extent(const std::string& text) const {
  SIZE extent = {};
  const std::wstring wide = Wide(text);
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent;
}

int TextMeter::CaptionWidth(const std::string& caption) const {
  RECT area = {};
  DrawTextW(dc_, Wide(caption).c_str(), -1, &area, DT_CALCRECT | DT_SINGLELINE);
  return area.right;
}

std::array<int, 256> TextMeter::CharacterAdvances() const {
  std::array<int, 256> advances{};
  GetCharWidth32W(dc_, 0, 255, advances.data());
  return advances;
}

int TextMeter::Advance(char32_t character) const {
  std::string text;
  AppendUtf8(text, character);
  return Width(text);
}

int CharacterWidths::Width(const std::string& text) const {
  int width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char32_t character = NextCodePoint(text, i);
    if (character < advances_.size()) {
      width += advances_[character];
      continue;
    }
    auto found = others_.find(character);
    if (found == others_.end()) {
      found = others_.emplace(character, TextMeter(window_).Advance(character)).first;
    }
    width += found->second;
  }
  return width;
}

}  // namespace kelvane
