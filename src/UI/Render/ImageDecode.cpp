#include "UI/Render/ImageDecode.h"

#include <cstring>
#include <utility>
#include <vector>

#include "UI/Render/Dib32.h"
#include "UI/Render/GdiHandles.h"
#include "comm/log/LastErrorLog.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/ReadOnlyFile.h"

// stb_image is compiled here, and only here, with internal linkage: no other
// library of the program can clash with its symbols, and the only way in is the
// functions of this file. Files are read by us (CreateFileA understands GBK
// paths), so stb's own stdio entry points are left out.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
// Skin images are small; refusing huge sizes keeps width * height * 4 far from
// overflowing and a corrupt header from asking for gigabytes.
#define STBI_MAX_DIMENSIONS 16384
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace Vellum {

namespace {

constexpr int kMaxSide = 16384;
// Larger files are not skin images; refuse them before reading them whole.
constexpr DWORD kMaxFileBytes = 64u * 1024u * 1024u;

// Straight RGBA to premultiplied 0xAARRGGBB; returns whether any pixel is not opaque.
bool ConvertPixels(const unsigned char* rgba, size_t count, uint32_t mask, uint32_t* out) {
    const bool useMask = mask != kNoMask;
    const uint32_t maskRgb = mask & 0x00FFFFFFu;
    bool anyAlpha = false;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* p = rgba + i * 4;
        const uint32_t r = p[0], g = p[1], b = p[2];
        uint32_t a = p[3];
        if (useMask && ((r << 16) | (g << 8) | b) == maskRgb) a = 0;
        if (a == 0) {
            out[i] = 0;
            anyAlpha = true;
            continue;
        }
        if (a == 255) {
            out[i] = 0xFF000000u | (r << 16) | (g << 8) | b;
            continue;
        }
        anyAlpha = true;
        // Rounded c * a / 255.
        const uint32_t pr = (r * a + 127) / 255;
        const uint32_t pg = (g * a + 127) / 255;
        const uint32_t pb = (b * a + 127) / 255;
        out[i] = (a << 24) | (pr << 16) | (pg << 8) | pb;
    }
    return anyAlpha;
}

// Owns what stbi_load_from_memory returned.
struct StbPixels {
    unsigned char* p = nullptr;
    ~StbPixels() { stbi_image_free(p); }
};

}  // namespace

CDecodedImage::~CDecodedImage() { Reset(); }

CDecodedImage::CDecodedImage(CDecodedImage&& other) noexcept { *this = std::move(other); }

CDecodedImage& CDecodedImage::operator=(CDecodedImage&& other) noexcept {
    if (this != &other) {
        Reset();
        std::swap(m_hBitmap, other.m_hBitmap);
        std::swap(m_pBits, other.m_pBits);
        std::swap(m_nWidth, other.m_nWidth);
        std::swap(m_nHeight, other.m_nHeight);
        std::swap(m_bAlpha, other.m_bAlpha);
    }
    return *this;
}

HBITMAP CDecodedImage::Release() {
    HBITMAP bitmap = m_hBitmap;
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
    m_bAlpha = false;
    return bitmap;
}

void CDecodedImage::Reset() {
    if (m_hBitmap) DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
    m_bAlpha = false;
}

bool CreatePremultipliedImage(const unsigned char* rgba, int width, int height, uint32_t mask, CDecodedImage& out) {
    out.Reset();
    if (!rgba || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        LOG_WRITE(LOG_ERROR, "image size %dx%d is not supported", width, height);
        return false;
    }
    DWORD* bits = nullptr;
    CGdiObject<HBITMAP> bitmap(CreateDib32(nullptr, width, height, &bits));
    if (!bitmap || !bits) return LogLastError("CreateDIBSection", "a decoded image");
    out.m_hBitmap = bitmap.Release();
    out.m_pBits = reinterpret_cast<uint32_t*>(bits);
    out.m_nWidth = width;
    out.m_nHeight = height;
    out.m_bAlpha = ConvertPixels(rgba, static_cast<size_t>(width) * static_cast<size_t>(height), mask, out.m_pBits);
    return true;
}

bool DecodeImageMemory(const void* data, size_t size, uint32_t mask, CDecodedImage& out) {
    out.Reset();
    if (!data || size == 0 || size > kMaxFileBytes) {
        LOG_WRITE(LOG_ERROR, "image data of %lu bytes cannot be decoded", static_cast<unsigned long>(size));
        return false;
    }
    int width = 0, height = 0, channels = 0;
    StbPixels pixels;
    pixels.p =
        stbi_load_from_memory(static_cast<const stbi_uc*>(data), static_cast<int>(size), &width, &height, &channels, 4);
    if (!pixels.p) {
        LOG_WRITE(LOG_ERROR, "image cannot be decoded: %s", stbi_failure_reason());
        return false;
    }
    return CreatePremultipliedImage(pixels.p, width, height, mask, out);
}

bool DecodeImageFile(const char* path, uint32_t mask, CDecodedImage& out) {
    out.Reset();
    platform::ReadOnlyFile file;
    if (!file.Open(path)) return LogLastError("ReadOnlyFile::Open", path);
    const uint64_t size = file.Size();
    if (size == 0 || size > kMaxFileBytes) {
        LOG_WRITE(LOG_ERROR, "image file %s is empty, unreadable or too large", path);
        return false;
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    if (file.ReadAt(0, bytes.data(), bytes.size()) != bytes.size()) {
        LOG_WRITE(LOG_ERROR, "image file %s could not be read", path);
        return false;
    }
    if (!DecodeImageMemory(bytes.data(), bytes.size(), mask, out)) {
        LOG_WRITE(LOG_ERROR, "image file %s is not an image we can read", path);
        return false;
    }
    return true;
}

}  // namespace Vellum
