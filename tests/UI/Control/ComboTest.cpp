// The combo box in a real window: the selection rules, and its drop-down as a
// real popup window opened by a click, choosing by click or arrow key, and
// closed by Escape without the key reaching the window the combo is in. With
// real input from outside: the click that closes the drop-down acts on
// nothing beneath it, the next one does; clicks and the wheel inside it work.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "UI/Control/ComboListUI.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/ListLabelElementUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Control/OptionUI.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/WindowTestSupport.h"
#include "support/WineHost.h"

using namespace Vellum;
using windowtest::CenterOf;
using windowtest::PostClick;
using windowtest::PostKey;
using windowtest::PumpUntil;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

const char kComboSkin[] = R"(<Window size="300,200" showshadow="false">
  <VerticalLayout bkcolor="#FFF5F7FA" inset="10,10,10,10">
    <Combo name="Drives" width="160" height="28" />
    <Combo name="Sized" width="100" height="28" dropboxsize="200,60" dropbox="bkcolor=&quot;#FFFEF3C7&quot;" />
    <Control />
  </VerticalLayout>
</Window>)";

class Combo : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CShadowUI::Initialize(CUIManager::GetInstance()); }
    void SetUp() override {
        m_skins.Write("Combo.xml", kComboSkin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        m_wnd.ShowAndLayout();
        m_combo = static_cast<CComboUI*>(m_wnd.Find("Drives")->GetInterface("Combo"));
        ASSERT_NE(nullptr, m_combo);
        // Every "itemselect" with its indexes, as "new,previous".
        m_combo->OnNotify.push_back([this](TNotification& msg) {
            if (msg.sType == "itemselect")
                m_selects.push_back(std::to_string(static_cast<int>(msg.wParam)) + "," + std::to_string(msg.lParam));
            return true;
        });
    }
    void TearDown() override {
        if (::IsWindow(m_wnd)) ::DestroyWindow(m_wnd);
    }
    // Entries as the main window makes them: label rows with drive texts.
    void AddDrives(std::initializer_list<const char*> drives) {
        for (const char* drive : drives) {
            auto* entry = new CListLabelElementUI;
            entry->SetText(drive);
            ASSERT_TRUE(m_combo->Add(entry));
        }
    }
    int Count(const std::string& notification) const {
        return static_cast<int>(std::count(m_wnd.m_notifications.begin(), m_wnd.m_notifications.end(), notification));
    }
    HWND OpenByClick() {
        PostClick(m_wnd, CenterOf(m_combo));
        if (!PumpUntil([&] { return m_combo->IsDropped(); })) return nullptr;
        return m_combo->GetDropDownWindow();
    }

    SkinFolder m_skins;
    TestWnd m_wnd{"Combo.xml"};
    CComboUI* m_combo = nullptr;
    std::vector<std::string> m_selects;
};

TEST_F(Combo, SelectItemRules) {
    // Empty: refused without a word.
    EXPECT_FALSE(m_combo->SelectItem(0));
    EXPECT_EQ("", m_combo->GetText().ToStdString());
    AddDrives({"E:\\", "F:\\", "G:\\"});
    EXPECT_EQ(-1, m_combo->GetCurSel());
    EXPECT_EQ("", m_combo->GetText().ToStdString());
    EXPECT_TRUE(m_combo->SelectItem(0));
    EXPECT_EQ("E:\\", m_combo->GetText().ToStdString());
    // Past the end takes the last entry.
    EXPECT_TRUE(m_combo->SelectItem(99));
    EXPECT_EQ(2, m_combo->GetCurSel());
    EXPECT_EQ("G:\\", m_combo->GetText().ToStdString());
    EXPECT_TRUE(static_cast<IListItemUI*>(m_combo->GetItemAt(2)->GetInterface("ListItem"))->IsSelected());
    EXPECT_FALSE(static_cast<IListItemUI*>(m_combo->GetItemAt(0)->GetInterface("ListItem"))->IsSelected());
    // The same index again: nothing happens.
    EXPECT_TRUE(m_combo->SelectItem(2));
    // A negative index clears the selection and reports failure, silently.
    EXPECT_FALSE(m_combo->SelectItem(-1));
    EXPECT_EQ(-1, m_combo->GetCurSel());
    EXPECT_EQ("", m_combo->GetText().ToStdString());
    // A disabled entry cannot be chosen.
    m_combo->GetItemAt(1)->SetEnabled(false);
    EXPECT_FALSE(m_combo->SelectItem(1));
    EXPECT_EQ((std::vector<std::string>{"0,-1", "2,0"}), m_selects);
}

