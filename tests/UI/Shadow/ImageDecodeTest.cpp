#include "UI/Render/ImageDecode.h"

#include "support/PngFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using Vellum::CDecodedImage;

namespace {

// A 4x2 picture with one pixel of each kind the decoder must tell apart:
//   row 0: opaque red, half-transparent white, fully transparent green, opaque magenta
//   row 1: opaque blue, 25% black, 75% orange, opaque magenta
const std::vector<unsigned char> kPixels = {
    255, 0, 0,   255, 255, 255, 255, 128, 0,   255, 0, 0,   255, 0, 255, 255,
    0,   0, 255, 255, 0,   0,   0,   64,  255, 128, 0, 192, 255, 0, 255, 255,
};

const std::vector<unsigned char> kOpaque = {
    10, 20, 30, 255, 40, 50, 60, 255,
};

}  // namespace

TEST(ImageDecodeTest, PngBecomesPremultipliedTopDownBgra) {
    const std::string png = testsupport::EncodePng(kPixels, 4, 2);
    ASSERT_FALSE(png.empty());
    CDecodedImage image;
    ASSERT_TRUE(Vellum::DecodeImageMemory(png.data(), png.size(), Vellum::kNoMask, image));
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(4, image.GetWidth());
    EXPECT_EQ(2, image.GetHeight());
    EXPECT_TRUE(image.HasAlpha());
    const uint32_t* p = image.GetBits();
    const uint32_t expected[8] = {
        0xFFFF0000u, 0x80808080u, 0x00000000u, 0xFFFF00FFu, 0xFF0000FFu, 0x40000000u, 0xC0C06000u, 0xFFFF00FFu,
    };
    for (int i = 0; i < 8; ++i) EXPECT_EQ(expected[i], p[i]) << "pixel " << i;

    // GDI sees a 32-bit section of that size (the pixel order above already shows
    // the rows run from the top; Wine reports the height unsigned either way).
    DIBSECTION dib;
    ASSERT_EQ(static_cast<int>(sizeof(dib)), GetObjectA(image.GetBitmap(), sizeof(dib), &dib));
    EXPECT_EQ(32, dib.dsBm.bmBitsPixel);
    EXPECT_EQ(4, dib.dsBm.bmWidth);
    EXPECT_EQ(2, dib.dsBm.bmHeight);
}

TEST(ImageDecodeTest, MaskColourMakesThoseOpaquePixelsTransparent) {
    const std::string png = testsupport::EncodePng(kPixels, 4, 2);
    CDecodedImage image;
    // The alpha part of the mask is not compared.
    ASSERT_TRUE(Vellum::DecodeImageMemory(png.data(), png.size(), 0x12FF00FFu, image));
    EXPECT_EQ(0u, image.GetBits()[3]);
    EXPECT_EQ(0u, image.GetBits()[7]);
    EXPECT_EQ(0xFFFF0000u, image.GetBits()[0]);
}

TEST(ImageDecodeTest, OpaqueImageHasNoAlphaUntilAMaskHitsIt) {
    const std::string png = testsupport::EncodePng(kOpaque, 2, 1);
    CDecodedImage image;
    ASSERT_TRUE(Vellum::DecodeImageMemory(png.data(), png.size(), Vellum::kNoMask, image));
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(0xFF0A141Eu, image.GetBits()[0]);
    ASSERT_TRUE(Vellum::DecodeImageMemory(png.data(), png.size(), 0xFF28323Cu, image));
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_EQ(0u, image.GetBits()[1]);
}

TEST(ImageDecodeTest, FileWithChinesePathDecodes) {
    testsupport::TempDir dir;
    // "皮肤" in GBK: the path reaches CreateFileA in the ANSI code page.
    const std::string folder = dir.File("\xC6\xA4\xB7\xF4");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = testsupport::JoinPath(folder, "Icon.png");
    testsupport::WriteFileBytes(path, testsupport::EncodePng(kPixels, 4, 2));
    CDecodedImage image;
    ASSERT_TRUE(Vellum::DecodeImageFile(path.c_str(), Vellum::kNoMask, image));
    EXPECT_EQ(4, image.GetWidth());
    EXPECT_EQ(0x80808080u, image.GetBits()[1]);
}

TEST(ImageDecodeTest, UnreadableInputFailsAndLeavesTheImageEmpty) {
    testsupport::TempDir dir;
    const std::string garbage = dir.File("garbage.png");
    testsupport::WriteFileBytes(garbage, "\x89PNG\r\n\x1a\n not really");
    const std::string empty = dir.File("empty.png");
    testsupport::WriteFileBytes(empty, "");
    const std::string png = testsupport::EncodePng(kPixels, 4, 2);
    // A truncated PNG must be refused, not read past its end.
    const std::string truncated = png.substr(0, png.size() / 2);

    CDecodedImage image;
    ASSERT_TRUE(Vellum::DecodeImageMemory(png.data(), png.size(), Vellum::kNoMask, image));
    EXPECT_FALSE(Vellum::DecodeImageFile(dir.File("missing.png").c_str(), Vellum::kNoMask, image));
    EXPECT_FALSE(image.IsValid());
    EXPECT_FALSE(Vellum::DecodeImageFile(garbage.c_str(), Vellum::kNoMask, image));
    EXPECT_FALSE(Vellum::DecodeImageFile(empty.c_str(), Vellum::kNoMask, image));
    EXPECT_FALSE(Vellum::DecodeImageMemory(truncated.data(), truncated.size(), Vellum::kNoMask, image));
    EXPECT_FALSE(Vellum::DecodeImageMemory(nullptr, 0, Vellum::kNoMask, image));
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(0, image.GetWidth());
}

TEST(ImageDecodeTest, OwnershipMovesAndReleases) {
    std::vector<unsigned char> rgba(3 * 3 * 4, 200);
    CDecodedImage a;
    ASSERT_TRUE(Vellum::CreatePremultipliedImage(rgba.data(), 3, 3, Vellum::kNoMask, a));
    CDecodedImage b(std::move(a));
    EXPECT_FALSE(a.IsValid());
    ASSERT_TRUE(b.IsValid());
    EXPECT_EQ(3, b.GetHeight());
    HBITMAP bitmap = b.Release();
    EXPECT_FALSE(b.IsValid());
    EXPECT_NE(0, GetObjectType(bitmap));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(Vellum::CreatePremultipliedImage(rgba.data(), 0, 3, Vellum::kNoMask, a));
    EXPECT_FALSE(Vellum::CreatePremultipliedImage(rgba.data(), 20000, 1, Vellum::kNoMask, a));
}
