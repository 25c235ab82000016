#include "framework/ScopedSelect.h"

#include <utility>

namespace fw {

ScopedSelect::ScopedSelect(HDC dc, HGDIOBJ object) {
  HGDIOBJ previous = SelectObject(dc, object);
  if (previous != nullptr && previous != HGDI_ERROR) {
    dc_ = dc;
    previous_ = previous;
  }
}

ScopedSelect::~ScopedSelect() { Restore(); }

ScopedSelect::ScopedSelect(ScopedSelect&& other) noexcept
    : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}

ScopedSelect& ScopedSelect::operator=(ScopedSelect&& other) noexcept {
  if (this != &other) {
    Restore();
    dc_ = std::exchange(other.dc_, nullptr);
    previous_ = std::exchange(other.previous_, nullptr);
  }
  return *this;
}

void ScopedSelect::Restore() {
  if (dc_ != nullptr) SelectObject(dc_, previous_);
  dc_ = nullptr;
  previous_ = nullptr;
}

}  // namespace fw
