#include "support/Screenshot.h"

#include <cstdlib>

#include "support/TempDir.h"
#include "support/WineHost.h"

// stb_image: static, so that no other decoder linked beside it clashes.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#include <stb_image.h>

namespace testsupport {

bool Screenshot::Take(const std::string& pngPath) {
    m_width = m_height = 0;
    m_rgb.clear();
    const std::string unixPath = UnixPathOf(pngPath);
    if (unixPath.empty() || !RunUnixCommand({"import", "-silent", "-window", "root", "png:" + unixPath})) {
        return false;
    }
    const std::string bytes = ReadFileBytes(pngPath);
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                            static_cast<int>(bytes.size()), &width, &height, &channels, 3);
    if (pixels == nullptr) {
        return false;
    }
    m_rgb.assign(pixels, pixels + static_cast<size_t>(width) * height * 3);
    stbi_image_free(pixels);
    m_width = width;
    m_height = height;
    return true;
}

Rgb Screenshot::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return {0, 0, 0};
    }
    const uint8_t* p = &m_rgb[(static_cast<size_t>(y) * m_width + x) * 3];
    return {p[0], p[1], p[2]};
}

int Screenshot::Count(const ScreenRect& window, const ScreenRect& rect, Rgb colour, int tolerance) const {
    int count = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            const Rgb p = At(window.x + x, window.y + y);
            if (std::abs(p.r - colour.r) <= tolerance && std::abs(p.g - colour.g) <= tolerance &&
                std::abs(p.b - colour.b) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace testsupport
