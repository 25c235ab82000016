#pragma once
// Selects a GDI object into a DC and puts the previous one back when it
// goes, so no object stays selected into a DC past its scope. Not for
// regions (SelectObject with a region returns no handle to restore).

#include <windows.h>

namespace fw {

class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object);
  ~ScopedSelect();

  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ScopedSelect(ScopedSelect&& other) noexcept;
  ScopedSelect& operator=(ScopedSelect&& other) noexcept;

  // False when the object could not be selected (nothing to restore).
  explicit operator bool() const { return dc_ != nullptr; }

  // The object that was selected before (restored at the end).
  HGDIOBJ Previous() const { return previous_; }

  // Puts the previous object back now.
  void Restore();

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace fw