TEST_F(Combo, RemovingEntriesKeepsIndexesAndSelection) {
    AddDrives({"E:\\", "F:\\", "G:\\"});
    ASSERT_TRUE(m_combo->SelectItem(2));
    ASSERT_TRUE(m_combo->RemoveAt(0));
    EXPECT_EQ(1, m_combo->GetCurSel());
    EXPECT_EQ("G:\\", m_combo->GetText().ToStdString());
    EXPECT_EQ(1, static_cast<IListItemUI*>(m_combo->GetItemAt(1)->GetInterface("ListItem"))->GetIndex());
    ASSERT_TRUE(m_combo->RemoveAt(1));
    EXPECT_EQ(-1, m_combo->GetCurSel());
    m_combo->RemoveAll();
    EXPECT_EQ(0, m_combo->GetCount());
    EXPECT_EQ("", m_combo->GetText().ToStdString());
    m_selects.clear();
    EXPECT_FALSE(m_combo->SelectItem(0));
    EXPECT_TRUE(m_selects.empty());
}

TEST_F(Combo, ClickOpensTheDropDownAndAClickOnAnEntrySelectsIt) {
    AddDrives({"E:\\", "F:\\", "G:\\"});
    ASSERT_TRUE(m_combo->SelectItem(0));
    HWND popup = OpenByClick();
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(::IsWindowVisible(popup));
    EXPECT_EQ(1, Count("dropdown:Drives"));
    // The popup lies below the combo and shows the entries one below the other.
    RECT rcPopup;
    ::GetWindowRect(popup, &rcPopup);
    POINT comboBottom = {m_combo->GetPos().left, m_combo->GetPos().bottom};
    ::ClientToScreen(m_wnd, &comboBottom);
    EXPECT_EQ(comboBottom.y, rcPopup.top);
    EXPECT_EQ(comboBottom.x, rcPopup.left);
    CControlUI* second = m_combo->GetItemAt(1);
    EXPECT_GT(second->GetPos().top, m_combo->GetItemAt(0)->GetPos().top);
    EXPECT_GT(second->GetHeight(), 0);
    // Opening again while open neither opens a second popup nor says so.
    EXPECT_TRUE(m_combo->Activate());
    EXPECT_EQ(popup, m_combo->GetDropDownWindow());
    EXPECT_EQ(1, Count("dropdown:Drives"));

    PostClick(popup, CenterOf(second));
    ASSERT_TRUE(PumpUntil([&] { return !m_combo->IsDropped(); }));
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_EQ(1, m_combo->GetCurSel());
    EXPECT_EQ("F:\\", m_combo->GetText().ToStdString());
    EXPECT_EQ((std::vector<std::string>{"0,-1", "1,0"}), m_selects);
    // The entries are back in the combo's window.
    EXPECT_EQ(&m_wnd.GetManager(), second->GetManager());
    EXPECT_EQ(m_combo, second->GetParent());
    // And the drop-down opens again.
    ASSERT_NE(nullptr, OpenByClick());
    EXPECT_EQ(2, Count("dropdown:Drives"));
}

TEST_F(Combo, EscapeClosesTheDropDownOnly) {
    AddDrives({"E:\\", "F:\\"});
    ASSERT_TRUE(m_combo->SelectItem(0));
    HWND popup = OpenByClick();
    ASSERT_NE(nullptr, popup);
    // Arrow keys in the drop-down move the selection.
    PostKey(popup, VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return m_combo->GetCurSel() == 1; }));
    EXPECT_TRUE(m_combo->IsDropped());
    PostKey(popup, VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !m_combo->IsDropped(); }));
    windowtest::PumpPending();
    EXPECT_TRUE(::IsWindow(m_wnd));
    EXPECT_TRUE(::IsWindowVisible(m_wnd));
    EXPECT_EQ("F:\\", m_combo->GetText().ToStdString());
    // The same key sent to the window itself closes it, as for every window.
    PostKey(m_wnd, VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(m_wnd); }));
}

