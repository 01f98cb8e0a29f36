// Windows only, under Wine on X: a picture of the whole X screen, taken from
// outside with ImageMagick's `import` into a PNG file and read back, so a test
// can look at what the operator would see — a tick drawn, a row present.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/XWindow.h"

namespace testsupport {

struct Rgb {
    uint8_t r, g, b;
};

// 0xRRGGBB as in the skins' colours.
constexpr Rgb RgbOf(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
}

class Screenshot {
public:
    // Takes the picture into the PNG file `pngPath` (a Windows path) and reads
    // it back; false when either failed (the picture is then empty).
    bool Take(const std::string& pngPath);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel at a screen point; black outside the picture.
    Rgb At(int x, int y) const;

    // How many pixels of `rect` — given in the client coordinates of the
    // window at `window` on the screen — are within `tolerance` of `colour`
    // in each channel.
    int Count(const ScreenRect& window, const ScreenRect& rect, Rgb colour, int tolerance) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_rgb;  // rows of m_width RGB triples
};

}  // namespace testsupport
