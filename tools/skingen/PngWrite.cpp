#include "PngWrite.h"

// The one translation unit that compiles stb_image_write.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace skingen {

bool WriteRgbaPng(const std::string& path, const unsigned char* rgba, int width, int height) {
    return stbi_write_png(path.c_str(), width, height, 4, rgba, width * 4) != 0;
}

}  // namespace skingen
