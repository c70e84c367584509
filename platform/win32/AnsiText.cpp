#include "platform/win32/AnsiText.h"

#include <windows.h>

namespace kelvane {

std::wstring WideFromAnsi(const std::string& ansi) {
  if (ansi.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0], size);
  return wide;
}

std::string AnsiFromWide(const wchar_t* text, std::size_t length) {
  if (length == 0) return {};
  const int size =
      WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &ansi[0], size, nullptr, nullptr);
  return ansi;
}

std::optional<std::string> ExactAnsiFromWide(const std::wstring& text) {
  std::string ansi = AnsiFromWide(text.data(), text.size());
  if (WideFromAnsi(ansi) != text) return std::nullopt;
  return ansi;
}

}  // namespace kelvane
