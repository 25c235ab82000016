#include "framework/MemoryDC.h"

#include <utility>

namespace fw {

MemoryDC::MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}

MemoryDC::~MemoryDC() { Delete(); }

MemoryDC::MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}

MemoryDC& MemoryDC::operator=(MemoryDC&& other) noexcept {
  if (this != &other) {
    Delete();
    dc_ = std::exchange(other.dc_, nullptr);
  }
  return *this;
}

void MemoryDC::Delete() {
  if (dc_ != nullptr) DeleteDC(dc_);
  dc_ = nullptr;
}

}  // namespace fw
