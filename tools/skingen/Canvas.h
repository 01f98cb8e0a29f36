// A small anti-aliased raster canvas for drawing the skin images.
//
// Pixels are premultiplied RGBA floats; shapes are given as signed distance
// functions (negative inside, in pixels), so every edge gets exact one-pixel
// anti-aliasing from the distance at the pixel centre.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skingen {

// A straight (not premultiplied) colour, each channel 0..1.
struct Color {
    float r, g, b, a;
};

// 0xRRGGBB with an opacity.
Color Rgb(uint32_t rgb, float alpha = 1.0f);

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Composites `color` over the pixel with the given coverage (0..1).
    void Blend(int x, int y, Color color, float coverage);

    // Fills the shape `sdf(x, y)` (evaluated at pixel centres) with `color`,
    // restricted to the rectangle [x0, x1) x [y0, y1) of the canvas.
    template <class Sdf>
    void Fill(const Sdf& sdf, Color color, int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const float coverage = 0.5f - sdf(x + 0.5f, y + 0.5f);
                if (coverage > 0.0f) Blend(x, y, color, coverage > 1.0f ? 1.0f : coverage);
            }
    }
    template <class Sdf>
    void Fill(const Sdf& sdf, Color color) {
        Fill(sdf, color, 0, 0, m_width, m_height);
    }

    // Writes the canvas as an 8-bit RGBA PNG with straight alpha.
    bool WritePng(const std::string& path) const;

private:
    int m_width;
    int m_height;
    std::vector<float> m_pixels;  // premultiplied r, g, b, a
};

}  // namespace skingen
