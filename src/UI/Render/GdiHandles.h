// Owners for the GDI objects the renderer and the manager create, so that no
// early return leaks a handle, and a guard that restores a selection.
#pragma once

#include <windows.h>

#include "UI/Render/Dib32.h"

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

// A memory DC deleted at scope end.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : m_hDC(::CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC() {
        if (m_hDC) ::DeleteDC(m_hDC);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Selects an object into a DC and puts the previous one back at scope end.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObj) : m_hDC(hDC), m_hOld(hObj ? ::SelectObject(hDC, hObj) : nullptr) {}
    ~CSelectObject() {
        if (m_hOld) ::SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
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
