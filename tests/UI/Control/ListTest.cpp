// Lists under Wine: columns from the header, the selection rules, removing
// rows (the selection moves on, removed rows live until the cleanup message),
// scrolling by wheel, scroll bar and keys, a 100,000-row list that lays out
// only what is in view, and the check-box row.
#include <gtest/gtest.h>

#include <memory>

#include "UI/Window/ListTestSupport.h"
#include "UI/Window/RenderTestSupport.h"
#include "UI/Control/ListBodyUI.h"
#include "UI/Control/ListHeaderItemUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListLabelElementUI.h"
#include "UI/Core/ScrollBarUI.h"

using namespace Vellum;
using windowtest::AddCheckRows;
using windowtest::AddLabelRows;
using windowtest::ListWnd;
using windowtest::RowNames;
using windowtest::SkinFolder;
using windowtest::Snapshot;
using windowtest::TrackedRow;

namespace {

// 400x300 window; header 24 high, rows 20 high: the body shows 276 pixels.
const char kListSkin[] = R"(<Window size="400,300" showshadow="false">
  <VerticalLayout>
    <List name="L" itemheight="20" bkcolor="#FFFFFFFF">
      <ListHeader height="24">
        <ListHeaderItem text="名称" width="100" />
        <ListHeaderItem text="路径" width="200" />
      </ListHeader>
      <ListHeaderItem text="类型" />
      <ListLabelElement name="first" text="甲" />
      <ListTextElement name="second" selected="true" />
    </List>
  </VerticalLayout>
</Window>)";

class ListFixture : public ::testing::Test {
protected:
    void Open(const char* skin = kListSkin) {
        m_skins.Write("List.xml", skin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        m_wnd.ShowAndLayout();
        m_list = static_cast<CListUI*>(m_wnd.Find("L")->GetInterface("List"));
        ASSERT_NE(nullptr, m_list);
    }
    // Lays out and paints what changed.
    void Settle() {
        ::UpdateWindow(m_wnd);
        windowtest::PumpPending();
        ::UpdateWindow(m_wnd);
    }
    void TearDown() override {
        if (::IsWindow(m_wnd)) ::DestroyWindow(m_wnd);
    }
    POINT ScreenPoint(POINT pt) {
        ::ClientToScreen(m_wnd, &pt);
        return pt;
    }
    void Wheel(POINT client, int notches) {
        const POINT pt = ScreenPoint(client);
        ::SendMessageA(m_wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -120 * notches), MAKELPARAM(pt.x, pt.y));
    }
    int CountPlaced() const {
        int placed = 0;
        for (int i = 0; i < m_list->GetCount(); ++i) {
            if (!::IsRectEmpty(&m_list->GetItemAt(i)->GetPos())) ++placed;
        }
        return placed;
    }

    SkinFolder m_skins;
    ListWnd m_wnd{"List.xml"};
    CListUI* m_list = nullptr;
};

TEST_F(ListFixture, SkinBuildsHeaderColumnsAndOwnedRows) {
    Open();
    EXPECT_EQ(3, m_list->GetHeader()->GetCount());
    ASSERT_EQ(2, m_list->GetCount());
    const TListInfoUI* info = m_list->GetListInfo();
    ASSERT_EQ(3, info->nColumns);
    EXPECT_EQ(0, info->rcColumn[0].left);
    EXPECT_EQ(100, info->rcColumn[0].right);
    EXPECT_EQ(300, info->rcColumn[1].right);
    EXPECT_EQ(400, info->rcColumn[2].right);
    ASSERT_NE(nullptr, m_wnd.Find("first"));
    ASSERT_NE(nullptr, m_wnd.Find("second"));
    auto* second = static_cast<IListItemUI*>(m_wnd.Find("second")->GetInterface("ListItem"));
    EXPECT_EQ(1, second->GetIndex());
    EXPECT_EQ(static_cast<IListOwnerUI*>(m_list), second->GetOwner());
    // Rows sit under the header, one row height each.
    EXPECT_EQ(24, m_wnd.Find("first")->GetPos().top);
    EXPECT_EQ(44, m_wnd.Find("second")->GetPos().top);
    EXPECT_EQ(1, m_list->GetCurSel());
    EXPECT_TRUE(second->IsSelected());
}

