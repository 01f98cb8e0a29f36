// The in-place parser: documents in, trees or exact errors out.
#include <gtest/gtest.h>

#include <string>

#include "UI/Markup/XmlDocument.h"
#include "XmlTreeDump.h"

namespace {

using markuptest::DumpDocument;
using Vellum::CXmlDocument;
using Vellum::CXmlNode;

struct ParseCase {
    const char* pstrName;
    std::string strText;
    std::string strTree;    // expected tree, when the parse succeeds
    const char* pstrError;  // expected message, nullptr when the parse succeeds
    std::string strLocation;
};

// Texts here are code page 936 (the sources are compiled to GBK). The GBK cases
// use characters whose trail byte is an ASCII character:
//   乗 = 81 5C (trail "\"), 乢 = 81 5F (trail "_"), 丄 = 81 41 (trail "A"),
//   表 = B1 ED.
const ParseCase kCases[] = {
    {"ElementsAttributesAndData", R"(<Window size="10,20"><Label name="a" text="x"/><Text>hi</Text></Window>)",
     "Window[size=10,20](Label[name=a;text=x],Text'hi')", nullptr, ""},
    {"EmptyDocument", "", "", nullptr, ""},
    {"BlankDocument", " \r\n\t ", "", nullptr, ""},
    {"RootLeftOpen", "<Window><Label/>", "Window(Label)", nullptr, ""},
    {"SecondLevelLeftOpenInData", "<a><b>text", "a(b'text')", nullptr, ""},
    {"ThirdLevelLeftOpenInData", "<a><b><c>text", "", "Expected end-tag start", ""},
    {"ThirdLevelLeftOpenAfterChild", "<a><b><c/>", "", "Expected start tag", ""},
    {"NestedSiblingsAndClosing", "<a><b><c/></b><d>t</d></a>", "a(b(c),d't')", nullptr, ""},
    {"SeveralTopLevelElements", "<a/><b/>", "a,b", nullptr, ""},
    {"BlanksInsideTags", "< a  b = \"1\"\t></ a >", "a[b=1]", nullptr, ""},
    {"AttributesWithoutBlankBetween", R"(<a x="1"y="2"/>)", "a[x=1;y=2]", nullptr, ""},
    {"EmptyValueAndMarkupCharsInValue", R"(<a e="" v="1<2>3"/>)", "a[e=;v=1<2>3]", nullptr, ""},
    {"KnownEntities", "<a v=\"&amp;&lt;&gt;&quot;&apos;\">x &amp; y</a>", "a[v=&<>\"']'x & y'", nullptr, ""},
    {"UnknownEntitiesStayAsWritten", R"(<a v="&copy; &#65; &amp &">&nbsp;;</a>)", "a[v=&copy; &#65; &amp &]'&nbsp;;'",
     nullptr, ""},
    {"WhitespaceInDataIsKept", "<a>  two  spaces\tand tab </a>", "a'  two  spaces\tand tab '", nullptr, ""},
    {"CommentsAndProcessingInstructions", R"(<?xml version="1.0"?><!-- top --><a><!-- in --><b/><?pi x?></a>)", "a(b)",
     nullptr, ""},
    {"UnterminatedCommentEndsTheDocument", "<a/><!-- open", "a", nullptr, ""},
    {"ClosingTagAtTopLevelEndsTheParse", "<a/></x> anything", "a", nullptr, ""},
    {"GbkNamesAndValues", "<表 乗=\"丄乢\" 乢=\"x乗\">乗表</表>", "表[乗=丄乢;乢=x乗]'乗表'", nullptr, ""},
    {"GbkCharacterContinuesAName", "<a乗 b丄=\"1\"/>", "a乗[b丄=1]", nullptr, ""},

    {"TextBeforeRoot", "text<a/>", "", "Expected start tag", "text<a/>"},
    {"TextAfterRoot", "<a>x</a>tail", "", "Expected start tag", "tail"},
    {"CommentHoldingArrowEndsEarly", "<a><!-- x -> y --><b/></a>", "", "Expected start tag", "y --><b/></a>"},
    {"HyphenEndsTheName", "<a-b/>", "", "Expected start-tag closing", "-b/>"},
    {"DotEndsTheName", "<a.b></a.b>", "", "Expected start-tag closing", ".b></a.b>"},
    {"SlashNotFollowedByClose", R"(<a b="1" / >)", "", "Expected start-tag closing", "/ >"},
    {"NameRunsToTheEnd", "<abc", "", "Error parsing element name", ""},
    {"TagRunsToTheEnd", "<abc ", "", "Expected start-tag closing", ""},
    {"SingleQuotedValue", "<a v='1'/>", "", "Expected attribute value", "'1'/>"},
    {"AttributeWithoutValue", "<a b>", "", "Error while parsing attributes", ">"},
    {"AttributeWithoutEquals", R"(<a b "1">)", "", "Error while parsing attributes", "\"1\">"},
    {"ValueRunsToTheEnd", R"(<a b="xyz)", "", "Error while parsing attribute string", ""},
    {"ClosingNameDiffers", "<a><b></a></b>", "", "Unmatched closing tag", "a></b>"},
    {"ClosingNameLonger", "<a></ab>", "", "Unmatched closing tag", "b>"},
    {"ClosingNameShorter", "<ab></a>", "", "Unmatched closing tag", "a>"},
    {"ClosingTagWithoutBracket", "<a></a x>", "", "Unmatched closing tag", "x>"},
};

class ParseTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTable, GivesTreeOrExactError) {
    const ParseCase& c = GetParam();
    CXmlDocument doc;
    const bool ok = doc.Load(c.strText.c_str());
    if (c.pstrError == nullptr) {
        ASSERT_TRUE(ok) << doc.GetErrorMessage() << " at \"" << doc.GetErrorLocation() << "\"";
        EXPECT_EQ(DumpDocument(doc), c.strTree);
        EXPECT_STREQ(doc.GetErrorMessage(), "");
    } else {
        ASSERT_FALSE(ok) << DumpDocument(doc);
        EXPECT_STREQ(doc.GetErrorMessage(), c.pstrError);
        EXPECT_EQ(std::string(doc.GetErrorLocation()), c.strLocation);
        EXPECT_FALSE(doc.GetRoot().IsValid());
    }
}

