// Texts measured as they are drawn in a font, the one way the windows size to their texts.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>

#include "platform/win32/Win32Handles.h"

namespace kelvane {

class TextMeter {
 public:
  // On the window's device context (the screen's for none), in the window's own font.
  explicit TextMeter(HWND window);
  TextMeter(HWND window, HGDIOBJ font);
  // On a device context the caller holds, as while painting.
  TextMeter(HDC dc, HGDIOBJ font);
  TextMeter(const TextMeter&) = delete;
  TextMeter& operator=(const TextMeter&) = delete;

  SIZE Extent(const std::string& text) const;
  int Width(const std::string& text) const { return Extent(text).cx; }
  // As a control draws its caption, where an & marks the access key and takes no room.
  int CaptionWidth(const std::string& caption) const;
  // The advance of each of the first 256 characters of Unicode, and of any one character.
  std::array<int, 256> CharacterAdvances() const;
  int Advance(char32_t character) const;

 private:
  std::optional<WindowDc> windowDc_;
  HDC dc_;
  SelectedObject font_;
};

// Widths summed from each character's advance, asked once: a list view draws its texts so, and
// measuring a hundred thousand texts one by one would be far too slow.
class CharacterWidths {
 public:
  // In the window's own font.
  explicit CharacterWidths(HWND window)
      : window_(window), advances_(TextMeter(window).CharacterAdvances()) {}
  int Width(const std::string& text) const;

 private:
  HWND window_;
  std::array<int, 256> advances_;
  // Other characters, asked the first time they come.
  mutable std::map<char32_t, int> others_;
};

}  // namespace kelvane