TEST_F(ListFixture, DraggingAHeaderEdgeResizesTheColumnForTheRows) {
    Open();
    windowtest::Drag(m_wnd, {98, 12}, {138, 12});
    Settle();
    const TListInfoUI* info = m_list->GetListInfo();
    EXPECT_EQ(140, info->rcColumn[0].right);
    EXPECT_EQ(140, info->rcColumn[1].left);
    EXPECT_EQ(340, info->rcColumn[1].right);
    EXPECT_TRUE(m_wnd.Of("headerclick").empty());
    // A press away from the edge is a click on the column.
    windowtest::SendClick(m_wnd, {50, 12});
    EXPECT_EQ(1u, m_wnd.Of("headerclick").size());
}

TEST_F(ListFixture, SelectItemFollowsTheSelectionRules) {
    Open();
    m_list->RemoveAll();
    AddLabelRows(m_list, 5);
    m_list->GetItemAt(3)->SetEnabled(false);
    m_list->GetItemAt(4)->SetVisible(false);
    auto selected = [&](int i) {
        return static_cast<IListItemUI*>(m_list->GetItemAt(i)->GetInterface("ListItem"))->IsSelected();
    };
    const struct {
        int index;
        bool result;
        int curSel;
        const char* notified;  // "" = nothing sent
    } cases[] = {
        {1, true, 1, "1,-1"},  // a plain selection
        {1, true, 1, ""},      // the same row again: nothing happens
        {2, true, 2, "2,1"},   // moving on reports the previous row
        {-1, false, -1, ""},   // a negative index clears the selection
        {3, false, -1, ""},    // a disabled row cannot be selected
        {4, false, -1, ""},    // nor a hidden one
        {99, false, -1, ""},   // nor one past the end
        {0, true, 0, "0,-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "SelectItem(" << c.index << ")");
        m_wnd.m_events.clear();
        EXPECT_EQ(c.result, m_list->SelectItem(c.index));
        EXPECT_EQ(c.curSel, m_list->GetCurSel());
        const auto sent = m_wnd.Of("itemselect");
        EXPECT_EQ(c.notified, sent.empty() ? std::string() : sent.front());
        for (int i = 0; i < 3; ++i) EXPECT_EQ(i == c.curSel, selected(i)) << "row " << i;
    }
}

TEST_F(ListFixture, RemovingTheSelectedRowSelectsTheNextOrElseThePrevious) {
    Open();
    m_list->RemoveAll();
    AddLabelRows(m_list, 5);
    ASSERT_TRUE(m_list->SelectItem(2));

    m_wnd.m_events.clear();
    ASSERT_TRUE(m_list->Remove(m_list->GetItemAt(2)));
    EXPECT_EQ("r0 r1 r3 r4", RowNames(m_list));
    EXPECT_EQ(2, m_list->GetCurSel());
    EXPECT_EQ("r3", std::string(m_list->GetItemAt(2)->GetName().GetData()));
    EXPECT_EQ(std::vector<std::string>{"2,-1"}, m_wnd.Of("itemselect"));
    for (int i = 0; i < m_list->GetCount(); ++i)
        EXPECT_EQ(i, static_cast<IListItemUI*>(m_list->GetItemAt(i)->GetInterface("ListItem"))->GetIndex());

    // Removing a row above the selection keeps the same row selected, silently.
    m_wnd.m_events.clear();
    ASSERT_TRUE(m_list->RemoveAt(0));
    EXPECT_EQ(1, m_list->GetCurSel());
    EXPECT_EQ("r3", std::string(m_list->GetItemAt(1)->GetName().GetData()));
    EXPECT_TRUE(m_wnd.Of("itemselect").empty());

    // The last row selected and removed: the one before it takes over.
    ASSERT_TRUE(m_list->SelectItem(2));
    m_wnd.m_events.clear();
    ASSERT_TRUE(m_list->RemoveAt(2));
    EXPECT_EQ(1, m_list->GetCurSel());
    EXPECT_EQ(std::vector<std::string>{"1,-1"}, m_wnd.Of("itemselect"));

    // Nothing selectable left: nothing selected, nothing sent.
    m_list->GetItemAt(0)->SetEnabled(false);
    m_wnd.m_events.clear();
    ASSERT_TRUE(m_list->RemoveAt(1));
    EXPECT_EQ(-1, m_list->GetCurSel());
    EXPECT_TRUE(m_wnd.Of("itemselect").empty());
    EXPECT_FALSE(m_list->RemoveAt(5));
    EXPECT_FALSE(m_list->Remove(nullptr));
}

// Many rows removed in one pass end as removing them one by one would.
TEST_F(ListFixture, RemovingRowsInOnePassKeepsOrderNumbersAndSelection) {
    Open();
    auto named = [](std::initializer_list<const char*> names) {
        return [names](CControlUI* row) {
            for (const char* name : names)
                if (row->GetName() == name) return true;
            return false;
        };
    };
    const struct {
        const char* name;
        int select;
        std::initializer_list<const char*> removed;
        const char* rows;
        int curSel;
        const char* notified;  // "" = nothing sent
    } cases[] = {
        {"rows around the selection", 2, {"r0", "r4", "r5"}, "r1 r2 r3", 1, ""},
        {"the selection: its follower takes over", 2, {"r1", "r2"}, "r0 r3 r4 r5", 1, "1,-1"},
        {"the selection at the end: the row before", 5, {"r4", "r5"}, "r0 r1 r2 r3", 3, "3,-1"},
        {"every row", 0, {"r0", "r1", "r2", "r3", "r4", "r5"}, "", -1, ""},
        {"none", 3, {}, "r0 r1 r2 r3 r4 r5", 3, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_list->RemoveAll();
        AddLabelRows(m_list, 6);
        ASSERT_TRUE(m_list->SelectItem(c.select));
        m_wnd.m_events.clear();
        m_list->RemoveIf(named(c.removed));
        EXPECT_EQ(c.rows, RowNames(m_list));
        EXPECT_EQ(c.curSel, m_list->GetCurSel());
        const std::vector<std::string> expected =
            *c.notified ? std::vector<std::string>{c.notified} : std::vector<std::string>{};
        EXPECT_EQ(expected, m_wnd.Of("itemselect"));
        for (int i = 0; i < m_list->GetCount(); ++i)
            EXPECT_EQ(i, static_cast<IListItemUI*>(m_list->GetItemAt(i)->GetInterface("ListItem"))->GetIndex());
    }
}

TEST_F(ListFixture, ReorderTakesOnlyAPermutationAndTheSelectionFollowsItsRow) {
    Open();
    m_list->RemoveAll();
    AddLabelRows(m_list, 4);
    std::vector<CControlUI*> rows;
    for (int i = 0; i < 4; ++i) rows.push_back(m_list->GetItemAt(i));
    ASSERT_TRUE(m_list->SelectItem(1));
    m_wnd.m_events.clear();

    // Anything but each row exactly once would lose a row or show one twice.
    std::unique_ptr<CControlUI> stranger(new CListLabelElementUI);
    const struct {
        const char* name;
        std::vector<CControlUI*> order;
    } refused[] = {
        {"a row short", {rows[3], rows[2], rows[1]}},
        {"a row twice", {rows[3], rows[2], rows[1], rows[1]}},
        {"a row of no list", {rows[3], rows[2], rows[1], stranger.get()}},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(m_list->Reorder(c.order));
        EXPECT_EQ("r0 r1 r2 r3", RowNames(m_list));
        EXPECT_EQ(1, m_list->GetCurSel());
    }

    ASSERT_TRUE(m_list->Reorder({rows[3], rows[1], rows[0], rows[2]}));
    EXPECT_EQ("r3 r1 r0 r2", RowNames(m_list));
    EXPECT_EQ(1, m_list->GetCurSel());  // r1, which happens to keep its place
    ASSERT_TRUE(m_list->Reorder({rows[1], rows[2], rows[3], rows[0]}));
    EXPECT_EQ("r1 r2 r3 r0", RowNames(m_list));
    EXPECT_EQ(0, m_list->GetCurSel());
    EXPECT_TRUE(static_cast<IListItemUI*>(m_list->GetItemAt(0)->GetInterface("ListItem"))->IsSelected());
    EXPECT_TRUE(m_wnd.Of("itemselect").empty());  // the same row stays selected
    for (int i = 0; i < m_list->GetCount(); ++i)
        EXPECT_EQ(i, static_cast<IListItemUI*>(m_list->GetItemAt(i)->GetInterface("ListItem"))->GetIndex());
    // The view shows the new order at once.
    Settle();
    EXPECT_LT(m_list->GetItemAt(0)->GetPos().top, m_list->GetItemAt(1)->GetPos().top);
    EXPECT_EQ(24, m_list->GetItemAt(0)->GetPos().top);
}

TEST_F(ListFixture, SortMarkIsATrianglePointingTheOrdersWay) {
    Open();
    auto* item = static_cast<CListHeaderItemUI*>(m_list->GetHeader()->GetItemAt(0)->GetInterface("ListHeaderItem"));
    // The item spans x 0..100 of a 24-pixel header: the mark's five lines
    // lie in x 81..90, y 9..14, in the text colour.
    const RECT mark = {81, 9, 90, 14};
    const RECT tip = {81, 9, 90, 10};
    const RECT base = {81, 13, 90, 14};
    const struct {
        int direction;
        int pixels, tipPixels, basePixels;
    } cases[] = {{0, 0, 0, 0}, {1, 25, 1, 9}, {-1, 25, 9, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.direction);
        item->SetSortMark(c.direction);
        EXPECT_EQ(c.direction, item->GetSortMark());
        Settle();
        const Snapshot shot(m_wnd.GetManager());
        EXPECT_EQ(c.pixels, shot.CountDark(mark));
        EXPECT_EQ(c.tipPixels, shot.CountDark(tip));
        EXPECT_EQ(c.basePixels, shot.CountDark(base));
    }
}

TEST_F(ListFixture, RemovedRowStaysReadableUntilTheCleanupMessage) {
    Open();
    bool deleted = false;
    auto* row = new TrackedRow(&deleted);
    row->SetText("留下");
    m_list->Add(row);
    ASSERT_TRUE(m_list->Remove(row));
    EXPECT_FALSE(deleted);
    EXPECT_STREQ("留下", row->GetText().GetData());
    EXPECT_EQ(-1, m_list->GetItemIndex(row));
    EXPECT_TRUE(windowtest::PumpUntil([&] { return deleted; }, 3000));
}

TEST_F(ListFixture, WheelScrollBarAndKeysScrollTheRows) {
    Open();
    m_list->RemoveAll();
    AddLabelRows(m_list, 200);
    Settle();
    CListBodyUI* body = m_list->GetList();
    CScrollBarUI* bar = body->GetVerticalScrollBar();
    ASSERT_NE(nullptr, bar);
    ASSERT_TRUE(bar->IsVisible());
    EXPECT_EQ(200 * 20 - 276, bar->GetScrollRange());

    // One notch: three rows.
    Wheel(windowtest::CenterOf(m_list->GetItemAt(2)), 1);
    Settle();
    EXPECT_EQ(60, body->GetScrollPos().cy);
    EXPECT_EQ(24, m_list->GetItemAt(3)->GetPos().top);
    EXPECT_TRUE(::IsRectEmpty(&m_list->GetItemAt(0)->GetPos()));

    // Dragging the thumb moves the content by the same share of the range.
    const RECT thumb = bar->GetThumbRect();
    const int cx = (thumb.left + thumb.right) / 2, cy = (thumb.top + thumb.bottom) / 2;
    const int free = bar->GetHeight() - (thumb.bottom - thumb.top);
    windowtest::Drag(m_wnd, {cx, cy}, {cx, cy + 50});
    Settle();
    const int expected = 60 + 50 * bar->GetScrollRange() / free;
    EXPECT_NEAR(expected, body->GetScrollPos().cy, 1);
    EXPECT_EQ(body->GetScrollPos().cy / 20, body->GetFirstPlaced());

    // A press on the track below the thumb pages down.
    const int before = body->GetScrollPos().cy;
    const RECT moved = bar->GetThumbRect();
    windowtest::SendClick(m_wnd, {cx, moved.bottom + 5});
    Settle();
    EXPECT_EQ(before + 276, body->GetScrollPos().cy);

    // Keys move the selection and keep it in view.
    ASSERT_TRUE(m_list->SelectItem(0, true));
    Settle();
    EXPECT_EQ(0, body->GetScrollPos().cy);
    windowtest::PostKey(m_wnd, VK_END);
    ASSERT_TRUE(windowtest::PumpUntil([&] { return m_list->GetCurSel() == 199; }));
    Settle();
    const RECT last = m_list->GetItemAt(199)->GetPos();
    EXPECT_EQ(300, last.bottom);
    EXPECT_EQ(bar->GetScrollRange(), body->GetScrollPos().cy);
    windowtest::PostKey(m_wnd, VK_UP);
    windowtest::PostKey(m_wnd, VK_UP);
    ASSERT_TRUE(windowtest::PumpUntil([&] { return m_list->GetCurSel() == 197; }));
    windowtest::PostKey(m_wnd, VK_HOME);
    ASSERT_TRUE(windowtest::PumpUntil([&] { return m_list->GetCurSel() == 0; }));
    Settle();
    EXPECT_EQ(0, body->GetScrollPos().cy);
    EXPECT_EQ(24, m_list->GetItemAt(0)->GetPos().top);
}

TEST_F(ListFixture, HundredThousandRowsLayOutAndPaintOnlyWhatIsInView) {
    Open();
    m_list->RemoveAll();
    Settle();
    const int kRows = 100000;
    AddCheckRows(m_list, kRows);
    Settle();
    ASSERT_EQ(kRows, m_list->GetCount());
    // 276 visible pixels of 20-pixel rows: 14 rows hold a rectangle.
    EXPECT_EQ(14, CountPlaced());
    EXPECT_FALSE(::IsRectEmpty(&m_list->GetItemAt(13)->GetPos()));
    EXPECT_TRUE(::IsRectEmpty(&m_list->GetItemAt(14)->GetPos()));
    const Snapshot shot(m_wnd.GetManager());
    EXPECT_GT(shot.CountDark({0, 24, 100, 44}), 0);  // row 0's name was painted

    // Jumping to the end moves the placed window with it.
    m_list->GetList()->EndDown();
    Settle();
    EXPECT_EQ(14, CountPlaced());
    EXPECT_TRUE(::IsRectEmpty(&m_list->GetItemAt(0)->GetPos()));
    EXPECT_EQ(300, m_list->GetItemAt(kRows - 1)->GetPos().bottom);
    // Selecting a row far away scrolls it into view.
    ASSERT_TRUE(m_list->SelectItem(50000));
    Settle();
    const RECT mid = m_list->GetItemAt(50000)->GetPos();
    EXPECT_GE(mid.top, 24);
    EXPECT_LE(mid.bottom, 300);

    // Taking rows off one by one, as the deletion worker does, keeps the
    // order numbers of the rows behind them.
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(m_list->RemoveAt(i * 99));
    Settle();
    ASSERT_EQ(kRows - 1000, m_list->GetCount());
    EXPECT_EQ(kRows - 1001,
              static_cast<IListItemUI*>(m_list->GetItemAt(kRows - 1001)->GetInterface("ListItem"))->GetIndex());

    // Emptying the list frees every row after the current message.
    m_list->RemoveAll();
    Settle();
    EXPECT_EQ(0, m_list->GetCount());
    EXPECT_EQ(-1, m_list->GetCurSel());
}

TEST(ContainerScroll, VerticalScrollBarScrollsTallContent) {
    SkinFolder skins;
    skins.Write("Scroll.xml", R"(<Window size="200,200" showshadow="false"><VerticalLayout>
      <Container name="C" vscrollbar="true" height="100" vscrollbarstyle="width=&quot;12&quot;"><Control name="Tall" height="300" /></Container>
      <Control /></VerticalLayout></Window>)");
    ListWnd wnd("Scroll.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    auto* container = static_cast<CContainerUI*>(wnd.Find("C")->GetInterface("Container"));
    CScrollBarUI* bar = container->GetVerticalScrollBar();
    ASSERT_NE(nullptr, bar);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(200, bar->GetScrollRange());
    EXPECT_EQ(188, bar->GetPos().left);
    EXPECT_EQ(188, wnd.Find("Tall")->GetPos().right);
    POINT pt = {50, 50};
    ::ClientToScreen(wnd, &pt);
    ::SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(pt.x, pt.y));
    ::UpdateWindow(wnd);
    EXPECT_EQ(24, container->GetScrollPos().cy);
    EXPECT_EQ(-24, wnd.Find("Tall")->GetPos().top);
    container->EndDown();
    EXPECT_EQ(-200, wnd.Find("Tall")->GetPos().top);
    ::DestroyWindow(wnd);
}

TEST(ContainerScroll, VerticalLayoutScrollsItsChildrenOnlyWhenTheyOverflow) {
    SkinFolder skins;
    skins.Write("VScroll.xml", R"(<Window size="200,200" showshadow="false"><VerticalLayout>
      <VerticalLayout name="V" vscrollbar="true" height="100" childpadding="10">
        <Control name="A" height="60" /><Control name="B" height="60" /><Control name="Rest" minheight="20" />
      </VerticalLayout>
      <VerticalLayout name="Short" vscrollbar="true"><Control name="S" height="30" /></VerticalLayout>
    </VerticalLayout></Window>)");
    ListWnd wnd("VScroll.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    auto* layout = static_cast<CContainerUI*>(wnd.Find("V")->GetInterface("Container"));
    // 60 + 10 + 60 + 10 + 20 = 160 pixels of content in a 100-pixel view.
    EXPECT_EQ(60, layout->GetScrollRange().cy);
    EXPECT_EQ(140, wnd.Find("Rest")->GetPos().top);
    layout->SetScrollPos({0, 50});
    EXPECT_EQ(-50, wnd.Find("A")->GetPos().top);
    EXPECT_EQ(90, wnd.Find("Rest")->GetPos().top);
    auto* shortLayout = static_cast<CContainerUI*>(wnd.Find("Short")->GetInterface("Container"));
    EXPECT_FALSE(shortLayout->GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(200, wnd.Find("S")->GetPos().right);
    ::DestroyWindow(wnd);
}

// The box layouts share one routine: a horizontal layout scrolls along its
// flow the same way.
TEST(ContainerScroll, HorizontalLayoutScrollsAlongItsFlow) {
    SkinFolder skins;
    skins.Write("HScroll.xml", R"(<Window size="200,200" showshadow="false"><VerticalLayout>
      <HorizontalLayout name="H" hscrollbar="true" width="100" height="100" childpadding="10">
        <Control name="A" width="60" /><Control name="B" width="60" /><Control name="Rest" minwidth="20" />
      </HorizontalLayout>
      <Control /></VerticalLayout></Window>)");
    ListWnd wnd("HScroll.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    wnd.ShowAndLayout();
    auto* layout = static_cast<CContainerUI*>(wnd.Find("H")->GetInterface("Container"));
    ASSERT_NE(nullptr, layout->GetHorizontalScrollBar());
    EXPECT_TRUE(layout->GetHorizontalScrollBar()->IsVisible());
    EXPECT_EQ(60, layout->GetScrollRange().cx);
    EXPECT_EQ(0, layout->GetScrollRange().cy);
    EXPECT_EQ(140, wnd.Find("Rest")->GetPos().left);
    // The bar takes its height from the children, not their width.
    EXPECT_EQ(layout->GetHorizontalScrollBar()->GetPos().top, wnd.Find("A")->GetPos().bottom);
    layout->SetScrollPos({50, 0});
    EXPECT_EQ(-50, wnd.Find("A")->GetPos().left);
    EXPECT_EQ(90, wnd.Find("Rest")->GetPos().left);
    ::DestroyWindow(wnd);
}

}  // namespace