INSTANTIATE_TEST_SUITE_P(Documents, ParseTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ParseCase>& info) { return info.param.pstrName; });

TEST(XmlParser, ErrorLocationIsTheFirst49BytesAndKeepsCharactersWhole) {
    CXmlDocument doc;
    const std::string tail(80, 'x');
    EXPECT_FALSE(doc.Load(("<a/>" + tail).c_str()));
    EXPECT_EQ(std::string(doc.GetErrorLocation()), tail.substr(0, 49));

    // 48 single bytes, then a double-byte character across the 49-byte limit.
    const std::string text = std::string(48, 'y') + "表表";
    EXPECT_FALSE(doc.Load(text.c_str()));
    EXPECT_EQ(std::string(doc.GetErrorLocation()), std::string(48, 'y'));
}

TEST(XmlParser, NodeNavigation) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load(R"(<Window><Font name="f"/><VerticalLayout><Button name="ok"/></VerticalLayout></Window>)"));
    const CXmlNode root = doc.GetRoot();
    EXPECT_EQ(root.GetIndex(), 1u);
    EXPECT_FALSE(root.GetParent().IsValid());
    EXPECT_FALSE(root.HasSiblings());
    const CXmlNode layout = root.GetChild("VerticalLayout");
    ASSERT_TRUE(layout.IsValid());
    EXPECT_STREQ(layout.GetParent().GetName(), "Window");
    EXPECT_STREQ(root.GetChild().GetSibling().GetName(), "VerticalLayout");
    EXPECT_STREQ(layout.GetChild().GetAttributeValue("name"), "ok");
    EXPECT_FALSE(layout.GetChild().HasChildren());
    EXPECT_FALSE(root.GetChild("Label").IsValid());
    EXPECT_EQ(doc.GetElementCount(), 4u);

    // An invalid node answers empty everywhere.
    const CXmlNode none;
    EXPECT_STREQ(none.GetName(), "");
    EXPECT_STREQ(none.GetValue(), "");
    EXPECT_EQ(none.GetAttributeCount(), 0);
    EXPECT_FALSE(none.GetChild().IsValid());
}

