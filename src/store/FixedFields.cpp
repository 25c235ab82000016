#include "store/FixedFields.h"

#include <cstring>

namespace store {

void CopyToField(char* field, std::size_t width, std::string_view text) {
  if (width == 0) return;
  const std::size_t zero = text.find('\0');
  if (zero != std::string_view::npos) text = text.substr(0, zero);
  const std::size_t n = text.size() < width - 1 ? text.size() : width - 1;
  if (n > 0) std::memcpy(field, text.data(), n);
  std::memset(field + n, 0, width - n);
}

std::string ReadField(const char* field, std::size_t width) {
  return std::string(FieldText(field, width));
}

std::string_view FieldText(const char* field, std::size_t width) {
  const void* zero = std::memchr(field, 0, width);
  const std::size_t n =
      zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - field) : width;
  return std::string_view(field, n);
}

}  // namespace store
