#include "common/Bitmaps.h"

#include <cstdint>

namespace test_common {
namespace {

void Append(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string BitmapFile(int width, int height, store::Colour colour) {
  constexpr std::uint32_t kHeaders = 14 + 40;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
  std::string bytes = "BM";
  Append(bytes, kHeaders + imageBytes, 4);
  Append(bytes, 0, 4);  // reserved
  Append(bytes, kHeaders, 4);
  Append(bytes, 40, 4);  // BITMAPINFOHEADER
  Append(bytes, static_cast<std::uint32_t>(width), 4);
  Append(bytes, static_cast<std::uint32_t>(height), 4);  // bottom-up
  Append(bytes, 1, 2);                                   // planes
  Append(bytes, 24, 2);                                  // bits per pixel
  Append(bytes, 0, 4);                                   // uncompressed
  Append(bytes, imageBytes, 4);
  Append(bytes, 0, 16);  // resolution and palette counts
  std::string row(rowBytes, '\0');
  for (int x = 0; x < width; ++x) {
    row[static_cast<size_t>(x) * 3] = static_cast<char>(store::BlueOf(colour));
    row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>(store::GreenOf(colour));
    row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>(store::RedOf(colour));
  }
  for (int y = 0; y < height; ++y) bytes += row;
  return bytes;
}

}  // namespace test_common
