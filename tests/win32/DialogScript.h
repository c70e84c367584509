// What a user does in windows shown modally: a thread timer takes the steps one after another
// inside whatever modal loop runs, each on the dialog in front, the thread's one visible dialog
// that no other above it has disabled. A script that waits too long ends every dialog of the
// thread, so that the test goes on to fail. Steps post what opens another modal window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kelvane {

class DialogScript {
 public:
  using Step = std::function<void(HWND dialog)>;

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

  bool Done() const { return next_ == steps_.size(); }
  std::string Progress() const { return "stopped before step " + std::to_string(next_ + 1); }

 private:
  static constexpr UINT kTick = 25;
  static constexpr int kPatience = 400;

  // Finds the dialog in front, or, once the script gave up, ends each dialog.
  static BOOL CALLBACK Visit(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    if (current_->waited_ > kPatience) EndDialog(window, IDCANCEL);
    if (IsWindowEnabled(window)) *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* script = current_;
    if (!script || script->running_ || script->Done()) return;
    HWND front = nullptr;
    ++script->waited_;
    EnumThreadWindows(GetCurrentThreadId(), &DialogScript::Visit, reinterpret_cast<LPARAM>(&front));
    if (!front || script->waited_ > kPatience) return;
    script->running_ = true;
    script->steps_[script->next_++](front);
    script->running_ = false;
    script->waited_ = 0;
  }

  static inline DialogScript* current_ = nullptr;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  int waited_ = 0;
  bool running_ = false;
  UINT_PTR timer_ = 0;
};

// A click whose owner learns of it later, so that what it opens does not block the step.
inline void PostClick(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A click on a control that opens no window: a box changes its tick.
inline void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

}  // namespace kelvane
