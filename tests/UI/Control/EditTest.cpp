// The text box in a real window: its skin attributes on the box and on the
// native EDIT it hosts; GBK text both ways between the box and the EDIT's
// window text; typing, Tab, Escape and Enter with real keys from outside;
// the hint on screen while the box is empty; and the EDIT following the box
// (layout, window size, containers, disabling, removal).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UI/Window/RenderTestSupport.h"
#include "UI/Control/EditUI.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/WindowTestSupport.h"
#include "support/Screenshot.h"

using namespace Vellum;
using windowtest::CenterOf;
using windowtest::PumpUntil;
using windowtest::SkinFolder;
using windowtest::Snapshot;
using windowtest::TestWnd;

namespace {

// "Filter" takes the row's free width beside a fixed 40 px; its hint is
// green here so that no anti-aliased edge of dark text passes for it.
const char kEditSkin[] = R"(<Window size="360,260" showshadow="false">
  <Font name="微软雅黑" size="14" default="true" />
  <Font name="微软雅黑" size="20" />
  <VerticalLayout name="Page" bkcolor="#FFF5F7FA" inset="10,10,10,10" childpadding="8">
    <Button name="Before" text="Before" height="28" bkcolor="#FF2563EB" textcolor="#FFFFFFFF" />
    <HorizontalLayout name="Row" height="30">
      <Edit name="Filter" hint="筛选名称或路径" hinttextcolor="#FF10B981" textcolor="#FF1F2937"
            disabledtextcolor="#FFB45309" focusbordercolor="#FF2563EB" textpadding="8,0,8,0" />
      <Control width="40" />
    </HorizontalLayout>
    <Button name="After" text="After" height="28" bkcolor="#FF2563EB" textcolor="#FFFFFFFF" />
    <Edit name="Styled" height="30" font="1" prompt="提示" textcolor="#FF112233" bkcolor="#FFFEF3C7"
          bordersize="2" bordercolor="#FF334455" maxchar="5" textpadding="4,2,4,2" />
    <VerticalLayout name="Short" height="16">
      <Edit name="Cut" height="30" />
    </VerticalLayout>
    <Control name="Blank" />
  </VerticalLayout>
</Window>)";

const uint32_t kHintGreen = 0x10B981;
const uint32_t kTextDark = 0x1F2937;

std::string ScreenshotPath(const char* name) { return windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, name); }

