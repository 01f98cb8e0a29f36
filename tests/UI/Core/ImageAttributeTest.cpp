// Image attributes under Wine: every image member of the controls is read
// when it is set and drawn from what was read. An attribute changed after a
// paint paints its new image; each descriptor key paints the same through
// every kind of image member; the places controls compute at paint time
// (a progress fill, a column separator, a glyph cell, a check box kept in
// the middle of its row) land where they did; and an image that could not
// be drawn is not tried again when its file turns up later.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UI/Window/RenderTestSupport.h"
#include "UI/Control/ListTextElementExUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Window/WindowTestSupport.h"
#include "support/LogCapture.h"

using namespace Vellum;
using windowtest::SkinFolder;
using windowtest::Snapshot;

namespace {

const uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x808080;

// A point of a control (relative to its left/top) and the colour expected there.
struct Probe {
    const char* control;
    int dx;
    int dy;
    uint32_t color;
};

class ImageAttributes : public ::testing::Test {
protected:
    // The log writer keeps the first file it writes to: point it at the
    // capture folder before a missing image logs.
    static void SetUpTestSuite() { testsupport::LogCapture first; }
    void SetUp() override {
        // Corners red, edges green, centre blue; a red|blue stripe; plain
        // colours; a 40x10 bar red on its left half, blue on its right.
        windowtest::WriteTestPng(m_skins.File("grid.png"), {R, G, R, G, B, G, R, G, R}, 3, 3);
        windowtest::WriteTestPng(m_skins.File("stripe.png"), {R, B}, 2, 1);
        windowtest::WriteTestPng(m_skins.File("red.png"), {R}, 1, 1);
        windowtest::WriteTestPng(m_skins.File("blue.png"), {B}, 1, 1);
        std::vector<uint32_t> half(40 * 10);
        for (size_t i = 0; i < half.size(); ++i) half[i] = (i % 40) < 20 ? R : B;
        windowtest::WriteTestPng(m_skins.File("half.png"), half, 40, 10);
        // Glyph strips of plain 16x16 cells: normal red, hot green, selected
        // blue, disabled grey, so a cell shows by its colour.
        const uint32_t cells[] = {R, G, B, K};
        std::vector<uint32_t> strip(64 * 16);
        for (size_t i = 0; i < strip.size(); ++i) strip[i] = cells[(i % 64) / 16];
        windowtest::WriteTestPng(m_skins.File("Default_Checkbox.png"), strip, 64, 16);
        windowtest::WriteTestPng(m_skins.File("Default_Radio.png"), strip, 64, 16);
    }
    void TearDown() override { Close(); }
    // Opens a white window holding `controls` in a column.
    void Open(const std::string& controls) {
        Close();
        m_skins.Write("Images.xml",
                      "<Window size=\"300,300\" showshadow=\"false\"><VerticalLayout bkcolor=\"#FFFFFFFF\">" +
                          controls + "<Control /></VerticalLayout></Window>");
        m_wnd.reset(new windowtest::TestWnd("Images.xml"));
        ASSERT_NE(nullptr, m_wnd->CreateHidden());
        m_wnd->ShowAndLayout();
    }
    void Close() {
        if (m_wnd && ::IsWindow(*m_wnd)) ::DestroyWindow(*m_wnd);
    }
    CControlUI* Find(const char* name) { return m_wnd->Find(name); }
    Snapshot Paint() {
        ::UpdateWindow(*m_wnd);
        windowtest::PumpPending();
        return Snapshot(m_wnd->GetManager());
    }
    uint32_t At(const Snapshot& s, const char* control, int dx, int dy) {
        const RECT& rc = Find(control)->GetPos();
        return s.At(rc.left + dx, rc.top + dy);
    }
    void ExpectProbes(const Snapshot& s, const std::vector<Probe>& probes) {
        for (const Probe& p : probes) {
            const uint32_t actual = At(s, p.control, p.dx, p.dy);
            EXPECT_TRUE(windowtest::NearColor(actual, p.color))
                << p.control << " at " << p.dx << "," << p.dy << ": " << std::hex << actual << " not " << p.color;
        }
    }

