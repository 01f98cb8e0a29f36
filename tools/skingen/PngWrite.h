// PNG output through stb_image_write.
#pragma once

#include <string>

namespace skingen {

// Straight RGBA rows from the top; returns false when the file cannot be written.
bool WriteRgbaPng(const std::string& path, const unsigned char* rgba, int width, int height);

}  // namespace skingen