TEST_F(Combo, FocusMovingAwayClosesTheDropDown) {
    AddDrives({"E:\\", "F:\\"});
    ASSERT_NE(nullptr, OpenByClick());
    ::SetFocus(m_wnd);
    EXPECT_TRUE(PumpUntil([&] { return !m_combo->IsDropped(); }));
    EXPECT_TRUE(::IsWindow(m_wnd));
}

// The drop-down holds the mouse while open; taken away, a press beside it
// would reach the window beneath, so the drop-down closes.
TEST_F(Combo, LosingTheMouseCaptureClosesTheDropDown) {
    AddDrives({"E:\\", "F:\\"});
    HWND popup = OpenByClick();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(popup, ::GetCapture());
    ::SetCapture(m_wnd);
    EXPECT_TRUE(PumpUntil([&] { return !m_combo->IsDropped(); }));
    ::ReleaseCapture();
}

TEST_F(Combo, DropBoxSizeAndLookComeFromTheSkin) {
    auto* sized = static_cast<CComboUI*>(m_wnd.Find("Sized")->GetInterface("Combo"));
    auto* entry = new CListLabelElementUI;
    entry->SetText("E:\\");
    ASSERT_TRUE(sized->Add(entry));
    ASSERT_TRUE(sized->Activate());
    HWND popup = sized->GetDropDownWindow();
    ASSERT_NE(nullptr, popup);
    RECT rc;
    ::GetClientRect(popup, &rc);
    EXPECT_EQ(200, rc.right);
    EXPECT_EQ(60, rc.bottom);
    EXPECT_EQ(0xFFFEF3C7u, entry->GetParent()->GetBkColor());
    sized->CloseDropDown();
    EXPECT_TRUE(PumpUntil([&] { return !sized->IsDropped(); }));
}

TEST_F(Combo, ALongDropDownScrollsToTheSelectionAndWithTheWheel) {
    auto* sized = static_cast<CComboUI*>(m_wnd.Find("Sized")->GetInterface("Combo"));
    for (const char* drive : {"D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "I:\\"}) {
        auto* entry = new CListLabelElementUI;
        entry->SetText(drive);
        ASSERT_TRUE(sized->Add(entry));
    }
    ASSERT_TRUE(sized->SelectItem(4));
    ASSERT_TRUE(sized->Activate());
    HWND popup = sized->GetDropDownWindow();
    ASSERT_NE(nullptr, popup);
    ::UpdateWindow(popup);  // the first paint lays the entries out
    auto* list = static_cast<CComboListUI*>(sized->GetItemAt(0)->GetParent());
    ASSERT_GT(list->GetScrollRange(), 0);
    // Opened on the selected entry: it lies wholly inside the 60 px high popup.
    const auto inside = [&](int index) {
        const RECT& rc = sized->GetItemAt(index)->GetPos();
        return rc.top >= 0 && rc.bottom <= 60;
    };
    EXPECT_TRUE(inside(4));
    EXPECT_FALSE(inside(0));
    // The wheel over an entry scrolls the drop-down up to its start.
    POINT pt = windowtest::CenterOf(sized->GetItemAt(4));
    ::ClientToScreen(popup, &pt);
    ::SendMessageA(popup, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(pt.x, pt.y));
    ::SendMessageA(popup, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ(0, list->GetScrollPos());
    EXPECT_TRUE(inside(0));
    // Moving the selection by key brings it back into view.
    PostKey(popup, VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return sized->GetCurSel() == 5; }));
    EXPECT_TRUE(inside(5));
    EXPECT_EQ(list->GetScrollRange(), list->GetScrollPos());
}

TEST_F(Combo, ClosingTheWindowWithTheDropDownOpenGivesTheEntriesBack) {
    AddDrives({"E:\\", "F:\\"});
    ASSERT_NE(nullptr, OpenByClick());
    CControlUI* first = m_combo->GetItemAt(0);
    ::DestroyWindow(m_wnd);
    EXPECT_FALSE(m_combo->IsDropped());
    EXPECT_EQ(m_combo, first->GetParent());
}

