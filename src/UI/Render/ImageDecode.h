// Decoding skin images into bitmaps that GDI can blend.
//
// Every image the framework draws is kept as a 32-bit top-down DIB section whose
// pixels are premultiplied BGRA: the form AlphaBlend (with AC_SRC_ALPHA) and
// UpdateLayeredWindow expect. Decoding is done by stb_image, so PNG, JPEG, BMP,
// TGA, GIF (first frame) and the other formats it reads are accepted.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace Vellum {

// One decoded image: owns its DIB section (deleted with the object), move-only.
class CDecodedImage {
public:
    CDecodedImage() = default;
    ~CDecodedImage();
    CDecodedImage(CDecodedImage&& other) noexcept;
    CDecodedImage& operator=(CDecodedImage&& other) noexcept;
    CDecodedImage(const CDecodedImage&) = delete;
    CDecodedImage& operator=(const CDecodedImage&) = delete;

    bool IsValid() const { return m_hBitmap != nullptr; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    // True when at least one pixel is not fully opaque (after the mask colour was
    // applied): such an image must be drawn with AlphaBlend, an opaque one may
    // simply be copied.
    bool HasAlpha() const { return m_bAlpha; }
    // The premultiplied pixels, row by row from the top, 0xAARRGGBB per pixel
    // (bytes B, G, R, A in memory); GetWidth() * GetHeight() values. Writes are
    // seen by GDI after GdiFlush().
    uint32_t* GetBits() const { return m_pBits; }

    // Gives the DIB section up to the caller, who must then DeleteObject it.
    HBITMAP Release();
    // Deletes the bitmap now; the object is empty afterwards.
    void Reset();

private:
    friend bool CreatePremultipliedImage(const unsigned char*, int, int, uint32_t, CDecodedImage&);
    HBITMAP m_hBitmap = nullptr;
    uint32_t* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bAlpha = false;
};

// The mask colour is given as in the skins, 0xAARRGGBB; only its RGB part is
// compared. The value 0 means "no mask" (a colour of 0 draws nothing in our skins,
// so it can never be meant as a mask).
constexpr uint32_t kNoMask = 0;

// Builds the image from straight (not premultiplied) RGBA bytes, `width` * `height`
// pixels, rows from the top. Pixels whose RGB equals the mask's RGB become fully
// transparent. Returns false (with a log line) for a non-positive or oversized
// size or when GDI cannot create the DIB section; `out` is then empty.
bool CreatePremultipliedImage(const unsigned char* rgba, int width, int height, uint32_t mask, CDecodedImage& out);

// Decodes an image held in memory. Returns false (with a log line naming the
// reason) for data stb_image cannot read; `out` is then empty.
bool DecodeImageMemory(const void* data, size_t size, uint32_t mask, CDecodedImage& out);

// Reads and decodes an image file; `path` is in the ANSI code page (GBK).
// Returns false with a log line when the file cannot be read or decoded.
bool DecodeImageFile(const char* path, uint32_t mask, CDecodedImage& out);

}  // namespace Vellum
