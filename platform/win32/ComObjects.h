// Owners of COM state: the apartment of the calling thread and references to interfaces.
#pragma once

#include <objbase.h>

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
  Interface& operator*() const { return *pointer_; }
  void** Receive() { return reinterpret_cast<void**>(&pointer_); }

 private:
  Interface* pointer_ = nullptr;
};

}  // namespace kelvane
