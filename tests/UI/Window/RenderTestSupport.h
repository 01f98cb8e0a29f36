// Rendering a window into a bitmap through the manager's "paint into this
// DC" entry, and test images written as PNG files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "UI/Core/UIManager.h"

namespace windowtest {

// The window's client area as the manager paints it, 0x00RRGGBB per pixel.
class Snapshot {
public:
    explicit Snapshot(Vellum::CUIManager& pm);
    uint32_t At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels in [left,right) x [top,bottom) whose every channel is below `level`.
    int CountDark(const RECT& rc, int level = 0x80) const;
    // Writes the pixels as an opaque PNG; false when it cannot.
    bool SavePng(const std::string& path) const;

private:
    std::vector<uint32_t> m_pixels;
    int m_width = 0;
    int m_height = 0;
};

// The Wine path of the screenshot `name` in the folder `hostDir` (a path of
// the build machine, as the tests' TREVAND_SCREENSHOT_DIR is), the folder
// made when it is missing.
std::string ScreenshotFile(const std::string& hostDir, const char* name);

// Paints `pm`'s window as it is now (after any pending WM_PAINT) into the
// PNG file `path`; false when it could not be written.
bool SaveWindowPng(Vellum::CUIManager& pm, const std::string& path);

// Each channel of `actual` within `tolerance` of `expected`.
bool NearColor(uint32_t actual, uint32_t expected, int tolerance = 3);

// Writes a PNG of opaque 0xRRGGBB pixels, rows from the top.
void WriteTestPng(const std::string& path, const std::vector<uint32_t>& rgb, int width, int height);

}  // namespace windowtest
