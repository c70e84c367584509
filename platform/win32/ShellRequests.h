// What requests to the shell and the drives share: the owner of an item id list the shell
// allocated, and the system's critical-error dialogs switched off.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace kelvane {

// An item id list the shell allocated for the caller, freed once.
class ShellItemIdList {
 public:
  ShellItemIdList() = default;
  explicit ShellItemIdList(LPITEMIDLIST list) : list_(list) {}
  ~ShellItemIdList() { CoTaskMemFree(list_); }
  ShellItemIdList(const ShellItemIdList&) = delete;
  ShellItemIdList& operator=(const ShellItemIdList&) = delete;

  LPITEMIDLIST* Receive() { return &list_; }
  LPCITEMIDLIST get() const { return list_; }

 private:
  LPITEMIDLIST list_ = nullptr;
};

// Switches the system's critical-error dialogs off for its lifetime.
class CriticalErrorsSilenced {
 public:
  CriticalErrorsSilenced() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~CriticalErrorsSilenced() { SetErrorMode(previous_); }
  CriticalErrorsSilenced(const CriticalErrorsSilenced&) = delete;
  CriticalErrorsSilenced& operator=(const CriticalErrorsSilenced&) = delete;

 private:
  UINT previous_;
};

}  // namespace kelvane
