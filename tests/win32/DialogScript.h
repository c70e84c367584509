// What a user does in windows shown modally: a thread timer takes the steps one after another
// inside whatever modal loop runs. A step answers false to be tried again at the next tick.
// A step that waits too long fails the script, which then ends every dialog of the thread so
// the test can go on. Steps post what opens another modal window, never send it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kelvane {

class DialogScript {
 public:
  using Step = std::function<bool()>;

  explicit DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, kTick, &DialogScript::Tick);
  }
  ~DialogScript() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // Every step was taken.
  bool Done() const { return next_ == steps_.size() && !failed_; }
  std::string Progress() const {
    return "step " + std::to_string(next_ + 1) + " of " + std::to_string(steps_.size()) +
           (failed_ ? " waited too long" : "");
  }

 private:
  static constexpr UINT kTick = 25;
  static constexpr int kPatience = 400;

  static BOOL CALLBACK EndDialogOfThread(HWND window, LPARAM) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) == "#32770" && IsWindowVisible(window)) EndDialog(window, IDCANCEL);
    return TRUE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* script = current_;
    if (!script || script->running_) return;
    if (script->failed_) {
      EnumThreadWindows(GetCurrentThreadId(), &EndDialogOfThread, 0);
      return;
    }
    if (script->next_ == script->steps_.size()) return;
    script->running_ = true;
    const bool taken = script->steps_[script->next_]();
    script->running_ = false;
    if (taken) {
      ++script->next_;
      script->waited_ = 0;
    } else if (++script->waited_ > kPatience) {
      script->failed_ = true;
    }
  }

  static inline DialogScript* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int waited_ = 0;
  bool running_ = false;
  bool failed_ = false;
  UINT_PTR timer_ = 0;
};

// Clicks a button the way its owner learns of it, without waiting for what the click opens.
inline void PostClick(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace kelvane
