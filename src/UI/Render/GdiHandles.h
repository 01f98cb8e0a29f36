// Owners for every GDI object the framework creates (renderer, manager,
// shadow), so that no early return leaks a handle, and the guards that
// restore a selection or a DC's state. Each hand-off to GDI that keeps a
// handle (a selection) is undone by its guard before the handle is freed.
#pragma once

#include <windows.h>

namespace Vellum {

// Owns one HGDIOBJ-like handle (bitmap, font, brush, pen, region).
template <class H>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H h) : m_h(h) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& o) noexcept : m_h(o.Release()) {}
    CGdiObject& operator=(CGdiObject&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }
    void Reset(H h = nullptr) {
        if (m_h) ::DeleteObject(m_h);
        m_h = h;
    }
    H Release() {
        H h = m_h;
        m_h = nullptr;
        return h;
    }
    H Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    H m_h = nullptr;
};

// A memory DC deleted with its owner.
class CMemoryDC {
public:
    CMemoryDC() = default;
    explicit CMemoryDC(HDC compatibleWith) : m_hDC(::CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC() { Reset(); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    CMemoryDC(CMemoryDC&& o) noexcept : m_hDC(o.m_hDC) { o.m_hDC = nullptr; }
    CMemoryDC& operator=(CMemoryDC&& o) noexcept {
        if (this != &o) {
            Reset();
            m_hDC = o.m_hDC;
            o.m_hDC = nullptr;
        }
        return *this;
    }
    void Reset() {
        if (m_hDC) ::DeleteDC(m_hDC);
        m_hDC = nullptr;
    }
    HDC Get() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }

private:
    HDC m_hDC = nullptr;
};

// A window's DC from GetDC, released with its owner.
class CWindowDC {
public:
    CWindowDC() = default;
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    ~CWindowDC() { Reset(); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    CWindowDC(CWindowDC&& o) noexcept : m_hWnd(o.m_hWnd), m_hDC(o.m_hDC) { o.m_hDC = nullptr; }
    CWindowDC& operator=(CWindowDC&& o) noexcept {
        if (this != &o) {
            Reset();
            m_hWnd = o.m_hWnd;
            m_hDC = o.m_hDC;
            o.m_hDC = nullptr;
        }
        return *this;
    }
    void Reset() {
        if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
        m_hDC = nullptr;
    }
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd = nullptr;
    HDC m_hDC = nullptr;
};

// Selects an object into a DC and puts the previous one back at scope end.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObj) : m_hDC(hDC), m_hOld(hDC && hObj ? ::SelectObject(hDC, hObj) : nullptr) {}
    ~CSelectObject() {
        if (m_hOld) ::SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A memory DC with one bitmap selected into it, for drawing into or copying
// from that bitmap. The selection is undone before the DC is deleted; the
// bitmap stays with its own owner, which must outlive this object.
class CBitmapDC {
public:
    CBitmapDC(HDC compatibleWith, HBITMAP hBitmap) : m_dc(compatibleWith), m_select(m_dc.Get(), hBitmap) {}
    HDC Get() const { return m_dc.Get(); }
    explicit operator bool() const { return static_cast<bool>(m_dc); }

private:
    CMemoryDC m_dc;  // declared first: deleted after the selection is undone
    CSelectObject m_select;
};

// Saves the DC state (clip region included) and restores it at scope end.
class CSaveDC {
public:
    explicit CSaveDC(HDC hDC) : m_hDC(hDC), m_nSaved(::SaveDC(hDC)) {}
    ~CSaveDC() { ::RestoreDC(m_hDC, m_nSaved); }
    CSaveDC(const CSaveDC&) = delete;
    CSaveDC& operator=(const CSaveDC&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};

}  // namespace Vellum