class Edit : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CShadowUI::Initialize(CUIManager::GetInstance()); }
    void SetUp() override {
        m_skins.Write("Edit.xml", kEditSkin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        ::SetWindowPos(m_wnd, nullptr, 100, 100, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
        m_wnd.ShowAndLayout();
        m_filter = Box("Filter");
        ASSERT_NE(nullptr, m_filter);
        // The text at each "textchanged", in order.
        m_filter->OnNotify.push_back([this](TNotification& msg) {
            if (msg.sType == "textchanged") m_changes.push_back(m_filter->GetText().ToStdString());
            return true;
        });
        m_wnd.m_notifications.clear();
    }
    void TearDown() override {
        if (::IsWindow(m_wnd)) ::DestroyWindow(m_wnd);
    }
    CEditUI* Box(const char* name) {
        CControlUI* control = m_wnd.Find(name);
        return control ? static_cast<CEditUI*>(control->GetInterface("Edit")) : nullptr;
    }
    CUIManager& Manager() { return m_wnd.GetManager(); }
    // Where a native window is, in the client coordinates of the test window.
    RECT PlaceOf(HWND hWnd) const {
        RECT rc = {0, 0, 0, 0};
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(nullptr, m_wnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    int Count(const std::string& notification) const {
        return static_cast<int>(std::count(m_wnd.m_notifications.begin(), m_wnd.m_notifications.end(), notification));
    }
    // A real click into the filter's EDIT, once the box has the focus.
    void ClickIntoFilter() {
        ASSERT_TRUE(windowtest::XClick(m_wnd, CenterOf(m_filter)));
        ASSERT_TRUE(PumpUntil([&] { return Manager().GetFocus() == m_filter; }));
        ASSERT_EQ(m_filter->GetNativeWindow(), ::GetFocus());
    }
    // How many pixels of `rc` (client coordinates) a picture of the screen
    // shows within 40 of `rgb`; -1 when no picture could be taken.
    int OnScreen(const RECT& rc, uint32_t rgb) {
        testsupport::Screenshot shot;
        if (!shot.Take(ScreenshotPath("edit_scratch.png"))) return -1;
        POINT origin = {0, 0};
        ::ClientToScreen(m_wnd, &origin);
        const testsupport::ScreenRect window = {origin.x, origin.y, 0, 0};
        const testsupport::ScreenRect rect = {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
        return shot.Count(window, rect, testsupport::RgbOf(rgb), 40);
    }
    // Waits until the screen shows more than `atLeast` such pixels in `rc`
    // (or, with `atLeast` -1, none); the screen follows the window's painting
    // a little later.
    bool ScreenShows(const RECT& rc, uint32_t rgb, int atLeast) {
        return PumpUntil([&] {
            const int count = OnScreen(rc, rgb);
            return atLeast < 0 ? count == 0 : count > atLeast;
        });
    }
    static int InPicture(const Snapshot& shot, const RECT& rc, uint32_t rgb) {
        int count = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) count += windowtest::NearColor(shot.At(x, y), rgb, 40) ? 1 : 0;
        return count;
    }

    SkinFolder m_skins;
    TestWnd m_wnd{"Edit.xml"};
    CEditUI* m_filter = nullptr;
    std::vector<std::string> m_changes;
};

TEST_F(Edit, SkinAttributesReachTheBoxAndItsEdit) {
    CEditUI* styled = Box("Styled");
    ASSERT_NE(nullptr, styled);
    EXPECT_STREQ("EditUI", styled->GetClass());
    EXPECT_EQ("提示", styled->GetHint().ToStdString());  // "prompt" names the hint too
    EXPECT_EQ(0xFF112233u, styled->GetTextColor());
    EXPECT_EQ(0xFFFEF3C7u, styled->GetBkColor());
    EXPECT_EQ(1, styled->GetFont());
    EXPECT_EQ(5, styled->GetMaxChar());
    EXPECT_EQ("筛选名称或路径", m_filter->GetHint().ToStdString());
    EXPECT_EQ(0xFF10B981u, m_filter->GetHintTextColor());
    // A box without hint colour shows a grey hint.
    EXPECT_EQ(0xFF9CA3AFu, CEditUI().GetHintTextColor());

    // The EDIT: a child of the window, in the box's font, with its limit,
    // inside the border (2) and the text padding (4,2,4,2).
    HWND edit = styled->GetNativeWindow();
    ASSERT_NE(nullptr, edit);
    char cls[32] = {0};
    ::GetClassNameA(edit, cls, sizeof(cls));
    EXPECT_STREQ("VellumEdit", cls);
    EXPECT_EQ(static_cast<HWND>(m_wnd), ::GetParent(edit));
    EXPECT_TRUE(::IsWindowVisible(edit));
    EXPECT_EQ(Manager().GetFont(1), reinterpret_cast<HFONT>(::SendMessageA(edit, WM_GETFONT, 0, 0)));
    EXPECT_EQ(5, static_cast<int>(::SendMessageA(edit, EM_GETLIMITTEXT, 0, 0)));
    const RECT box = styled->GetPos();
    const RECT place = PlaceOf(edit);
    EXPECT_EQ(box.left + 6, place.left);
    EXPECT_EQ(box.right - 6, place.right);
    EXPECT_GE(place.top, box.top + 4);
    EXPECT_LE(place.bottom, box.bottom - 4);

    // The EDIT paints in the box's colours (it asks its parent for them):
    // the background beside the text, and the text colour.
    styled->SetText("ab");
    ::UpdateWindow(edit);
    const Snapshot shot(Manager());
    EXPECT_TRUE(windowtest::NearColor(shot.At(place.right - 3, (place.top + place.bottom) / 2), 0xFEF3C7))
        << std::hex << shot.At(place.right - 3, (place.top + place.bottom) / 2);
    EXPECT_GT(InPicture(shot, place, 0x112233), 0);
    EXPECT_TRUE(windowtest::NearColor(shot.At(box.left, (box.top + box.bottom) / 2), 0x334455));
}

// GBK both ways: a text set on the box is the EDIT's window text byte for
// byte, and a window text put into the EDIT (as the input method or a paste
// put it) is the box's text. 誠 is D5 5C in GBK: its trail byte is a
// backslash, which no step may take for a path separator.
TEST_F(Edit, GbkTextRoundTripsThroughTheWindowText) {
    HWND edit = m_filter->GetNativeWindow();
    ASSERT_NE(nullptr, edit);
    const char* texts[] = {"单机游戏 誠", "E:\\网络游戏\\誠\\", "abc", ""};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        m_changes.clear();
        m_filter->SetText(text);
        char window[256] = {0};
        ::GetWindowTextA(edit, window, sizeof(window));
        EXPECT_EQ(std::string(text), window);
        EXPECT_EQ(std::string(text), m_filter->GetText().ToStdString());
        EXPECT_TRUE(m_changes.empty()) << "the program's own text was reported as typed";

        // Through the window text, from an empty box: one change, the same bytes.
        m_filter->SetText("");
        ::SetWindowTextA(edit, text);
        EXPECT_EQ(std::string(text), m_filter->GetText().ToStdString());
        EXPECT_EQ(*text ? std::vector<std::string>{text} : std::vector<std::string>{}, m_changes);
    }
    EXPECT_EQ(std::string("\xD5\x5C"), std::string("誠"));
}

TEST_F(Edit, TypingWithRealKeysChangesTheTextOnceAKey) {
    ClickIntoFilter();
    ASSERT_TRUE(windowtest::XType("abc"));
    ASSERT_TRUE(PumpUntil([&] { return m_filter->GetText() == "abc"; })) << m_filter->GetText().GetData();
    ASSERT_TRUE(windowtest::XKeys({"BackSpace"}));
    ASSERT_TRUE(PumpUntil([&] { return m_filter->GetText() == "ab"; }));
    windowtest::PumpPending();
    EXPECT_EQ((std::vector<std::string>{"a", "ab", "abc", "ab"}), m_changes);
    EXPECT_EQ(4, Count("textchanged:Filter"));

    // The limit holds for what is typed: "Styled" takes five characters.
    CEditUI* styled = Box("Styled");
    ASSERT_TRUE(windowtest::XClick(m_wnd, CenterOf(styled)));
    ASSERT_TRUE(PumpUntil([&] { return Manager().GetFocus() == styled; }));
    ASSERT_TRUE(windowtest::XType("1234567"));
    ASSERT_TRUE(windowtest::XKeys({"Return"}));  // the last key: everything before it was handled
    ASSERT_TRUE(PumpUntil([&] { return Count("return:Styled") == 1; }));
    EXPECT_EQ("12345", styled->GetText().ToStdString());
}

// Escape in a box with text clears it and goes no further; in an empty box
// it is the window's Escape, which closes the test window. Enter says
// "return" and changes nothing.
TEST_F(Edit, EscapeClearsTheBoxBeforeItReachesTheWindowAndEnterSaysReturn) {
    ClickIntoFilter();
    ASSERT_TRUE(windowtest::XType("ab"));
    ASSERT_TRUE(PumpUntil([&] { return m_filter->GetText() == "ab"; }));
    ASSERT_TRUE(windowtest::XKeys({"Return"}));
    ASSERT_TRUE(PumpUntil([&] { return Count("return:Filter") == 1; }));
    EXPECT_EQ("ab", m_filter->GetText().ToStdString());

    ASSERT_TRUE(windowtest::XKeys({"Escape"}));
    ASSERT_TRUE(PumpUntil([&] { return m_filter->GetText().IsEmpty(); }));
    windowtest::PumpPending();
    EXPECT_TRUE(::IsWindow(m_wnd)) << "Escape in a box with text closed the window";
    EXPECT_EQ((std::vector<std::string>{"a", "ab", ""}), m_changes);
    EXPECT_EQ(m_filter->GetNativeWindow(), ::GetFocus());

    ASSERT_TRUE(windowtest::XKeys({"Escape"}));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(m_wnd); })) << "Escape in an empty box did not reach the window";
}

