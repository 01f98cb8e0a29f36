// Small owners for the GDI objects the shadow makes: each one is released on
// every path out of the function that made it.
#pragma once

#include <windows.h>

namespace Vellum {

// A memory DC with one bitmap selected into it; the selection is undone and the
// DC deleted on exit. The bitmap itself stays with its owner.
class SelectedBitmapDC {
public:
    explicit SelectedBitmapDC(HBITMAP bitmap) : m_hdc(CreateCompatibleDC(nullptr)) {
        if (m_hdc)
            m_old = SelectObject(m_hdc, bitmap);
    }
    ~SelectedBitmapDC() {
        if (m_hdc) {
            SelectObject(m_hdc, m_old);
            DeleteDC(m_hdc);
        }
    }
    SelectedBitmapDC(const SelectedBitmapDC&) = delete;
    SelectedBitmapDC& operator=(const SelectedBitmapDC&) = delete;
    HDC Get() const { return m_hdc; }

private:
    HDC m_hdc;
    HGDIOBJ m_old = nullptr;
};

// A bitmap deleted on exit.
class OwnedBitmap {
public:
    explicit OwnedBitmap(HBITMAP bitmap) : m_bitmap(bitmap) {}
    ~OwnedBitmap() {
        if (m_bitmap)
            DeleteObject(m_bitmap);
    }
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    HBITMAP Get() const { return m_bitmap; }

private:
    HBITMAP m_bitmap;
};

}  // namespace Vellum