// The drop-down opened beside controls that act on a click, as the drive
// selector sits beside "全选" and above the list's check boxes: "All" and
// "Act" beside it, "Row" below where it hangs, "Marker" out of its way.
const char kBesideSkin[] = R"(<Window size="400,260" showshadow="false">
  <VerticalLayout bkcolor="#FFF5F7FA" inset="10,10,10,10">
    <HorizontalLayout height="28" childpadding="12">
      <Combo name="Drives" width="120" height="28" dropboxsize="120,80" />
      <CheckBox name="All" text="All" width="64" height="28" />
      <Button name="Act" text="Act" width="72" height="28" bkcolor="#FF2563EB" textcolor="#FFFFFFFF" />
    </HorizontalLayout>
    <Control height="100" />
    <HorizontalLayout height="24" childpadding="12">
      <CheckBox name="Row" text="Row" width="80" height="24" />
      <CheckBox name="Marker" text="Marker" width="80" height="24" />
    </HorizontalLayout>
    <Control />
  </VerticalLayout>
</Window>)";

// Real input from outside, as an operator's mouse makes it: xdotool moves the
// X pointer to a client point of `hWnd` and clicks `button` there (1 the left
// button, 4 and 5 the wheel up and down). The messages come through the queue.
bool RealClick(HWND hWnd, POINT client, int button = 1) {
    if (!::ClientToScreen(hWnd, &client)) return false;
    return testsupport::RunUnixCommand(
        {"xdotool", "mousemove", std::to_string(client.x), std::to_string(client.y), "click", std::to_string(button)});
}

