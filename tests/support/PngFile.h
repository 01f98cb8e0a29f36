// PNG encoding for the tests: fixtures for the decoder and screenshots to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Straight RGBA rows from the top, encoded as a PNG file's bytes ("" on failure).
std::string EncodePng(const std::vector<unsigned char>& rgba, int width, int height);

// Premultiplied 0xAARRGGBB pixels (as a DIB section holds them) written as a PNG
// with straight alpha; returns false when the file cannot be written.
bool WritePremultipliedPng(const std::string& path, const uint32_t* pixels, int width, int height);

}  // namespace testsupport
