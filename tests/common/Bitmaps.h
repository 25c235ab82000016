// Bitmap files for the tests that load pictures: written byte by byte, so
// they depend on nothing of the code under test.
#pragma once

#include <string>

#include "store/Colour.h"

namespace test_common {

// A 24-bit uncompressed ".bmp" file of `width` x `height` pixels of one colour.
std::string BitmapFile(int width, int height, store::Colour colour = 0);

}  // namespace test_common
