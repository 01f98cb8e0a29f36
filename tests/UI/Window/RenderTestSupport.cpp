#include "RenderTestSupport.h"

#include "WindowTestSupport.h"

#include "UI/Render/Dib32.h"

#include <cstdlib>

#include "support/PngFile.h"
#include "support/TempDir.h"

namespace windowtest {

Snapshot::Snapshot(Vellum::CUIManager& pm) {
    RECT rc = {0, 0, 0, 0};
    ::GetClientRect(pm.GetPaintWindow(), &rc);
    m_width = rc.right;
    m_height = rc.bottom;
    DWORD* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bmp = Vellum::CreateDib32(screen, m_width, m_height, &bits);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    pm.PaintTo(dc);
    ::GdiFlush();
    const uint32_t* p = reinterpret_cast<const uint32_t*>(bits);
    m_pixels.assign(p, p + static_cast<size_t>(m_width) * m_height);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bmp);
    ::ReleaseDC(nullptr, screen);
}

int Snapshot::CountDark(const RECT& rc, int level) const {
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const uint32_t c = At(x, y);
            if (int(c >> 16) < level && int((c >> 8) & 0xFF) < level && int(c & 0xFF) < level) ++count;
        }
    }
    return count;
}

bool Snapshot::SavePng(const std::string& path) const {
    std::vector<uint32_t> opaque(m_pixels.size());
    for (size_t i = 0; i < m_pixels.size(); ++i) opaque[i] = m_pixels[i] | 0xFF000000;
    return testsupport::WritePremultipliedPng(path, opaque.data(), m_width, m_height);
}

std::string ScreenshotFile(const std::string& hostDir, const char* name) {
    const std::string dir = HostPathToWine(hostDir);
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name;
}

bool SaveWindowPng(Vellum::CUIManager& pm, const std::string& path) {
    ::UpdateWindow(pm.GetPaintWindow());
    return Snapshot(pm).SavePng(path);
}

bool NearColor(uint32_t actual, uint32_t expected, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = (actual >> shift) & 0xFF;
        const int e = (expected >> shift) & 0xFF;
        if (std::abs(a - e) > tolerance) return false;
    }
    return true;
}

void WriteTestPng(const std::string& path, const std::vector<uint32_t>& rgb, int width, int height) {
    std::vector<unsigned char> rgba;
    for (uint32_t c : rgb) {
        rgba.push_back(static_cast<unsigned char>(c >> 16));
        rgba.push_back(static_cast<unsigned char>(c >> 8));
        rgba.push_back(static_cast<unsigned char>(c));
        rgba.push_back(255);
    }
    testsupport::WriteFileBytes(path, testsupport::EncodePng(rgba, width, height));
}

}  // namespace windowtest