TEST_F(Edit, TabMovesTheFocusIntoAndOutOfTheBox) {
    HWND edit = m_filter->GetNativeWindow();
    // The keyboard on the window: a click on a blank place.
    ASSERT_TRUE(windowtest::XClick(m_wnd, CenterOf(m_wnd.Find("Blank"))));
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == static_cast<HWND>(m_wnd); }));
    m_wnd.Find("Before")->SetFocus();

    const struct {
        const char* key;
        const char* focus;  // the control that has the framework's focus after it
    } steps[] = {{"Tab", "Filter"}, {"Tab", "After"}, {"shift+Tab", "Filter"}, {"shift+Tab", "Before"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(std::string(step.key) + " to " + step.focus);
        ASSERT_TRUE(windowtest::XKeys({step.key}));
        ASSERT_TRUE(PumpUntil([&] { return Manager().GetFocus() == m_wnd.Find(step.focus); }));
        const bool inBox = m_filter == m_wnd.Find(step.focus);
        EXPECT_EQ(inBox ? edit : static_cast<HWND>(m_wnd), ::GetFocus());
        EXPECT_EQ(inBox, m_filter->IsFocused());
        if (inBox && m_filter->GetText().IsEmpty()) {
            // The keys go to the EDIT now.
            ASSERT_TRUE(windowtest::XType("q"));
            ASSERT_TRUE(PumpUntil([&] { return m_filter->GetText() == "q"; }));
        } else if (inBox) {
            // Back in by Tab, the whole text is selected, to be typed over.
            DWORD from = 99, to = 99;
            ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            EXPECT_EQ(0u, from);
            EXPECT_EQ(1u, to);
        }
    }

    // A click into the EDIT takes the framework's focus with it and leaves the
    // caret where it landed (right of the "q"), selecting nothing; a click on
    // a blank place takes both focuses away.
    ClickIntoFilter();
    DWORD from = 99, to = 99;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(1u, from);
    EXPECT_EQ(1u, to);
    ASSERT_TRUE(windowtest::XClick(m_wnd, CenterOf(m_wnd.Find("Blank"))));
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == static_cast<HWND>(m_wnd); }));
    EXPECT_EQ(nullptr, Manager().GetFocus());
    EXPECT_FALSE(m_filter->IsFocused());
}

