// Owners of COM state, the apartment of the calling thread and references to interfaces, and
// the wide texts COM takes.
#pragma once

#include <objbase.h>

#include <string>

namespace kelvane {

// COM on the calling thread (single-threaded apartment) while the object lives; shell objects
// are asked for from the scan thread too, which has no apartment of its own.
class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Ready() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// One reference to a COM interface, released once.
template <typename Interface>
class ComReference {
 public:
  ComReference() = default;
  ~ComReference() {
    if (pointer_) pointer_->Release();
  }
  ComReference(const ComReference&) = delete;
  ComReference& operator=(const ComReference&) = delete;

  Interface* operator->() const { return pointer_; }
  void** Receive() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

// ANSI text in the system's code page as a wide string.
inline std::wstring WideText(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
  wide.pop_back();  // the terminating NUL
  return wide;
}

}  // namespace kelvane
