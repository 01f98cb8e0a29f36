// Value forms, attribute lists and image descriptors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UI/Markup/AttributeList.h"
#include "UI/Markup/ImageDescriptor.h"
#include "UI/Markup/ValueParse.h"

namespace {

using namespace Vellum;

UIRect Rect(int l, int t, int r, int b) {
    UIRect rc;
    rc.left = l;
    rc.top = t;
    rc.right = r;
    rc.bottom = b;
    return rc;
}

TEST(ValueForms, BooleansColoursIntegers) {
    EXPECT_TRUE(ParseBool("true"));
    for (const char* no : {"True", "TRUE", "1", "yes", "true ", ""}) {
        EXPECT_FALSE(ParseBool(no)) << no;
    }
    EXPECT_EQ(ParseColor("#FF1E3A5F"), 0xFF1E3A5Fu);
    EXPECT_EQ(ParseColor("FF1E3A5F"), 0xFF1E3A5Fu);
    EXPECT_EQ(ParseColor("#1E3A5F"), 0x001E3A5Fu);  // no alpha: transparent
    EXPECT_EQ(ParseColor("#ffg"), 0xFFu);
    EXPECT_EQ(ParseColor("#123456789"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseColor(""), 0u);

    EXPECT_EQ(ParseInt("42"), 42);
    EXPECT_EQ(ParseInt(" -7px"), -7);
    EXPECT_EQ(ParseInt("+3"), 3);
    EXPECT_EQ(ParseInt("x1"), 0);
    EXPECT_EQ(ParseInt("99999999999"), 2147483647);
    EXPECT_EQ(ParseInt("-99999999999"), -2147483647 - 1);
}

TEST(ValueForms, RectanglesAndSizes) {
    EXPECT_EQ(ParseRect("1,2,3,4"), Rect(1, 2, 3, 4));
    EXPECT_EQ(ParseRect("-1;2 3x4"), Rect(-1, 2, 3, 4));   // any one separator
    EXPECT_EQ(ParseRect("1, 2, 3, 4"), Rect(1, 2, 3, 4));  // strtol skips the blank
    // Short texts end in zeros and nothing is read past their NUL.
    EXPECT_EQ(ParseRect("5"), Rect(5, 0, 0, 0));
    EXPECT_EQ(ParseRect("5,6,"), Rect(5, 6, 0, 0));
    EXPECT_EQ(ParseRect(""), Rect(0, 0, 0, 0));
    EXPECT_EQ(ParseRect("a,b"), Rect(0, 0, 0, 0));
    EXPECT_EQ(ParseSize("960,620").cx, 960);
    EXPECT_EQ(ParseSize("960,620").cy, 620);
    EXPECT_EQ(ParseSize("7").cy, 0);
}

std::string Pairs(const char* list) {
    std::string out;
    for (const UIAttribute& a : ParseAttributeList(list)) {
        out += std::string(a.strName) + "=" + std::string(a.strValue) + ";";
    }
    return out;
}

TEST(AttributeList, PairsUpToTheFirstDeviation) {
    const struct {
        const char* pstrList;
        const char* pstrPairs;
    } cases[] = {
        {R"(width="4" bkcolor="#FF000000")", "width=4;bkcolor=#FF000000;"},
        {R"(text="a b=c" name="表")", "text=a b=c;name=表;"},
        {R"(empty="")", "empty=;"},
        {R"(a="1"  b="2")", "a=1;"},  // two blanks end the list
        {R"(a="1"b="2")", "a=1;"},    // no blank ends it too
        {R"(a="1" )", "a=1;"},        // a trailing blank
        {R"(a = "1")", ""},           // blank before "="
        {R"(a='1' b="2")", ""},       // single quotes
        {R"(a="1" b="2)", "a=1;"},    // value never closed
        {R"(a="1" b)", "a=1;"},
        {R"(="1")", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Pairs(c.pstrList), c.pstrPairs) << c.pstrList;
    }
    EXPECT_TRUE(ParseAttributeList(nullptr).empty());
}

TEST(ImageDescriptor, PlainNameAndDefaults) {
    const std::vector<UIImageDescriptor> images = ParseImageDescriptor("Default_Shadow.png");
    ASSERT_EQ(images.size(), 1u);
    const UIImageDescriptor& image = images[0];
    EXPECT_STREQ(image.strFile, "Default_Shadow.png");
    EXPECT_FALSE(image.bDest);
    EXPECT_FALSE(image.bSource);
    EXPECT_FALSE(image.bMask);
    EXPECT_EQ(image.rcCorner, Rect(0, 0, 0, 0));
    EXPECT_EQ(image.nFade, 255);
    EXPECT_FALSE(image.bHole || image.bXTiled || image.bYTiled);
    EXPECT_TRUE(ParseImageDescriptor("").empty());
    EXPECT_TRUE(ParseImageDescriptor(nullptr).empty());
}

TEST(ImageDescriptor, EveryKey) {
    const auto images = ParseImageDescriptor(
        "file='Default_Checkbox.png' restype='PNG' source='32,0,48,16' dest = '10,2,26,18' corner='1,2,3,4' "
        "mask='#FFFF00FF' fade='128' hole='true' xtiled='true' ytiled='false' unknown='x'");
    ASSERT_EQ(images.size(), 1u);
    const UIImageDescriptor& image = images[0];
    EXPECT_STREQ(image.strFile, "Default_Checkbox.png");
    EXPECT_STREQ(image.strResType, "PNG");
    EXPECT_TRUE(image.bSource);
    EXPECT_EQ(image.rcSource, Rect(32, 0, 48, 16));
    EXPECT_TRUE(image.bDest);
    EXPECT_EQ(image.rcDest, Rect(10, 2, 26, 18));
    EXPECT_EQ(image.rcCorner, Rect(1, 2, 3, 4));
    EXPECT_TRUE(image.bMask);
    EXPECT_EQ(image.dwMask, 0xFFFF00FFu);
    EXPECT_EQ(image.nFade, 128);
    EXPECT_TRUE(image.bHole);
    EXPECT_TRUE(image.bXTiled);
    EXPECT_FALSE(image.bYTiled);

    EXPECT_EQ(ParseImageDescriptor("res='a.png' fade='999'")[0].nFade, 255);
    EXPECT_EQ(ParseImageDescriptor("res='a.png' fade='-5'")[0].nFade, 0);
}

TEST(ImageDescriptor, ModifierOverridesAndSecondFileStartsAnotherImage) {
    auto images = ParseImageDescriptor("file='MsgBoxIcon.png' source='0,0,32,32' dest='0,0,1,1'", "dest='0,4,32,36'");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].rcDest, Rect(0, 4, 32, 36));
    EXPECT_EQ(images[0].rcSource, Rect(0, 0, 32, 32));

    // A plain name takes a modifier too; a modifier that is no pair list is ignored.
    images = ParseImageDescriptor("bk.png", "dest='1,2,3,4'");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_STREQ(images[0].strFile, "bk.png");
    EXPECT_EQ(images[0].rcDest, Rect(1, 2, 3, 4));
    EXPECT_STREQ(ParseImageDescriptor("bk.png", "other.png")[0].strFile, "bk.png");

    images = ParseImageDescriptor("file='a.png' dest='1,1,2,2' file='b.png' fade='9'", "source='5,5,6,6'");
    ASSERT_EQ(images.size(), 2u);
    EXPECT_STREQ(images[0].strFile, "a.png");
    EXPECT_EQ(images[0].nFade, 255);
    EXPECT_FALSE(images[0].bSource);
    EXPECT_STREQ(images[1].strFile, "b.png");
    EXPECT_EQ(images[1].rcDest, Rect(1, 1, 2, 2));  // carried over from a.png
    EXPECT_EQ(images[1].nFade, 9);
    EXPECT_TRUE(images[1].bSource);
}

TEST(ImageDescriptor, ReadsUpToTheFirstMalformedPair) {
    auto images = ParseImageDescriptor("file='a.png' dest='1,2,3,4'source='9,9,9,9' fade='1'");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_TRUE(images[0].bDest);
    EXPECT_FALSE(images[0].bSource);
    EXPECT_EQ(images[0].nFade, 255);

    images = ParseImageDescriptor("file='a.png' dest='1,2,3,4");  // value never closed
    ASSERT_EQ(images.size(), 1u);
    EXPECT_FALSE(images[0].bDest);

    // A name with a GBK character whose trail byte is "\": 乗 = 81 5C.
    images = ParseImageDescriptor("file='乗\\x.png'");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_STREQ(images[0].strFile, "乗\\x.png");
}

}  // namespace
