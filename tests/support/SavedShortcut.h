// Shortcut files saved through the shell's link object, as the shell itself saves them; for the
// tests that run under Wine.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/ComObjects.h"
#include "platform/win32/WideText.h"

namespace kelvane::testsupport {

// False when the shortcut could not be made; the wide form takes targets the ANSI code page
// cannot hold.
inline bool SaveShortcut(const std::wstring& path, const std::wstring& target) {
  const ComApartment apartment;
  ComReference<IShellLinkW> link;
  ComReference<IPersistFile> file;
  return apartment.Ready() &&
         SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.Receive())) &&
         SUCCEEDED(link->SetPath(target.c_str())) &&
         SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive())) &&
         SUCCEEDED(file->Save(path.c_str(), TRUE));
}

inline bool SaveShortcut(const std::string& path, const std::string& target) {
  return SaveShortcut(Wide(path), Wide(target));
}

}  // namespace kelvane::testsupport
