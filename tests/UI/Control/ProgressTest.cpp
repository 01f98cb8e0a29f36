// The progress bar painted into a bitmap: the filled share follows the value
// (left to right, or bottom to top), and the marquee block moves with the
// bar's own timer.
#include <gtest/gtest.h>

#include "UI/Window/RenderTestSupport.h"
#include "UI/Control/ProgressUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/WindowTestSupport.h"

using namespace Vellum;
using windowtest::SkinFolder;
using windowtest::Snapshot;
using windowtest::TestWnd;

namespace {

// Bars 200 px wide (x 0..200) below each other; the vertical one 20x100.
const char kProgressSkin[] = R"(<Window size="300,200" showshadow="false">
  <VerticalLayout bkcolor="#FFFFFFFF">
    <Progress name="Half" width="200" height="20" min="0" max="200" value="100" bkcolor="#FFE5E7EB" forecolor="#FF2563EB" />
    <Progress name="Clamped" width="200" height="20" value="250" bkcolor="#FFE5E7EB" forecolor="#FF2563EB" />
    <Progress name="Marquee" width="200" height="20" marquee="true" bkcolor="#FFE5E7EB" forecolor="#FF2563EB" />
    <Progress name="Up" width="20" height="100" hor="false" value="25" bkcolor="#FFE5E7EB" forecolor="#FF2563EB" />
    <Control />
  </VerticalLayout>
</Window>)";

const uint32_t kFore = 0x2563EB;
const uint32_t kBack = 0xE5E7EB;

class Progress : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CShadowUI::Initialize(CUIManager::GetInstance()); }
    void SetUp() override {
        m_skins.Write("Progress.xml", kProgressSkin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        m_wnd.ShowAndLayout();
    }
    void TearDown() override { ::DestroyWindow(m_wnd); }
    CProgressUI* Bar(const char* name) { return static_cast<CProgressUI*>(m_wnd.Find(name)->GetInterface("Progress")); }

    SkinFolder m_skins;
    TestWnd m_wnd{"Progress.xml"};
};

TEST_F(Progress, FillFollowsTheValue) {
    EXPECT_EQ(100, Bar("Half")->GetValue());
    EXPECT_EQ(100, Bar("Clamped")->GetValue());  // kept inside 0..100
    const Snapshot shot(m_wnd.GetManager());
    EXPECT_TRUE(windowtest::NearColor(shot.At(95, 10), kFore));
    EXPECT_TRUE(windowtest::NearColor(shot.At(105, 10), kBack));
    EXPECT_TRUE(windowtest::NearColor(shot.At(195, 30), kFore));
    // Vertical: a quarter filled from the bottom (y 60..160 in the window).
    EXPECT_TRUE(windowtest::NearColor(shot.At(10, 155), kFore));
    EXPECT_TRUE(windowtest::NearColor(shot.At(10, 125), kBack));
    Bar("Half")->SetValue(-5);
    const Snapshot empty(m_wnd.GetManager());
    EXPECT_EQ(0, Bar("Half")->GetValue());
    EXPECT_TRUE(windowtest::NearColor(empty.At(5, 10), kBack));
}

TEST_F(Progress, MarqueeTimerMovesTheBlock) {
    const int start = Bar("Marquee")->GetMarqueePos();
    ASSERT_TRUE(windowtest::PumpUntil([&] { return Bar("Marquee")->GetMarqueePos() >= start + 200; }));
    const Snapshot first(m_wnd.GetManager());
    const int pos = Bar("Marquee")->GetMarqueePos();
    ASSERT_TRUE(windowtest::PumpUntil([&] { return Bar("Marquee")->GetMarqueePos() != pos; }));
    const Snapshot second(m_wnd.GetManager());
    int differing = 0;
    for (int x = 0; x < 200; ++x) differing += first.At(x, 50) != second.At(x, 50);
    EXPECT_GT(differing, 0);
    // The window hears nothing of the bar's own animation.
    for (const std::string& n : m_wnd.m_notifications) EXPECT_NE("timer:Marquee", n);
    // Switched off, the block stops.
    Bar("Marquee")->SetMarquee(false);
    const int stopped = Bar("Marquee")->GetMarqueePos();
    windowtest::PumpUntil([] { return false; }, 150);
    EXPECT_EQ(stopped, Bar("Marquee")->GetMarqueePos());
}

}  // namespace
