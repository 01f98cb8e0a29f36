#include "support/PngFile.h"

#include <cstdio>

// stb_image_write with internal linkage, so it cannot clash with another copy.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace testsupport {

namespace {

void AppendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace

std::string EncodePng(const std::vector<unsigned char>& rgba, int width, int height) {
    std::string bytes;
    if (!stbi_write_png_to_func(AppendBytes, &bytes, width, height, 4, rgba.data(), width * 4)) return std::string();
    return bytes;
}

bool WritePremultipliedPng(const std::string& path, const uint32_t* pixels, int width, int height) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        const uint32_t p = pixels[i];
        const unsigned a = p >> 24;
        unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (a != 0 && a != 255) {
            r = (r * 255 + a / 2) / a;
            g = (g * 255 + a / 2) / a;
            b = (b * 255 + a / 2) / a;
        }
        rgba[i * 4 + 0] = static_cast<unsigned char>(r > 255 ? 255 : r);
        rgba[i * 4 + 1] = static_cast<unsigned char>(g > 255 ? 255 : g);
        rgba[i * 4 + 2] = static_cast<unsigned char>(b > 255 ? 255 : b);
        rgba[i * 4 + 3] = static_cast<unsigned char>(a);
    }
    const std::string bytes = EncodePng(rgba, width, height);
    if (bytes.empty()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace testsupport