    SkinFolder m_skins;
    std::unique_ptr<windowtest::TestWnd> m_wnd;
};

// Each image member, set to red, painted, then set to blue in code.
TEST_F(ImageAttributes, AnAttributeChangedAfterAPaintPaintsItsNewImage) {
    const struct {
        const char* xml;     // the control "X" with its image set to red.png
        const char* target;  // the control whose attribute changes
        const char* name;
        const char* probe;  // the control where it shows
    } cases[] = {
        {R"(<Control name="X" height="30" bkimage="red.png" />)", "X", "bkimage", "X"},
        {R"(<Button name="X" height="30" normalimage="red.png" />)", "X", "normalimage", "X"},
        {R"(<Button name="X" height="30" foreimage="red.png" />)", "X", "foreimage", "X"},
        {R"(<Option name="X" height="30" selected="true" selectedimage="red.png" />)", "X", "selectedimage", "X"},
        {R"(<Progress name="X" height="30" value="100" foreimage="red.png" />)", "X", "foreimage", "X"},
        {R"(<Combo name="X" height="30" normalimage="red.png" />)", "X", "normalimage", "X"},
        {R"(<List name="L" height="60"><ListHeader height="30"><ListHeaderItem name="X" normalimage="red.png" />)"
         R"(</ListHeader></List>)",
         "X", "normalimage", "X"},
        {R"(<List name="L" height="60" itembkimage="red.png"><ListHeader height="30"><ListHeaderItem />)"
         R"(</ListHeader><ListLabelElement name="X" /></List>)",
         "L", "itembkimage", "X"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        Open(c.xml);
        ExpectProbes(Paint(), {{c.probe, 10, 10, R}});
        Find(c.target)->SetAttribute(c.name, "blue.png");
        ExpectProbes(Paint(), {{c.probe, 10, 10, B}});
    }
}

// The descriptors and pixels of the layout test's image row, drawn through
// the background, a button's state and fore images, an option's selected
// image, a combo's and a column's normal image.
TEST_F(ImageAttributes, EveryDescriptorKeyPaintsTheSameThroughEveryImageMember) {
    const char* descriptors[] = {
        "file='grid.png' corner='1,1,1,1'",   "file='grid.png' corner='1,1,1,1' hole='true'",
        "file='stripe.png' xtiled='true'",    "stripe.png",
        "file='red.png' fade='128'",          "file='stripe.png' source='1,0,2,1' dest='5,5,15,15'",
        "file='stripe.png' mask='#FFFF0000'",
    };
    const std::vector<std::vector<Probe>> expected = {
        {{"", 0, 0, R}, {"", 15, 0, G}, {"", 15, 15, B}, {"", 29, 29, R}},
        {{"", 15, 15, W}, {"", 0, 15, G}},
        {{"", 0, 5, R}, {"", 1, 5, B}, {"", 28, 5, R}},
        {{"", 2, 5, R}, {"", 27, 5, B}},
        {{"", 15, 15, 0xFF7F7F}},
        {{"", 10, 10, B}, {"", 2, 2, W}, {"", 20, 20, W}},
        {{"", 2, 5, W}, {"", 17, 5, B}},  // the mask colour is transparent
    };
    // Each member: the element, the attribute and what wraps a row of them.
    const struct {
        const char* element;
        const char* attribute;
        const char* before;
        const char* after;
    } members[] = {
        {"Control", "bkimage", "<HorizontalLayout height=\"30\">", "</HorizontalLayout>"},
        {"Button", "normalimage", "<HorizontalLayout height=\"30\">", "</HorizontalLayout>"},
        {"Button", "foreimage", "<HorizontalLayout height=\"30\">", "</HorizontalLayout>"},
        {"Option selected=\"true\"", "selectedimage", "<HorizontalLayout height=\"30\">", "</HorizontalLayout>"},
        {"Combo", "normalimage", "<HorizontalLayout height=\"30\">", "</HorizontalLayout>"},
        {"ListHeaderItem", "normalimage", "<List height=\"30\"><ListHeader height=\"30\">", "</ListHeader></List>"},
    };
    std::string xml;
    for (size_t m = 0; m < sizeof(members) / sizeof(members[0]); ++m) {
        xml += members[m].before;
        for (size_t d = 0; d < sizeof(descriptors) / sizeof(descriptors[0]); ++d) {
            xml += "<" + std::string(members[m].element) + " name=\"m" + std::to_string(m) + "d" + std::to_string(d) +
                   "\" width=\"30\" height=\"30\" " + members[m].attribute + "=\"" + descriptors[d] + "\" />";
        }
        xml += std::string(members[m].after);
    }
    Open(xml);
    const Snapshot s = Paint();
    for (size_t m = 0; m < sizeof(members) / sizeof(members[0]); ++m) {
        for (size_t d = 0; d < expected.size(); ++d) {
            SCOPED_TRACE(std::string(members[m].element) + " " + members[m].attribute + "=\"" + descriptors[d] + "\"");
            const std::string name = "m" + std::to_string(m) + "d" + std::to_string(d);
            std::vector<Probe> probes = expected[d];
            for (Probe& p : probes) p.control = name.c_str();
            ExpectProbes(s, probes);
        }
    }
}

// The places controls work out while painting, one case each.
TEST_F(ImageAttributes, PlacesComputedAtPaintTimeOverrideTheLastImage) {
    Open(R"(<HorizontalLayout height="10">
          <Progress name="Stretched" width="40" value="50" foreimage="stripe.png" />
          <Control width="10" />
          <Progress name="Cut" width="40" value="25" isstretchfore="false" foreimage="half.png" />
          <Control width="10" />
          <Progress name="TwoImages" width="40" value="50" foreimage="file='red.png' file='blue.png'" />
        </HorizontalLayout>
        <List height="30"><ListHeader height="30">
          <ListHeaderItem name="RightSep" width="40" sepwidth="4" sepimage="blue.png" />
          <ListHeaderItem name="LeftSep" width="40" sepwidth="-4" sepimage="blue.png" />
        </ListHeader></List>
        <HorizontalLayout height="30">
          <CheckBox name="Box" width="40" />
          <CheckBox name="Ticked" width="40" selected="true" />
          <CheckBox name="Off" width="40" enabled="false" />
          <Option name="Radio" width="40" group="g" selected="true" />
        </HorizontalLayout>
        <List name="Rows" height="60" itemheight="30" header="hidden"><ListHeaderItem width="100" /></List>)");
    auto* rows = static_cast<CListUI*>(Find("Rows")->GetInterface("List"));
    ASSERT_NE(nullptr, rows);
    for (const char* name : {"Unticked", "TickedRow"}) {
        auto* row = new CListTextElementExUI;
        row->SetName(name);
        rows->Add(row);
        row->ShowCheckBox(true);
        row->SetChecked(std::string(name) == "TickedRow");
    }
    const Snapshot s = Paint();
    const struct {
        const char* what;
        std::vector<Probe> probes;
    } cases[] = {
        // The fill 0..20 of 40 takes the whole stripe; nothing beyond it.
        {"stretched fore image", {{"Stretched", 2, 5, R}, {"Stretched", 17, 5, B}, {"Stretched", 30, 5, W}}},
        // Not stretched: the part of the bar-sized image under the fill 0..10.
        {"cut fore image", {{"Cut", 8, 5, R}, {"Cut", 15, 5, W}}},
        // Only the last image gets the fill; the first covers the bar.
        {"two images", {{"TwoImages", 5, 5, B}, {"TwoImages", 30, 5, R}}},
        // The separator covers the 4-pixel strip at the right (or left) edge.
        {"separator", {{"RightSep", 37, 5, B}, {"RightSep", 35, 5, W}, {"RightSep", 20, 5, W}}},
        {"left separator", {{"LeftSep", 1, 5, B}, {"LeftSep", 5, 5, W}}},
        // The glyph cell of the state, 16x16, in the middle of 30 pixels: rows 7..22.
        {"glyph", {{"Box", 8, 7, R}, {"Box", 8, 22, R}, {"Box", 8, 6, W}, {"Box", 8, 23, W}, {"Box", 17, 15, W}}},
        {"ticked glyph", {{"Ticked", 8, 15, B}}},
        {"disabled glyph", {{"Off", 8, 15, K}}},
        {"radio glyph", {{"Radio", 8, 15, B}}},
        // A 30-pixel row moves the box (10..26 across, 2..18 down) 5 down.
        {"centred box",
         {{"Unticked", 12, 7, R},
          {"Unticked", 12, 22, R},
          {"Unticked", 12, 6, W},
          {"Unticked", 12, 23, W},
          {"Unticked", 9, 15, W},
          {"Unticked", 26, 15, W}}},
        {"centred ticked box", {{"TickedRow", 12, 15, B}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectProbes(s, c.probes);
    }
}

// A missing file is given up after the paint that missed it: it is looked
// for once per control however often the window paints, and when it turns
// up later the controls that missed it stay without it, while a control
// given the same image afresh draws it.
TEST_F(ImageAttributes, AnImageThatCouldNotBeDrawnIsNotTriedAgain) {
    testsupport::LogCapture log;
    auto misses = [&log] {
        int count = 0;
        for (const std::string& line : log.Lines()) count += line.find("late.png") != std::string::npos ? 1 : 0;
        return count;
    };
    Open(R"(<HorizontalLayout height="30">
          <Control name="Bk" width="30" bkimage="late.png" />
          <Button name="Btn" width="30" normalimage="file='late.png' corner='1,1,1,1'" />
          <Progress name="Bar" width="30" value="100" foreimage="late.png" />
          <Control name="Fresh" width="30" />
        </HorizontalLayout>
        <List name="L" height="60" itembkimage="late.png"><ListHeader height="30">
          <ListHeaderItem name="Col" width="40" sepwidth="10" sepimage="late.png" />
        </ListHeader><ListLabelElement name="Row" /></List>)");
    const Snapshot missed = Paint();
    Paint();
    EXPECT_EQ(5, misses());  // one per control, the window having painted more than once
    // Without its image the bar falls back to its plain fore colour.
    const std::vector<Probe> none = {
        {"Bk", 10, 10, W}, {"Btn", 10, 10, W}, {"Bar", 10, 10, 0x2563EB}, {"Col", 35, 10, W}, {"Row", 10, 10, W}};
    ExpectProbes(missed, none);
    EXPECT_STREQ("", Find("Bk")->GetBkImage());

    windowtest::WriteTestPng(m_skins.File("late.png"), {R}, 1, 1);
    Find("Fresh")->SetBkImage("late.png");
    const Snapshot later = Paint();
    ExpectProbes(later, none);
    ExpectProbes(later, {{"Fresh", 10, 10, R}});
    EXPECT_EQ(5, misses());
}

}  // namespace
