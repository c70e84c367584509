// Captions too long for their control, whatever a language file holds: cut where they end with
// an ellipsis, and shown whole in a tip over the control.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace kelvane {

class CaptionTips {
 public:
  CaptionTips() = default;
  ~CaptionTips();
  CaptionTips(const CaptionTips&) = delete;
  CaptionTips& operator=(const CaptionTips&) = delete;

  // Every button and static of the window shows its caption whole where it fits, cut and whole
  // in a tip where not; a caption cut before counts whole.
  void FitAll(HWND window);
  // The control's caption, whole even where it shows cut.
  std::string Whole(HWND control) const;

 private:
  void Fit(HWND control, const std::string& whole);
  void SetTip(HWND control, const std::string& text);

  HWND tip_ = nullptr;
  struct Caption {
    std::string whole;
    std::string shown;
  };
  std::map<HWND, Caption> cut_;
};

// The text drawn as the control draws its caption, within the room it gives it: false for
// controls whose text is no caption (edits, lists, pictures) and those that cut it themselves.
bool CaptionRoom(HWND control, RECT& room, UINT& format);

}  // namespace kelvane