// The box keeps the focus while another window is active, and its EDIT
// gets the keyboard back when its window is activated again (Alt+Tab, the
// window above it closing).
TEST_F(Edit, TheKeyboardComesBackToTheBoxWithItsWindow) {
    ClickIntoFilter();
    TestWnd other("Edit.xml");
    ASSERT_NE(nullptr, other.CreateHidden());
    other.ShowAndLayout();
    ::SetActiveWindow(other);
    ASSERT_EQ(static_cast<HWND>(other), ::GetFocus());
    EXPECT_EQ(m_filter, Manager().GetFocus());
    ::SetActiveWindow(m_wnd);
    EXPECT_EQ(m_filter->GetNativeWindow(), ::GetFocus());
    EXPECT_EQ(m_filter, Manager().GetFocus());
    ::DestroyWindow(other);
}

// Keys typed into the EDIT reach the box's event delegates first, as every
// focused control's keys do; a delegate that returns false keeps the key
// from the EDIT.
TEST_F(Edit, KeysPassTheBoxEventDelegatesFirst) {
    std::string seen;
    m_filter->OnEvent.push_back([&](TEventUI& event) {
        if (event.Type != UIEVENT_CHAR) return true;
        seen += event.chKey;
        return event.chKey != 'x';
    });
    ClickIntoFilter();
    ASSERT_TRUE(windowtest::XType("axb"));
    ASSERT_TRUE(windowtest::XKeys({"Return"}));
    ASSERT_TRUE(PumpUntil([&] { return Count("return:Filter") == 1; }));
    EXPECT_EQ("ab", m_filter->GetText().ToStdString());
    EXPECT_EQ("axb", seen.substr(0, 3));
}

// The hint shows while the box is empty — with the focus too: the operator
// who has just tabbed in is the one who needs to read what goes there — and
// goes when there is text. Checked on the real screen and in the manager's
// picture of the window.
TEST_F(Edit, HintShowsWhileTheBoxIsEmpty) {
    HWND edit = m_filter->GetNativeWindow();
    const RECT place = PlaceOf(edit);
    EXPECT_TRUE(ScreenShows(place, kHintGreen, 20));
    EXPECT_GT(InPicture(Snapshot(Manager()), place, kHintGreen), 20);
    windowtest::SaveWindowPng(Manager(), ScreenshotPath("edit_hint.png"));

    ClickIntoFilter();
    EXPECT_TRUE(ScreenShows(place, kHintGreen, 20)) << "the hint went with the focus";

    ASSERT_TRUE(windowtest::XType("Tr"));
    ASSERT_TRUE(PumpUntil([&] { return m_filter->GetText() == "Tr"; }));
    EXPECT_TRUE(ScreenShows(place, kHintGreen, -1)) << "the hint stayed beside typed text";
    EXPECT_TRUE(ScreenShows(place, kTextDark, 5));

    m_filter->SetText("单机游戏 誠");
    ::UpdateWindow(edit);
    const Snapshot shot(Manager());
    shot.SavePng(ScreenshotPath("edit_text.png"));
    EXPECT_EQ(0, InPicture(shot, place, kHintGreen));
    EXPECT_GT(InPicture(shot, place, kTextDark), 5);

    m_filter->SetText("");
    EXPECT_TRUE(ScreenShows(place, kHintGreen, 20)) << "the hint did not come back";
}

