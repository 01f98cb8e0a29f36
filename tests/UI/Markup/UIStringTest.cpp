// CUIString and the code page 936 character stepping beneath it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "UI/Base/CharStep.h"
#include "UI/Base/UIString.h"

namespace {

using Vellum::CUIString;
using Vellum::UICharNext;

// 乗 = 81 5C: a double-byte character whose trail byte is "\".
// 丄 = 81 41: trail byte "A".  表 = B1 ED.

TEST(CharStep, LeadBytesOfCodePage936) {
    // Every byte value before "A": only 0x81..0xFE start a two-byte character.
    for (int byte = 1; byte <= 0xFF; ++byte) {
        const char text[] = {static_cast<char>(byte), 'A', '\0'};
        const bool lead = byte >= 0x81 && byte <= 0xFE;
        EXPECT_EQ(UICharNext(text) - text, lead ? 2 : 1) << "byte " << byte;
    }
    // The NUL stays put, and a lead byte right before it stands alone.
    const char* end = "";
    EXPECT_EQ(UICharNext(end), end);
    const char lone[] = {'\x81', '\0'};
    EXPECT_EQ(UICharNext(lone), lone + 1);
}

TEST(UIString, InlineBelowSixtyThreeBytesHeapFromThere) {
    const std::string s62(62, 'a');
    const std::string s63(63, 'b');
    CUIString text(s62.c_str());
    EXPECT_TRUE(text.IsInline());
    text += "c";
    EXPECT_FALSE(text.IsInline());
    EXPECT_EQ(text.GetLength(), 63);
    EXPECT_EQ(std::string(text), s62 + "c");

    CUIString big(s63.c_str());
    EXPECT_FALSE(big.IsInline());
    big = "short";  // back to the inline buffer
    EXPECT_TRUE(big.IsInline());
    EXPECT_STREQ(big, "short");

    // Copies and moves keep the text whatever its home.
    CUIString long1((s63 + s63).c_str());
    CUIString copy(long1);
    CUIString moved(std::move(long1));
    EXPECT_EQ(copy, moved);
    EXPECT_EQ(moved.GetLength(), 126);
    CUIString shortMoved(CUIString("x"));
    EXPECT_STREQ(shortMoved, "x");
}

TEST(UIString, AssignAndAppendFromItselfAndFromShortBuffers) {
    CUIString text("abcdef");
    text.Assign(text.GetData() + 2, 3);
    EXPECT_STREQ(text, "cde");
    text.Append(text.GetData(), -1);
    EXPECT_STREQ(text, "cdecde");
    // A length beyond the text's NUL stops at the NUL; no byte past it is read.
    const char buffer[4] = {'x', 'y', '\0', 'z'};
    text.Assign(buffer, 4);
    EXPECT_STREQ(text, "xy");
    text.Assign(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(UIString, CompareIsCaseSensitiveAndStepsOverDoubleByteCharacters) {
    EXPECT_EQ(CUIString("BtnOk").Compare("BtnOk"), 0);
    EXPECT_NE(CUIString("BtnOk").Compare("btnok"), 0);
    EXPECT_EQ(CUIString("BtnOk").CompareNoCase("btnOK"), 0);
    EXPECT_LT(CUIString("abc").Compare("abd"), 0);
    EXPECT_LT(CUIString("ab").Compare("abc"), 0);
    // 丄 is the unit 0x8141; its trail byte "A" is not folded with "a".
    EXPECT_NE(CUIString("丄").CompareNoCase("\x81"
                                            "a"),
              0);
    // A double-byte character ranks above every single byte, 0xFF included.
    EXPECT_GT(CUIString("表").Compare("\xFF"), 0);
    EXPECT_TRUE(CUIString("a") == "a");
    EXPECT_TRUE("b" != CUIString("a"));

    std::map<CUIString, int> names{{"click", 1}, {"Click", 2}, {"表", 3}};
    EXPECT_EQ(names.at("click"), 1);
    EXPECT_EQ(names.at("Click"), 2);
    EXPECT_EQ(names.at("表"), 3);
}

TEST(UIString, FindAndReplaceNeverMatchATrailByte) {
    const CUIString path("C:\\乗\\x");  // 43 3A 5C 81 5C 5C 78
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 5);  // not the trail byte at 4
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(path.Find("\\x"), 5);
    EXPECT_EQ(path.Find(""), 0);
    EXPECT_EQ(path.Find("zz"), -1);
    EXPECT_EQ(path.Find('x', 99), -1);
    EXPECT_EQ(CUIString("丄").Find('A'), -1);

    CUIString replaced(path);
    EXPECT_EQ(replaced.Replace("\\", "/"), 2);
    EXPECT_STREQ(replaced, "C:/乗/x");
    CUIString grow("a-b-c");
    EXPECT_EQ(grow.Replace("-", std::string(70, '=').c_str()), 2);
    EXPECT_EQ(grow.GetLength(), 143);
    EXPECT_EQ(grow.Replace("", "x"), 0);
}

TEST(UIString, SubstringsCaseAndFormat) {
    const CUIString text("Hello, World");
    EXPECT_STREQ(text.Left(5), "Hello");
    EXPECT_STREQ(text.Mid(7), "World");
    EXPECT_STREQ(text.Mid(7, 2), "Wo");
    EXPECT_STREQ(text.Mid(50), "");
    EXPECT_STREQ(text.Right(5), "World");
    EXPECT_STREQ(text.Right(99), "Hello, World");
    EXPECT_EQ(text[0], 'H');
    EXPECT_EQ(text[99], '\0');

    CUIString mixed("abc丄");
    mixed.MakeUpper();
    EXPECT_STREQ(mixed, "ABC丄");
    mixed.MakeLower();
    EXPECT_STREQ(mixed, "abc丄");  // the trail byte "A" stays

    CUIString formatted;
    EXPECT_EQ(formatted.Format("file='%s' dest='0,%d,32,%d'", "MsgBoxIcon.png", 4, 36), 38);
    EXPECT_STREQ(formatted, "file='MsgBoxIcon.png' dest='0,4,32,36'");
    const std::string longText(300, 'q');
    EXPECT_EQ(formatted.Format("%s!", longText.c_str()), 301);
    EXPECT_EQ(std::string(formatted), longText + "!");
}

}  // namespace
