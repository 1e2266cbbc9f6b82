#pragma once
// Image files made for tests, so decoding is checked against pixels we chose.

#include <cstdint>
#include <string>
#include <vector>

#include "orvane/platform/values/Data.h"

namespace ov::test {

// A PNG of straight RGBA pixels (0xRRGGBBAA, top row first), deflate-stored so no compressor
// is needed.
Data pngData(int width, int height, const std::vector<uint32_t>& pixels);
// A PNG of one colour.
Data solidPng(int width, int height, uint32_t rgba);
// A 16x8 JPEG, left half red and right half blue, tagged "rotate 90 degrees clockwise to
// show": upright it is 8x16, red on top and blue below.
Data rotatedJpeg();
// A 1x1 GIF of one transparent pixel.
Data transparentGif();
// Writes bytes to a file, replacing it.
void writeFile(const std::string& path, const Data& data);

}  // namespace ov::test
