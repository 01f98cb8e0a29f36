#include "Canvas.h"

#include "PngWrite.h"

#include <algorithm>
#include <cmath>

namespace skingen {

Color Rgb(uint32_t rgb, float alpha) {
    return Color{((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, alpha};
}

Canvas::Canvas(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height * 4, 0.0f) {}

void Canvas::Blend(int x, int y, Color color, float coverage) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    float* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4];
    const float a = color.a * coverage;
    p[0] = color.r * a + p[0] * (1.0f - a);
    p[1] = color.g * a + p[1] * (1.0f - a);
    p[2] = color.b * a + p[2] * (1.0f - a);
    p[3] = a + p[3] * (1.0f - a);
}

bool Canvas::WritePng(const std::string& path) const {
    std::vector<unsigned char> rgba(m_pixels.size());
    for (size_t i = 0; i < m_pixels.size(); i += 4) {
        const float a = std::clamp(m_pixels[i + 3], 0.0f, 1.0f);
        for (int c = 0; c < 3; ++c) {
            const float straight = a > 0.0f ? m_pixels[i + c] / a : 0.0f;
            rgba[i + c] = static_cast<unsigned char>(std::lround(std::clamp(straight, 0.0f, 1.0f) * 255.0f));
        }
        rgba[i + 3] = static_cast<unsigned char>(std::lround(a * 255.0f));
    }
    return WriteRgbaPng(path, rgba.data(), m_width, m_height);
}

}  // namespace skingen