// Disabled, the box hides its EDIT (it could not be typed into) and draws
// its text itself in the disabled colour; Tab passes it by.
TEST_F(Edit, DisabledBoxHidesItsEditAndIsSkippedByTab) {
    HWND edit = m_filter->GetNativeWindow();
    ClickIntoFilter();
    m_filter->SetText("abc");
    m_filter->SetEnabled(false);
    EXPECT_FALSE(::IsWindowVisible(edit));
    EXPECT_FALSE(::IsWindowEnabled(edit));
    EXPECT_EQ(nullptr, Manager().GetFocus());
    EXPECT_EQ(static_cast<HWND>(m_wnd), ::GetFocus());
    const Snapshot shot(Manager());
    shot.SavePng(ScreenshotPath("edit_disabled.png"));
    const RECT box = m_filter->GetPos();
    EXPECT_GT(InPicture(shot, box, 0xB45309), 5);

    m_wnd.Find("Before")->SetFocus();
    ASSERT_TRUE(windowtest::XKeys({"Tab"}));
    ASSERT_TRUE(PumpUntil([&] { return Manager().GetFocus() == m_wnd.Find("After"); }));

    m_filter->SetEnabled(true);
    EXPECT_TRUE(::IsWindowVisible(edit));
    EXPECT_TRUE(::IsWindowEnabled(edit));
    EXPECT_EQ("abc", m_filter->GetText().ToStdString());
}

// The EDIT stays over the box's text area: after a wider window's layout,
// and as the containers around the box are hidden, shown or cut it.
TEST_F(Edit, TheEditFollowsTheBox) {
    HWND edit = m_filter->GetNativeWindow();
    const auto overTextArea = [&] {
        const RECT box = m_filter->GetPos();
        const RECT place = PlaceOf(edit);
        // Border 1, text padding 8 at the sides; one line high, centred.
        return place.left == box.left + 9 && place.right == box.right - 9 && place.top > box.top &&
               place.bottom < box.bottom && std::abs((place.top + place.bottom) - (box.top + box.bottom)) <= 1;
    };
    EXPECT_TRUE(overTextArea());
    const int before = m_filter->GetWidth();
    ::SetWindowPos(m_wnd, nullptr, 0, 0, 480, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return m_filter->GetWidth() == before + 120; }));
    EXPECT_TRUE(overTextArea());

    const struct {
        const char* name;  // the control hidden, then shown again
    } hidden[] = {{"Filter"}, {"Row"}};
    for (const auto& c : hidden) {
        SCOPED_TRACE(c.name);
        m_wnd.Find(c.name)->SetVisible(false);
        EXPECT_FALSE(::IsWindowVisible(edit));
        windowtest::PumpPending();
        m_wnd.Find(c.name)->SetVisible(true);
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(edit) != FALSE; }));
        EXPECT_TRUE(overTextArea());
    }

    // "Cut" is 30 high in a container 16 high: only the part inside shows.
    HWND cut = Box("Cut")->GetNativeWindow();
    const RECT container = m_wnd.Find("Short")->GetPos();
    const RECT place = PlaceOf(cut);
    RECT region = {0, 0, 0, 0};
    ASSERT_NE(ERROR, ::GetWindowRgnBox(cut, &region));
    EXPECT_EQ(container.bottom, place.top + region.bottom);
    EXPECT_EQ(0, region.top);
}

TEST_F(Edit, TheEditGoesWithTheBox) {
    HWND edit = m_filter->GetNativeWindow();
    ClickIntoFilter();
    auto* row = static_cast<CContainerUI*>(m_wnd.Find("Row")->GetInterface("Container"));
    ASSERT_NE(nullptr, row);
    ASSERT_TRUE(row->Remove(m_filter));
    m_filter = nullptr;
    EXPECT_FALSE(::IsWindow(edit));
    EXPECT_EQ(nullptr, Manager().GetFocus());
    windowtest::PumpPending();  // the box itself goes after the message

    // The window goes with its EDITs; the boxes, deleted with the window
    // object later, let go of theirs.
    CEditUI* styled = Box("Styled");
    HWND styledEdit = styled->GetNativeWindow();
    ASSERT_TRUE(::IsWindow(styledEdit));
    ::DestroyWindow(m_wnd);
    EXPECT_FALSE(::IsWindow(styledEdit));
    EXPECT_EQ(nullptr, styled->GetNativeWindow());
}

}  // namespace
