// The images the build draws for the skins: the sizes and cells the skins rely
// on, and the properties that make them draw well.
#include "UI/Render/ImageDecode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string SkinFile(const char* name) {
    std::string path = "Z:" TREVAND_SKIN_DIR "/";
    path += name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

uint32_t Alpha(const Vellum::CDecodedImage& image, int x, int y) {
    return image.GetBits()[y * image.GetWidth() + x] >> 24;
}

}  // namespace

TEST(SkinImagesTest, EachImageHasTheSizeItsSkinsUse) {
    const struct {
        const char* name;
        int width, height;
    } images[] = {
        {"Default_Shadow.png", 48, 48}, {"MsgBoxIcon.png", 96, 32},     {"Default_Checkbox.png", 64, 16},
        {"Default_Radio.png", 64, 16},  {"TitleBtnClose.png", 120, 32}, {"TitleBtnMin.png", 120, 32},
    };
    for (const auto& expected : images) {
        SCOPED_TRACE(expected.name);
        Vellum::CDecodedImage image;
        ASSERT_TRUE(Vellum::DecodeImageFile(SkinFile(expected.name).c_str(), Vellum::kNoMask, image));
        EXPECT_EQ(expected.width, image.GetWidth());
        EXPECT_EQ(expected.height, image.GetHeight());
        EXPECT_TRUE(image.HasAlpha());
    }
}

// The shadow's edge cells are stretched along the window's sides: each must be
// the same all along that direction, or the stretch would smear a gradient.
TEST(SkinImagesTest, ShadowEdgesStretchCleanlyAndItsCentreIsEmpty) {
    Vellum::CDecodedImage shadow;
    ASSERT_TRUE(Vellum::DecodeImageFile(SkinFile("Default_Shadow.png").c_str(), Vellum::kNoMask, shadow));
    const int l = 23, t = 13, r = 23, b = 33, w = shadow.GetWidth(), h = shadow.GetHeight();
    const uint32_t* p = shadow.GetBits();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool middleColumn = x >= l && x < w - r;
            const bool middleRow = y >= t && y < h - b;
            if (middleColumn && middleRow) {
                EXPECT_EQ(0u, p[y * w + x]) << "centre " << x << "," << y;
            } else if (middleColumn) {
                EXPECT_EQ(p[y * w + l], p[y * w + x]) << "top or bottom edge " << x << "," << y;
            } else if (middleRow) {
                EXPECT_EQ(p[t * w + x], p[y * w + x]) << "left or right edge " << x << "," << y;
            }
        }
    // Translucent throughout, darkest next to the window, gone at the border.
    EXPECT_GT(Alpha(shadow, l, h - b), Alpha(shadow, l, h - 10));
    EXPECT_GT(Alpha(shadow, l, h - 10), 0u);
    EXPECT_LT(Alpha(shadow, l, h - b), 128u);
    EXPECT_EQ(0u, Alpha(shadow, 0, t));
    EXPECT_EQ(0u, Alpha(shadow, l, h - 1));
    // The light comes from above: less shadow over the window than below it.
    EXPECT_LT(Alpha(shadow, l, t - 1), Alpha(shadow, l, h - b));
}

TEST(SkinImagesTest, IconsAndMarksFillTheirCellsWithClearCorners) {
    const struct {
        const char* name;
        int cell;
    } strips[] = {{"MsgBoxIcon.png", 32}, {"Default_Checkbox.png", 16}, {"Default_Radio.png", 16}};
    for (const auto& strip : strips) {
        SCOPED_TRACE(strip.name);
        Vellum::CDecodedImage image;
        ASSERT_TRUE(Vellum::DecodeImageFile(SkinFile(strip.name).c_str(), Vellum::kNoMask, image));
        for (int x0 = 0; x0 < image.GetWidth(); x0 += strip.cell) {
            const int c = strip.cell;
            // Opaque in the middle, anti-aliased (transparent) in the very corners.
            EXPECT_EQ(255u, Alpha(image, x0 + c / 2, c / 2)) << "cell at " << x0;
            EXPECT_EQ(0u, Alpha(image, x0, 0)) << "cell at " << x0;
            EXPECT_EQ(0u, Alpha(image, x0 + c - 1, c - 1)) << "cell at " << x0;
        }
    }
}
