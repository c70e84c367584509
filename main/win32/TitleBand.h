// The band across the top of the main window: the title picture, the program icon, the
// product name, the hint line and the update link, drawn by the window itself so the texts
// lie over the picture.
#pragma once

#include <windows.h>

#include <string>

#include "global/win32/JpegPicture.h"
#include "platform/win32/Win32Handles.h"

namespace kelvane {

class TitleBand {
 public:
  // At 96 DPI.
  static constexpr int kHeight = 50;

  // At the system's DPI until told another.
  TitleBand();
  // Fonts, icons and picture for a window at that DPI.
  void SetDpi(int dpi);
  int Height() const;

  void Paint(HDC dc, int width) const;
  // The narrowest band in which the update link stays clear of the hint line.
  int MinimumWidth(HDC dc) const;
  // Where the update link is drawn in a window of that width.
  RECT LinkRect(HDC dc, int width) const;

  // Translatable texts.
  std::string title = "Kelvane";
  std::string hint = "Scan and repair your registry to improve PC performance";
  std::string update = "Check for update now...";

 private:
  int dpi_ = 96;
  JpegPicture picture_;
  IconHandle icon_;
  IconHandle updateIcon_;
  FontHandle titleFont_;
  FontHandle textFont_;
  FontHandle linkFont_;
};

}  // namespace kelvane
