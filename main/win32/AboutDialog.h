// The about window: banner, program icon, product name, version, notice and a link.
#pragma once

#include <functional>
#include <string>

#include "global/Localization.h"
#include "global/win32/JpegPicture.h"
#include "global/win32/ModalDialog.h"

namespace kelvane {

class AboutDialog : public ModalDialog {
 public:
  // openLink runs when the link is clicked; the window does not know what it leads to.
  AboutDialog(const Language& language, const std::string& currentLanguage,
              std::function<void()> openLink);
  // IDOK from the OK button, IDCANCEL from the close box or Escape.
  INT_PTR ShowModal(HWND owner);
  const JpegPicture& Banner() const { return banner_; }

 private:
  void OnInit() override;
  DialogTranslation Translation() const override;
  void OnCommand(int id, int code, HWND control) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FitToBanner();
  void DrawLink(const DRAWITEMSTRUCT& item) const;

  const Language& language_;
  std::string currentLanguage_;
  std::function<void()> openLink_;
  JpegPicture banner_;
  FontHandle linkFont_;
};

}  // namespace kelvane
