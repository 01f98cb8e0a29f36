// Layout, control state and painting under Wine: box layouts with fixed,
// min/max and floating children, visibility, delayed destruction, focus and
// timers; pixels of colours, borders, images, text and button states read
// back through the manager's paint-into-DC entry.
#include <gtest/gtest.h>

#include "UI/Window/RenderTestSupport.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Core/ControlUI.h"
#include "UI/Window/WindowTestSupport.h"

using namespace Vellum;
using windowtest::NearColor;
using windowtest::SkinFolder;
using windowtest::Snapshot;
using windowtest::TestWnd;

namespace {

const char kLayoutSkin[] = R"(<Window size="200,200" showshadow="false">
  <VerticalLayout name="V" inset="5,5,5,5" childpadding="10">
    <Control name="Fixed" height="30" />
    <Control name="Capped" maxheight="40" />
    <Control name="Rest" />
    <HorizontalLayout name="H" height="20" childpadding="4">
      <Control name="HFixed" width="50" padding="3,0,0,0" />
      <Control name="HMin" minwidth="80" />
      <Control name="HRest" />
    </HorizontalLayout>
    <Control name="Float" float="true" pos="-40,-30,-10,-10" />
  </VerticalLayout>
</Window>)";

std::string RectText(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

class LayoutPaint : public ::testing::Test {
protected:
    SkinFolder m_skins;
};

TEST_F(LayoutPaint, BoxLayoutsGiveFixedSizesFirstAndShareTheRestWithinMinMax) {
    m_skins.Write("Layout.xml", kLayoutSkin);
    TestWnd wnd("Layout.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    const struct {
        const char* name;
        const char* rect;
    } expected[] = {
        {"Fixed", "5,5,195,35"},      {"Capped", "5,45,195,85"},    {"Rest", "5,95,195,165"},
        {"H", "5,175,195,195"},       {"HFixed", "8,175,58,195"},   {"HMin", "62,175,142,195"},
        {"HRest", "146,175,195,195"}, {"Float", "155,165,185,185"},
    };
    for (const auto& e : expected) EXPECT_EQ(e.rect, RectText(wnd.Find(e.name)->GetPos())) << e.name;

    // Hiding a child lays the parent out again; hiding a container hides its children.
    wnd.Find("Capped")->SetVisible(false);
    wnd.ShowAndLayout();
    EXPECT_EQ("5,45,195,165", RectText(wnd.Find("Rest")->GetPos()));
    wnd.Find("H")->SetVisible(false);
    EXPECT_FALSE(wnd.Find("HMin")->IsVisible());
    wnd.Find("H")->SetVisible(true);
    EXPECT_TRUE(wnd.Find("HMin")->IsVisible());
    ::DestroyWindow(wnd);
}

TEST_F(LayoutPaint, DraggingASeparatorResizesItsLayout) {
    m_skins.Write("Sep.xml", R"(<Window size="400,100" showshadow="false"><HorizontalLayout>
      <HorizontalLayout name="Left" width="100" sepwidth="4" maxwidth="200"><Button name="InLeft" /></HorizontalLayout>
      <HorizontalLayout name="Live" width="60" sepwidth="-4" sepimm="true" />
      <Control name="Rest" />
    </HorizontalLayout></Window>)");
    TestWnd wnd("Sep.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    // The strip over the button's edge belongs to the separator, not the button.
    windowtest::DragHeld(wnd, {98, 50}, {138, 50});
    wnd.ShowAndLayout();
    EXPECT_EQ(100, wnd.Find("Left")->GetWidth());  // applied at the release only
    windowtest::ReleaseAt(wnd, {138, 50});
    wnd.ShowAndLayout();
    EXPECT_EQ(140, wnd.Find("Left")->GetWidth());
    EXPECT_EQ(std::vector<std::string>{"windowinit:"}, wnd.m_notifications);  // no click
    windowtest::Drag(wnd, {138, 50}, {390, 50});
    wnd.ShowAndLayout();
    EXPECT_EQ(200, wnd.Find("Left")->GetWidth());  // held at its maximum
    // A strip at the left edge, applied at each move of the drag.
    const int liveLeft = wnd.Find("Live")->GetPos().left;
    windowtest::DragHeld(wnd, {liveLeft + 1, 50}, {liveLeft - 19, 50}, 4);
    wnd.ShowAndLayout();
    EXPECT_EQ(80, wnd.Find("Live")->GetWidth());
    windowtest::ReleaseAt(wnd, {liveLeft - 19, 50});
    ::DestroyWindow(wnd);
}

// Four numbers along the flow of a box layout (main) and across it (cross),
// written as a skin rectangle for either layout: left,top,right,bottom.
struct TFlowQuad {
    int mainFrom, crossFrom, mainTo, crossTo;
};

std::string FlowText(const TFlowQuad& q, bool vertical) {
    if (vertical) return RectText(RECT{q.crossFrom, q.mainFrom, q.crossTo, q.mainTo});
    return RectText(RECT{q.mainFrom, q.crossFrom, q.mainTo, q.crossTo});
}

// A child of the flow test; a length of 0 leaves that attribute out.
struct TFlowChild {
    const char* name;
    int main, minMain, maxMain;
    int cross, minCross, maxCross;
    TFlowQuad padding;  // before and after the child on each axis
    bool floating;
    TFlowQuad pos;
    TFlowQuad expected;
};

// Layout 300 long and 100 across, inset 10 before and 20 after along the flow,
// 5 and 15 across (inner: 10..280 by 5..85), children 6 apart.
const TFlowChild kFlowChildren[] = {
    // Fixed length; across, the full inner size less the padding.
    {"Fixed", 40, 0, 0, 0, 0, 0, {2, 3, 4, 5}, false, {}, {12, 8, 52, 80}},
    // An even share (68) below the minimum takes the minimum; a fixed size
    // across is held to the maximum across.
    {"Min", 0, 100, 0, 30, 0, 20, {}, false, {}, {62, 5, 162, 25}},
    // A share above the maximum takes the maximum; the minimum across wins
    // even over the inner size.
    {"Max", 0, 0, 30, 0, 90, 0, {}, false, {}, {168, 5, 198, 95}},
    // The rest; across, the inner size held to the maximum.
    {"Rest", 0, 0, 0, 0, 0, 50, {}, false, {}, {204, 5, 280, 55}},
    // Placed from the far corner of the inner rectangle, outside the flow.
    {"Float", 0, 0, 0, 0, 0, 0, {}, true, {-50, -40, -10, -10}, {230, 45, 270, 75}},
};

std::string FlowSkin(bool vertical) {
    const char* layout = vertical ? "VerticalLayout" : "HorizontalLayout";
    const char* mainName = vertical ? "height" : "width";
    const char* crossName = vertical ? "width" : "height";
    auto length = [](const std::string& name, int value) {
        return value == 0 ? std::string() : " " + name + "=\"" + std::to_string(value) + "\"";
    };
    std::string xml = "<Window size=\"" + std::string(vertical ? "100,300" : "300,100") + "\" showshadow=\"false\"><" +
                      layout + " inset=\"" + FlowText({10, 5, 20, 15}, vertical) + "\" childpadding=\"6\">";
    for (const TFlowChild& c : kFlowChildren) {
        xml += std::string("<Control name=\"") + c.name + "\"";
        xml += length(mainName, c.main) + length(std::string("min") + mainName, c.minMain) +
               length(std::string("max") + mainName, c.maxMain);
        xml += length(crossName, c.cross) + length(std::string("min") + crossName, c.minCross) +
               length(std::string("max") + crossName, c.maxCross);
        xml += " padding=\"" + FlowText(c.padding, vertical) + "\"";
        if (c.floating) xml += " float=\"true\" pos=\"" + FlowText(c.pos, vertical) + "\"";
        xml += " />";
    }
    return xml + "</" + layout + "></Window>";
}

// Both layouts run one routine along their own axis: the same flow laid out
// horizontally and vertically gives the same rectangles with x and y swapped.
TEST_F(LayoutPaint, BothBoxLayoutsPlaceTheSameFlowAlongTheirOwnAxis) {
    for (const bool vertical : {false, true}) {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        m_skins.Write("Flow.xml", FlowSkin(vertical));
        TestWnd wnd("Flow.xml");
        ASSERT_NE(nullptr, wnd.CreateHidden());
        wnd.ShowAndLayout();
        for (const TFlowChild& c : kFlowChildren) {
            SCOPED_TRACE(c.name);
            ASSERT_NE(nullptr, wnd.Find(c.name));
            EXPECT_EQ(FlowText(c.expected, vertical), RectText(wnd.Find(c.name)->GetPos()));
        }
        ::DestroyWindow(wnd);
    }
}

// "sepheight" is the vertical layout's strip; "sepwidth" means nothing to it.
TEST_F(LayoutPaint, DraggingAVerticalSeparatorResizesItsHeight) {
    m_skins.Write("VSep.xml", R"(<Window size="100,400" showshadow="false"><VerticalLayout>
      <VerticalLayout name="Top" height="100" sepheight="4" sepwidth="60" maxheight="200"><Button name="InTop" /></VerticalLayout>
      <Control name="Rest" />
    </VerticalLayout></Window>)");
    TestWnd wnd("VSep.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    windowtest::Drag(wnd, {50, 98}, {50, 138});
    wnd.ShowAndLayout();
    EXPECT_EQ(140, wnd.Find("Top")->GetHeight());
    EXPECT_EQ(std::vector<std::string>{"windowinit:"}, wnd.m_notifications);  // the strip took the press
    // No strip at the right edge: a click there reaches the button.
    windowtest::PostClick(wnd, POINT{90, windowtest::CenterOf(wnd.Find("InTop")).y});
    EXPECT_TRUE(windowtest::PumpUntil([&] { return wnd.m_notifications.back() == "click:InTop"; }));
    EXPECT_EQ(140, wnd.Find("Top")->GetHeight());
    ::DestroyWindow(wnd);
}

// Notes its own destruction.
class CProbeUI : public CControlUI {
public:
    explicit CProbeUI(bool* destroyed) : m_destroyed(destroyed) {}
    ~CProbeUI() override { *m_destroyed = true; }

private:
    bool* m_destroyed;
};

TEST_F(LayoutPaint, RemovedControlLivesUntilTheCleanupMessage) {
    m_skins.Write("Layout.xml", kLayoutSkin);
    TestWnd wnd("Layout.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    auto* v = static_cast<CContainerUI*>(wnd.Find("V")->GetInterface("Container"));
    bool destroyed = false;
    auto* probe = new CProbeUI(&destroyed);
    probe->SetName("Probe");
    ASSERT_TRUE(v->Add(probe));
    EXPECT_EQ(probe, wnd.Find("Probe"));  // an added subtree is named at once
    ASSERT_TRUE(v->Remove(probe));
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(nullptr, wnd.Find("Probe"));
    EXPECT_EQ("Probe", probe->GetName());  // still readable during this message
    windowtest::PumpPending();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(v->Remove(wnd.Find("Nothing")));
    EXPECT_EQ(nullptr, v->GetItemAt(99));
    ::DestroyWindow(wnd);
}

TEST_F(LayoutPaint, FocusMovesWithNotificationsAndSkipsHiddenOrDisabledControls) {
    m_skins.Write("Focus.xml", R"(<Window size="200,200" showshadow="false"><VerticalLayout>
      <Button name="One" height="30" /><Button name="Two" height="30" /><Button name="Off" height="30" enabled="false" />
      <Button name="Gone" height="30" visible="false" /><Control />
    </VerticalLayout></Window>)");
    TestWnd wnd("Focus.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    CUIManager& pm = wnd.GetManager();
    pm.SetFocusControl(wnd.Find("One"));
    wnd.m_notifications.clear();
    pm.SetFocusControl(wnd.Find("Two"));
    EXPECT_EQ((std::vector<std::string>{"killfocus:One", "setfocus:Two"}), wnd.m_notifications);
    pm.SetFocusControl(wnd.Find("Off"));
    pm.SetFocusControl(wnd.Find("Gone"));
    EXPECT_EQ(wnd.Find("Two"), pm.GetFocus());
    // Tab walks the tab stops that can take the focus, and wraps.
    windowtest::PostKey(wnd, VK_TAB);
    windowtest::PumpPending();
    EXPECT_EQ(wnd.Find("One"), pm.GetFocus());
    // Hiding the focused control drops the focus.
    wnd.Find("One")->SetVisible(false);
    EXPECT_EQ(nullptr, pm.GetFocus());
    ::DestroyWindow(wnd);
}

TEST_F(LayoutPaint, ControlTimerSendsTimerNotifications) {
    m_skins.Write("Layout.xml", kLayoutSkin);
    TestWnd wnd("Layout.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    CUIManager& pm = wnd.GetManager();
    ASSERT_TRUE(pm.SetTimer(wnd.Find("Rest"), 5, 10));
    const bool fired = windowtest::PumpUntil([&] {
        for (const std::string& n : wnd.m_notifications) {
            if (n == "timer:Rest") return true;
        }
        return false;
    });
    EXPECT_TRUE(fired);
    EXPECT_TRUE(pm.KillTimer(wnd.Find("Rest"), 5));
    EXPECT_FALSE(pm.KillTimer(wnd.Find("Rest"), 5));
    ::DestroyWindow(wnd);
}

TEST_F(LayoutPaint, BackgroundCaptureIsDroppedWhenTheWindowGrows) {
    // A root without colour shows the captured background; after a resize the
    // old capture no longer fits and the window colour shows instead.
    m_skins.Write("Bare.xml", R"(<Window size="100,80" showshadow="false"><VerticalLayout>
      <Control name="Box" height="20" bkcolor="#FF00FF00" /><Control /></VerticalLayout></Window>)");
    TestWnd wnd("Bare.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    ::SetWindowPos(wnd, nullptr, 0, 0, 220, 160, SWP_NOMOVE | SWP_NOZORDER);
    wnd.ShowAndLayout();
    const Snapshot s(wnd.GetManager());
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const uint32_t expected = (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window);
    EXPECT_EQ(expected, s.At(200, 150));
    EXPECT_EQ(expected, s.At(50, 70));
    EXPECT_EQ(0x00FF00u, s.At(200, 10));  // the layout followed the new size
    ::DestroyWindow(wnd);
}

const char kPaintSkin[] = R"(<Window size="200,200" showshadow="false">
  <VerticalLayout bkcolor="#FFFFFFFF">
    <HorizontalLayout height="30">
      <Control name="Grid" width="30" bkimage="file='grid.png' corner='1,1,1,1'" />
      <Control name="Hole" width="30" bkimage="file='grid.png' corner='1,1,1,1' hole='true'" />
      <Control name="Tiled" width="30" bkimage="file='stripe.png' xtiled='true'" />
      <Control name="Stretched" width="30" bkimage="stripe.png" />
      <Control name="Faded" width="30" bkimage="file='red.png' fade='128'" />
      <Control name="Part" width="30" bkimage="file='stripe.png' source='1,0,2,1' dest='5,5,15,15'" />
      <Control name="Masked" width="20" bkimage="file='stripe.png' mask='#FFFF0000'" />
    </HorizontalLayout>
    <HorizontalLayout height="30">
      <Control name="Solid" width="30" bkcolor="#FFFF0000" />
      <Control name="Half" width="30" bkcolor="#80FF0000" />
      <Control name="None" width="30" bkcolor="#00FF0000" />
      <Control name="Border" width="30" bordersize="2" bordercolor="#FF0000FF" />
      <Control name="Round" width="30" bkcolor="#FF00FF00" borderround="14,14" />
      <Control name="Gradient" width="30" bkcolor="#FF000000" bkcolor2="#FFFFFFFF" />
    </HorizontalLayout>
    <HorizontalLayout height="40">
      <Label name="Text" width="70" text="测试文字" textcolor="#FF000000" />
      <Label name="Clipped" width="40" text="很长很长很长很长的文字" endellipsis="true" textcolor="#FF000000" />
      <Control name="Gap" width="20" />
      <Button name="Btn" width="60" bkcolor="#FF2563EB" hotbkcolor="#FF1D4ED8" pushedbkcolor="#FF1E40AF"
              disabledbkcolor="#FF93C5FD" text="按钮" textcolor="#FFFFFFFF" />
    </HorizontalLayout>
    <Text name="Html" height="40" showhtml="true" text="&lt;b&gt;粗体&lt;/b&gt; &lt;c #FFFF0000&gt;红色&lt;/c&gt; &lt;x&gt;" />
    <HorizontalLayout height="30">
      <Button name="Ring" width="60" bkcolor="#FF2563EB" disabledbkcolor="#FF93C5FD" bordersize="2"
              bordercolor="#00000000" focusbordercolor="#FF0F172A" />
    </HorizontalLayout>
    <Control />
  </VerticalLayout>
</Window>)";

class Painted : public LayoutPaint {
protected:
    void SetUp() override {
        // Corners red, edges green, centre blue; a red|blue stripe; plain red.
        const uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;
        windowtest::WriteTestPng(m_skins.File("grid.png"), {R, G, R, G, B, G, R, G, R}, 3, 3);
        windowtest::WriteTestPng(m_skins.File("stripe.png"), {R, B}, 2, 1);
        windowtest::WriteTestPng(m_skins.File("red.png"), {R}, 1, 1);
        m_skins.Write("Paint.xml", kPaintSkin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        m_wnd.ShowAndLayout();
    }
    void TearDown() override { ::DestroyWindow(m_wnd); }
    POINT At(const char* name, int dx, int dy) {
        const RECT& rc = m_wnd.Find(name)->GetPos();
        return {rc.left + dx, rc.top + dy};
    }
    uint32_t Pixel(const Snapshot& s, const char* name, int dx, int dy) {
        const POINT p = At(name, dx, dy);
        return s.At(p.x, p.y);
    }

    TestWnd m_wnd{"Paint.xml"};
};

TEST_F(Painted, ImagesDrawByNineGridTilingFadeSourceAndDest) {
    const Snapshot s(m_wnd.GetManager());
    EXPECT_EQ(0xFF0000u, Pixel(s, "Grid", 0, 0));
    EXPECT_EQ(0x00FF00u, Pixel(s, "Grid", 15, 0));
    EXPECT_EQ(0x0000FFu, Pixel(s, "Grid", 15, 15));
    EXPECT_EQ(0xFF0000u, Pixel(s, "Grid", 29, 29));
    EXPECT_EQ(0xFFFFFFu, Pixel(s, "Hole", 15, 15));
    EXPECT_EQ(0x00FF00u, Pixel(s, "Hole", 0, 15));
    EXPECT_EQ(0xFF0000u, Pixel(s, "Tiled", 0, 5));
    EXPECT_EQ(0x0000FFu, Pixel(s, "Tiled", 1, 5));
    EXPECT_EQ(0xFF0000u, Pixel(s, "Tiled", 28, 5));
    EXPECT_EQ(0xFF0000u, Pixel(s, "Stretched", 2, 5));
    EXPECT_EQ(0x0000FFu, Pixel(s, "Stretched", 27, 5));
    EXPECT_TRUE(NearColor(Pixel(s, "Faded", 15, 15), 0xFF7F7F)) << std::hex << Pixel(s, "Faded", 15, 15);
    EXPECT_EQ(0x0000FFu, Pixel(s, "Part", 10, 10));
    EXPECT_EQ(0xFFFFFFu, Pixel(s, "Part", 2, 2));
    EXPECT_EQ(0xFFFFFFu, Pixel(s, "Part", 20, 20));
    EXPECT_EQ(0xFFFFFFu, Pixel(s, "Masked", 2, 5));  // the mask colour is transparent
    EXPECT_EQ(0x0000FFu, Pixel(s, "Masked", 17, 5));
}

TEST_F(Painted, ColoursBordersRoundCornersAndGradients) {
    const Snapshot s(m_wnd.GetManager());
    EXPECT_EQ(0xFF0000u, Pixel(s, "Solid", 15, 15));
    EXPECT_TRUE(NearColor(Pixel(s, "Half", 15, 15), 0xFF7F7F)) << std::hex << Pixel(s, "Half", 15, 15);
    EXPECT_EQ(0xFFFFFFu, Pixel(s, "None", 15, 15));  // colour with alpha 0 draws nothing
    EXPECT_EQ(0x0000FFu, Pixel(s, "Border", 0, 0));
    EXPECT_EQ(0x0000FFu, Pixel(s, "Border", 1, 15));
    EXPECT_EQ(0xFFFFFFu, Pixel(s, "Border", 2, 15));
    EXPECT_EQ(0xFFFFFFu, Pixel(s, "Round", 0, 0));  // outside the round outline
    EXPECT_EQ(0x00FF00u, Pixel(s, "Round", 15, 15));
    const uint32_t top = Pixel(s, "Gradient", 15, 0), middle = Pixel(s, "Gradient", 15, 15),
                   bottom = Pixel(s, "Gradient", 15, 29);
    EXPECT_LT(top & 0xFF, middle & 0xFF);
    EXPECT_LT(middle & 0xFF, bottom & 0xFF);
}

TEST_F(Painted, TextIsDrawnAndEllipsisedInsideItsLabel) {
    const Snapshot s(m_wnd.GetManager());
    EXPECT_GT(s.CountDark(m_wnd.Find("Text")->GetPos()), 20);
    EXPECT_GT(s.CountDark(m_wnd.Find("Clipped")->GetPos()), 10);
    EXPECT_EQ(0, s.CountDark(m_wnd.Find("Gap")->GetPos()));  // nothing spills out
    EXPECT_GT(s.CountDark(m_wnd.Find("Html")->GetPos()), 20);
    // The coloured word: anti-aliased, so counted by its red cast.
    int reddish = 0;
    const RECT& html = m_wnd.Find("Html")->GetPos();
    for (int y = html.top; y < html.bottom; ++y) {
        for (int x = html.left; x < html.right; ++x) {
            const uint32_t c = s.At(x, y);
            const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
            if (r > g + 60 && r > b + 60) ++reddish;
        }
    }
    EXPECT_GT(reddish, 5);
    // Text measures: a label's height follows its font, a text's width its words.
    const SIZE label = m_wnd.Find("Text")->EstimateSize({200, 200});
    EXPECT_EQ(70, label.cx);
    EXPECT_GT(label.cy, 10);
    const SIZE text = m_wnd.Find("Html")->EstimateSize({200, 200});
    EXPECT_EQ(40, text.cy);  // fixed
    EXPECT_GT(text.cx, 30);
    EXPECT_LT(text.cx, 200);
}

TEST_F(Painted, ButtonShowsHotPushedAndDisabledColours) {
    HWND hWnd = m_wnd;
    const POINT centre = windowtest::CenterOf(m_wnd.Find("Btn"));
    EXPECT_EQ(0x2563EBu, Pixel(Snapshot(m_wnd.GetManager()), "Btn", 3, 3));
    ::SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(0x1D4ED8u, Pixel(Snapshot(m_wnd.GetManager()), "Btn", 3, 3));
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(0x1E40AFu, Pixel(Snapshot(m_wnd.GetManager()), "Btn", 3, 3));
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ("click:Btn", m_wnd.m_notifications.back());
    m_wnd.Find("Btn")->SetEnabled(false);
    EXPECT_EQ(0x93C5FDu, Pixel(Snapshot(m_wnd.GetManager()), "Btn", 3, 3));
    // A press on a disabled button says nothing at all.
    const std::vector<std::string> before = m_wnd.m_notifications;
    windowtest::SendClick(hWnd, centre);
    EXPECT_EQ(before, m_wnd.m_notifications);
    EXPECT_EQ(1, std::count(m_wnd.m_notifications.begin(), m_wnd.m_notifications.end(), std::string("click:Btn")));
}

// A button disabled while it has the focus (删除 once a job has started)
// loses it, as a native window does, and with it the ring that says Enter
// would press it.
TEST_F(Painted, AButtonDisabledWhileFocusedLosesTheFocusAndItsRing) {
    Vellum::CControlUI* ring = m_wnd.Find("Ring");
    windowtest::SendClick(m_wnd, windowtest::CenterOf(ring));
    ASSERT_EQ(ring, m_wnd.GetManager().GetFocus());
    EXPECT_EQ(0x0F172Au, Pixel(Snapshot(m_wnd.GetManager()), "Ring", 0, 15));
    ring->SetEnabled(false);
    EXPECT_EQ(nullptr, m_wnd.GetManager().GetFocus());
    EXPECT_FALSE(ring->IsFocused());
    EXPECT_EQ(0x93C5FDu, Pixel(Snapshot(m_wnd.GetManager()), "Ring", 0, 15));
    // Enabled again it has no focus to show until it is given it.
    ring->SetEnabled(true);
    EXPECT_EQ(0x2563EBu, Pixel(Snapshot(m_wnd.GetManager()), "Ring", 0, 15));
}

}  // namespace