TEST(XmlParser, AttributeLookupByNameAndIndex) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load(R"(<a name="n" text="" name="second"/>)"));
    const CXmlNode a = doc.GetRoot();
    EXPECT_TRUE(a.HasAttribute("text"));
    EXPECT_FALSE(a.HasAttribute("Name"));            // case-sensitive
    EXPECT_STREQ(a.GetAttributeValue("name"), "n");  // the first of two wins
    EXPECT_STREQ(a.GetAttributeValue("missing"), "");
    EXPECT_STREQ(a.GetAttributeName(2), "name");
    EXPECT_STREQ(a.GetAttributeValue(2), "second");
    EXPECT_STREQ(a.GetAttributeName(3), "");
    EXPECT_STREQ(a.GetAttributeValue(-1), "");

    char buffer[CXmlNode::kAttributeBufferSize];
    EXPECT_FALSE(a.GetAttributeValue("missing", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(a.GetAttributeValue("name", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "n");
}

TEST(XmlParser, AttributeBufferHolds499BytesWithoutSplittingACharacter) {
    CXmlDocument doc;
    const std::string ascii(600, 'v');
    // 497 single bytes, then double-byte characters: the one at 497..498 fits,
    // the next (499..500) would need a 501-byte buffer.
    const std::string gbk = std::string(497, 'w') + "表表表";
    ASSERT_TRUE(doc.Load(("<a v=\"" + ascii + "\" g=\"" + gbk + "\"/>").c_str()));
    char buffer[CXmlNode::kAttributeBufferSize];
    ASSERT_TRUE(doc.GetRoot().GetAttributeValue("v", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), ascii.substr(0, 499));
    ASSERT_TRUE(doc.GetRoot().GetAttributeValue("g", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), gbk.substr(0, 499));

    const std::string odd = std::string(498, 'w') + "表";
    ASSERT_TRUE(doc.Load(("<a g=\"" + odd + "\"/>").c_str()));
    ASSERT_TRUE(doc.GetRoot().GetAttributeValue("g", buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), std::string(498, 'w'));
}

std::string ElementWithAttributes(int count) {
    std::string text = "<a";
    for (int i = 0; i < count; ++i) {
        text += " n" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    }
    return text + "/>";
}

TEST(XmlParser, SixtyFourAttributesAreSeenTheSixtyFifthIsNot) {
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load(ElementWithAttributes(64).c_str()));
    EXPECT_EQ(doc.GetRoot().GetAttributeCount(), 64);
    EXPECT_STREQ(doc.GetRoot().GetAttributeValue("n63"), "63");

    ASSERT_TRUE(doc.Load(ElementWithAttributes(65).c_str()));
    const CXmlNode a = doc.GetRoot();
    EXPECT_EQ(a.GetAttributeCount(), 64);
    EXPECT_STREQ(a.GetAttributeValue("n63"), "63");
    EXPECT_FALSE(a.HasAttribute("n64"));
}

TEST(XmlParser, WhitespaceAfterASpaceIsDroppedOnlyWhenNotPreserved) {
    const char* text = "<a v=\"x  \t y\">p \r\n q</a>";
    CXmlDocument keep;
    ASSERT_TRUE(keep.Load(text));
    EXPECT_STREQ(keep.GetRoot().GetAttributeValue("v"), "x  \t y");
    EXPECT_STREQ(keep.GetRoot().GetValue(), "p \r\n q");

    CXmlDocument squeeze;
    squeeze.SetPreserveWhitespace(false);
    ASSERT_TRUE(squeeze.Load(text));
    EXPECT_STREQ(squeeze.GetRoot().GetAttributeValue("v"), "x y");
    EXPECT_STREQ(squeeze.GetRoot().GetValue(), "p q");
}

TEST(XmlParser, ManyElementsGrowTheTableAndKeepTheirLinks) {
    std::string text = "<list>";
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        text += "<i n=\"" + std::to_string(i) + "\"/>";
    }
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load((text + "</list>").c_str()));
    EXPECT_EQ(doc.GetElementCount(), static_cast<size_t>(count + 1));
    int seen = 0;
    for (CXmlNode item = doc.GetRoot().GetChild(); item.IsValid(); item = item.GetSibling()) {
        ASSERT_EQ(std::string(item.GetAttributeValue("n")), std::to_string(seen));
        ++seen;
    }
    EXPECT_EQ(seen, count);
}

TEST(XmlParser, DeepNestingNeedsNoRecursion) {
    // Far deeper than any stack would take one call per level.
    const int depth = 200000;
    std::string text;
    for (int i = 0; i < depth; ++i) {
        text += "<d>";
    }
    CXmlDocument doc;
    EXPECT_FALSE(doc.Load(text.c_str()));
    EXPECT_STREQ(doc.GetErrorMessage(), "Expected end-tag start");
    for (int i = 0; i < depth; ++i) {
        text += "</d>";
    }
    ASSERT_TRUE(doc.Load(text.c_str()));
    EXPECT_EQ(doc.GetElementCount(), static_cast<size_t>(depth));
}

TEST(XmlParser, ReloadingReplacesTheDocumentAndClearsTheError) {
    CXmlDocument doc;
    EXPECT_FALSE(doc.Load("<a"));
    EXPECT_STREQ(doc.GetErrorMessage(), "Error parsing element name");
    ASSERT_TRUE(doc.Load("<b/>"));
    EXPECT_STREQ(doc.GetErrorMessage(), "");
    EXPECT_STREQ(doc.GetErrorLocation(), "");
    EXPECT_STREQ(doc.GetRoot().GetName(), "b");
}

}  // namespace
