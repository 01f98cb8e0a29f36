// List columns under Wine: the rows paint and hit-test by the column settings
// the list keeps, so every change of the header must reach those settings by
// the time the rows paint: a column edge dragged with the mouse, a header
// item's column settings changed in code, header items added and removed,
// and the fixed widths a hidden header leaves the rows. Each is read through
// a settings pointer taken before the change (no fresh look-up) and in the
// pixels of the next paint.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "UI/Window/ListTestSupport.h"
#include "UI/Window/RenderTestSupport.h"
#include "UI/Control/ListHeaderItemUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListTextElementExUI.h"

using namespace Vellum;
using windowtest::SkinFolder;
using windowtest::Snapshot;

namespace {

// Columns 0-100, 100-300, 300-400 under a 24-pixel header; rows 40 high. The
// rows draw a one-pixel blue line at the right edge of every column but the
// last, which shows in the pixels where the rows think a column ends.
const char kColumnsSkin[] = R"(<Window size="400,240" showshadow="false">
  <Font name="微软雅黑" size="12" default="true" />
  <Font name="微软雅黑" size="30" bold="true" />
  <VerticalLayout inset="%INSET%">
    <List name="L" itemheight="40" bkcolor="#FFFFFFFF" itemsepwidth="1" itemlinecolor="#FF0000FF" header="%HEADER%">
      <ListHeader height="24">
        <ListHeaderItem name="c0" text="名称" width="100" sepwidth="4" />
        <ListHeaderItem name="c1" text="路径" width="200" sepwidth="4" />
        <ListHeaderItem name="c2" text="类型" />
      </ListHeader>
    </List>
  </VerticalLayout>
</Window>)";

const uint32_t kSeparator = 0x0000FF;

std::string Skin(const char* header, const char* inset) {
    std::string xml = kColumnsSkin;
    xml.replace(xml.find("%HEADER%"), 8, header);
    xml.replace(xml.find("%INSET%"), 7, inset);
    return xml;
}

// Public: the table cases below check pixels through it.
class ListColumns : public ::testing::Test {
public:
    void Open(const char* header = "true", const char* inset = "0,0,0,0") {
        m_skins.Write("Columns.xml", Skin(header, inset));
        Close();
        m_wnd.reset(new windowtest::TestWnd("Columns.xml"));
        ASSERT_NE(nullptr, m_wnd->CreateHidden());
        m_wnd->ShowAndLayout();
        m_list = static_cast<CListUI*>(m_wnd->Find("L")->GetInterface("List"));
        ASSERT_NE(nullptr, m_list);
        for (int i = 0; i < 3; ++i) {
            auto* row = new CListTextElementExUI;
            m_list->Add(row);
            row->ShowCheckBox(true);
            row->SetText(0, "甲");
            row->SetText(1, "路径");
            row->SetText(2, "目录");
            m_rows[i] = row;
        }
        Settle();
        m_info = m_list->GetListInfo();
    }
    void Close() {
        if (m_wnd && ::IsWindow(*m_wnd)) ::DestroyWindow(*m_wnd);
    }
    void TearDown() override { Close(); }
    HWND Wnd() const { return *m_wnd; }
    Snapshot Paint() const { return Snapshot(m_wnd->GetManager()); }
    // Handles what is pending: the layout a change asked for, then the paint.
    void Settle() {
        ::UpdateWindow(Wnd());
        windowtest::PumpPending();
        ::UpdateWindow(Wnd());
    }
    CListHeaderItemUI* Column(const char* name) {
        return static_cast<CListHeaderItemUI*>(m_wnd->Find(name)->GetInterface("ListHeaderItem"));
    }
    int RowMiddle() const { return (m_rows[1]->GetPos().top + m_rows[1]->GetPos().bottom) / 2; }
    // The x of the separator lines the rows painted in the middle row, left to right.
    std::vector<int> Separators(const Snapshot& s) const {
        std::vector<int> xs;
        for (int x = 0; x < s.Width(); ++x) {
            if (s.At(x, RowMiddle()) == kSeparator) xs.push_back(x);
        }
        return xs;
    }
    // Dark (text) pixels of the middle row between x = left and x = right.
    int DarkIn(const Snapshot& s, int left, int right) const {
        const RECT& row = m_rows[1]->GetPos();
        return s.CountDark({left, row.top, right, row.bottom - 1});
    }

    SkinFolder m_skins;
    std::unique_ptr<windowtest::TestWnd> m_wnd;
    CListUI* m_list = nullptr;
    CListTextElementExUI* m_rows[3] = {};
    const TListInfoUI* m_info = nullptr;  // taken once, after the first layout
};

