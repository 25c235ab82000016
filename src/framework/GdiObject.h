#pragma once
// Owning wrappers for GDI objects: the object is deleted when the wrapper
// goes. Not copyable (two owners would delete twice), movable.
// Destroy a wrapper only after the object is no longer selected into a DC
// (ScopedSelect, declared after the object, takes care of that).

#include <windows.h>

namespace fw {

template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }

  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : handle_(other.Release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Gives up ownership without deleting.
  Handle Release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

  // Deletes the owned object and takes another (or none).
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

}  // namespace fw