class ComboBeside : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CShadowUI::Initialize(CUIManager::GetInstance()); }
    void SetUp() override {
        m_skins.Write("ComboBeside.xml", kBesideSkin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        m_wnd.ShowAndLayout();
        m_combo = static_cast<CComboUI*>(m_wnd.Find("Drives")->GetInterface("Combo"));
        ASSERT_NE(nullptr, m_combo);
        for (const char* drive : {"D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "I:\\"}) {
            auto* entry = new CListLabelElementUI;
            entry->SetText(drive);
            ASSERT_TRUE(m_combo->Add(entry));
        }
        ASSERT_TRUE(m_combo->SelectItem(0));
        m_wnd.m_notifications.clear();
    }
    void TearDown() override {
        if (::IsWindow(m_wnd)) ::DestroyWindow(m_wnd);
    }
    int Count(const std::string& notification) const {
        return static_cast<int>(std::count(m_wnd.m_notifications.begin(), m_wnd.m_notifications.end(), notification));
    }
    bool Ticked(const char* name) {
        return static_cast<COptionUI*>(m_wnd.Find(name)->GetInterface("Option"))->IsSelected();
    }
    bool ClickOn(const char* name) { return RealClick(m_wnd, CenterOf(m_wnd.Find(name))); }
    // Opens the drop-down with a real click on the combo.
    bool Open() {
        return ClickOn("Drives") && PumpUntil([&] { return m_combo->IsDropped(); });
    }
    // A real click on "Marker", once its tick has changed: input is handled
    // in order, so every click before it has been handled too.
    bool ClickMarkerAndWait() {
        const bool before = Ticked("Marker");
        return ClickOn("Marker") && PumpUntil([&] { return Ticked("Marker") != before; });
    }

    SkinFolder m_skins;
    TestWnd m_wnd{"ComboBeside.xml"};
    CComboUI* m_combo = nullptr;
};

TEST_F(ComboBeside, TheClickThatClosesTheDropDownActsOnNothingAndTheNextOneDoes) {
    const struct {
        const char* name;
        bool toggles;  // a check box; else a button
    } targets[] = {{"All", true}, {"Act", false}, {"Row", true}};
    for (const auto& target : targets) {
        SCOPED_TRACE(target.name);
        ASSERT_TRUE(Open());
        ASSERT_TRUE(ClickOn(target.name));
        ASSERT_TRUE(PumpUntil([&] { return !m_combo->IsDropped(); })) << "the click beside left the drop-down open";
        ASSERT_TRUE(ClickMarkerAndWait());
        const std::string clicked = std::string("click:") + target.name;
        EXPECT_EQ(0, Count(clicked)) << "the click that closed the drop-down reached " << target.name;
        if (target.toggles) {
            EXPECT_FALSE(Ticked(target.name));
        }

        // With the drop-down closed, the same click acts.
        ASSERT_TRUE(ClickOn(target.name));
        EXPECT_TRUE(PumpUntil([&] { return Count(clicked) == 1; }));
        if (target.toggles) {
            EXPECT_TRUE(Ticked(target.name));
        }
        EXPECT_FALSE(m_combo->IsDropped());
    }
    EXPECT_EQ(0, Count("itemselect:Drives"));
}

TEST_F(ComboBeside, InsideTheDropDownAClickChoosesAndTheWheelScrolls) {
    // A click on the combo itself while it is open closes it, and no more.
    ASSERT_TRUE(Open());
    ASSERT_TRUE(ClickOn("Drives"));
    ASSERT_TRUE(PumpUntil([&] { return !m_combo->IsDropped(); }));
    ASSERT_TRUE(ClickMarkerAndWait());
    EXPECT_FALSE(m_combo->IsDropped());
    EXPECT_EQ(1, Count("dropdown:Drives"));

    // The wheel over the open drop-down scrolls it (six entries in 80 px).
    ASSERT_TRUE(Open());
    HWND popup = m_combo->GetDropDownWindow();
    ASSERT_NE(nullptr, popup);
    ::UpdateWindow(popup);
    auto* list = static_cast<CComboListUI*>(m_combo->GetItemAt(0)->GetParent());
    ASSERT_GT(list->GetScrollRange(), 0);
    ASSERT_EQ(0, list->GetScrollPos());
    RECT rc;
    ::GetClientRect(popup, &rc);
    const POINT middle = {rc.right / 2, rc.bottom / 2};
    ASSERT_TRUE(RealClick(popup, middle, 5));
    EXPECT_TRUE(PumpUntil([&] { return list->GetScrollPos() > 0; })) << "the wheel did not scroll the drop-down";
    EXPECT_TRUE(m_combo->IsDropped());

    // A click on an entry chooses it and closes the drop-down: the one now
    // in the middle, which the scroll brought there.
    int under = -1;
    for (int i = 0; i < m_combo->GetCount(); ++i) {
        const RECT& entry = m_combo->GetItemAt(i)->GetPos();
        if (::PtInRect(&entry, middle)) under = i;
    }
    ASSERT_GE(under, 2);
    ASSERT_TRUE(RealClick(popup, middle));
    EXPECT_TRUE(PumpUntil([&] { return !m_combo->IsDropped(); }));
    EXPECT_EQ(under, m_combo->GetCurSel());
    EXPECT_EQ(m_combo->GetItemAt(under)->GetText().ToStdString(), m_combo->GetText().ToStdString());
}

}  // namespace

namespace {

// A list and a combo box read the same row attributes into their row settings,
// which their rows then draw from (an "itemendellipsis" the rows never saw
// would leave long entries running into the next column).
TEST(RowAttributes, ListAndComboStoreTheSameRowSettings) {
    const struct {
        const char* name;
        const char* value;
        std::function<bool(const TListInfoUI&)> holds;
    } cases[] = {
        {"itemendellipsis", "true", [](const TListInfoUI& i) { return i.bEndEllipsis; }},
        {"itemalign", "right",
         [](const TListInfoUI& i) { return (i.uTextStyle & DT_RIGHT) && !(i.uTextStyle & DT_LEFT); }},
        {"itemaltbk", "true", [](const TListInfoUI& i) { return i.bAlternateBk; }},
        {"itemtextcolor", "#FF112233", [](const TListInfoUI& i) { return i.dwTextColor == 0xFF112233; }},
        {"itemlinecolor", "#FFE5E7EB", [](const TListInfoUI& i) { return i.dwLineColor == 0xFFE5E7EB; }},
        {"itemfont", "2", [](const TListInfoUI& i) { return i.nFont == 2; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CListUI list;
        CComboUI combo;
        list.SetAttribute(c.name, c.value);
        combo.SetAttribute(c.name, c.value);
        EXPECT_TRUE(c.holds(*list.GetListInfo())) << "list";
        EXPECT_TRUE(c.holds(*combo.GetListInfo())) << "combo";
    }
}

}  // namespace