TEST_F(ListColumns, AColumnEdgeDraggedWithTheMouseMovesTheRowsColumnsAtTheNextLayout) {
    Open();
    ASSERT_EQ(3, m_info->nColumns);
    EXPECT_EQ((std::vector<int>{100, 300}), Separators(Paint()));

    // Press on the right edge of the first column and drag it 40 pixels right
    // in two moves, the window painting after each as it would on screen.
    ::SendMessageA(Wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(98, 12));
    ::SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(98, 12));
    ::SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(118, 12));
    Settle();
    EXPECT_EQ(120, m_info->rcColumn[0].right);
    EXPECT_EQ((std::vector<int>{120, 320}), Separators(Paint()));
    ::SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(138, 12));
    ::SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(138, 12));
    Settle();

    EXPECT_EQ(140, m_info->rcColumn[0].right);
    EXPECT_EQ(140, m_info->rcColumn[1].left);
    EXPECT_EQ(340, m_info->rcColumn[1].right);
    EXPECT_EQ(340, m_info->rcColumn[2].left);
    EXPECT_EQ((std::vector<int>{140, 340}), Separators(Paint()));
    // A press in the widened first column now ticks the box there.
    const POINT pt = {120, RowMiddle()};
    ::SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    ::SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    EXPECT_TRUE(m_rows[1]->IsChecked());
}

// Column settings changed in code reach the rows at once: the font and the
// alignment need no layout at all, so nothing but the change itself can
// bring them to the rows; a width shows at the layout it asks for.
TEST_F(ListColumns, HeaderItemSettingsChangedInCodeReachTheRows) {
    const struct {
        const char* column;
        const char* name;
        const char* value;
        std::function<bool(const TListInfoUI&)> holds;
        // Pixels before and after the change (the fixture's row and lines).
        std::function<void(ListColumns&, const Snapshot&, const Snapshot&)> painted;
    } cases[] = {
        {"c1", "itemtextalign", "right", [](const TListInfoUI& i) { return i.uColumnAlign[1] == DT_RIGHT; },
         [](ListColumns& t, const Snapshot& before, const Snapshot& after) {
             EXPECT_GT(t.DarkIn(before, 100, 200), 0);
             EXPECT_EQ(0, t.DarkIn(before, 200, 300));
             EXPECT_EQ(0, t.DarkIn(after, 100, 200));
             EXPECT_GT(t.DarkIn(after, 200, 300), 0);
         }},
        {"c1", "colfont", "1", [](const TListInfoUI& i) { return i.nColumnFont[1] == 1; },
         [](ListColumns& t, const Snapshot& before, const Snapshot& after) {
             EXPECT_GT(t.DarkIn(after, 101, 300), 2 * t.DarkIn(before, 101, 300));
             EXPECT_EQ(t.DarkIn(before, 0, 100), t.DarkIn(after, 0, 100));  // other columns keep theirs
         }},
        {"c0", "width", "150",
         [](const TListInfoUI& i) { return i.rcColumn[0].right == 150 && i.rcColumn[1].left == 150; },
         [](ListColumns& t, const Snapshot&, const Snapshot& after) {
             EXPECT_EQ((std::vector<int>{150, 350}), t.Separators(after));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " " + c.name + "=" + c.value);
        Open();
        const Snapshot before = Paint();
        Column(c.column)->SetAttribute(c.name, c.value);
        m_list->Invalidate();
        Settle();
        EXPECT_TRUE(c.holds(*m_info));
        c.painted(*this, before, Paint());
    }
}

TEST_F(ListColumns, HeaderItemsAddedAndRemovedInCodeAreColumnsAtOnce) {
    Open();
    auto* extra = new CListHeaderItemUI;
    extra->SetFixedWidth(60);
    ASSERT_TRUE(m_list->Add(extra));
    // No layout yet: the rows already take a text for the fourth column.
    ASSERT_EQ(4, m_info->nColumns);
    m_rows[0]->SetText(3, "新列");
    EXPECT_STREQ("新列", m_rows[0]->GetText(3));
    Settle();
    EXPECT_EQ(60, m_info->rcColumn[3].right - m_info->rcColumn[3].left);

    ASSERT_TRUE(m_list->GetHeader()->Remove(extra));
    EXPECT_EQ(3, m_info->nColumns);
    m_rows[0]->SetText(3, "旧列");  // refused: no such column any more
    EXPECT_STREQ("新列", m_rows[0]->GetText(3));
    Settle();
    EXPECT_EQ((std::vector<int>{100, 300}), Separators(Paint()));
}

// A hidden header is never laid out: the rows' columns follow the items'
// fixed widths from the left edge of the body, here 10 pixels in, and a
// width changed in code moves them although no header moved.
TEST_F(ListColumns, AHiddenHeaderLeavesTheRowsTheFixedWidthsFromTheBodysLeftEdge) {
    Open("hidden", "10,0,0,0");
    EXPECT_EQ(10, m_info->rcColumn[0].left);
    EXPECT_EQ(110, m_info->rcColumn[0].right);
    EXPECT_EQ(310, m_info->rcColumn[1].right);
    EXPECT_EQ((std::vector<int>{110, 310}), Separators(Paint()));

    Column("c0")->SetAttribute("width", "120");
    EXPECT_EQ(130, m_info->rcColumn[0].right);
    Settle();
    EXPECT_EQ((std::vector<int>{130, 330}), Separators(Paint()));

    // Shown again, the header is laid out and its items' places count.
    m_list->SetAttribute("header", "true");
    Settle();
    EXPECT_EQ(130, m_info->rcColumn[0].right);
    EXPECT_EQ(24, m_rows[0]->GetPos().top);
}

}  // namespace
