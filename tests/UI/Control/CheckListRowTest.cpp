// The check-box list row under Wine: clicks in the first column tick and
// untick without selecting, clicks in other columns select, the tick by API,
// the painted check box and black column texts, alternate backgrounds after
// removals, and a screenshot of a list window in the program's look.
#include <gtest/gtest.h>

#include "UI/Window/ListTestSupport.h"
#include "UI/Window/RenderTestSupport.h"
#include "UI/Control/ListBodyUI.h"
#include "UI/Control/ListTextElementExUI.h"
#include "support/PngFile.h"

using namespace Vellum;
using windowtest::ListWnd;
using windowtest::SkinFolder;
using windowtest::Snapshot;

namespace {

// Columns 0-160, 160-420, 420-520; rows 26 high under a 28-pixel header.
const char kCheckListSkin[] = R"(<Window size="520,400" showshadow="false">
  <Font name="微软雅黑" size="13" default="true" />
  <VerticalLayout bkcolor="#FFF5F7FA" inset="0,0,0,0">
    <List name="L" bkcolor="#FFFFFFFF" itemheight="26" itemtextpadding="8,0,8,0" itemtextcolor="#FFFF0000"
          itemselectedtextcolor="#FFFF0000" itembkcolor="#FFFFFFFF" itemaltbk="true" itemhotbkcolor="#FFEFF6FF"
          itemselectedbkcolor="#FFDBEAFE" itemlinecolor="#FFE5E7EB" vscrollbarstyle="width=&quot;10&quot;">
      <ListHeader height="28" bkcolor="#FFF3F4F6" bordercolor="#FFD1D5DB" bottombordersize="1">
        <ListHeaderItem text="名称" width="160" textpadding="38,0,0,0" textcolor="#FF1F2937" sepwidth="1" />
        <ListHeaderItem text="路径" width="260" textpadding="8,0,0,0" textcolor="#FF1F2937" />
        <ListHeaderItem text="类型" textpadding="8,0,0,0" textcolor="#FF1F2937" />
      </ListHeader>
    </List>
  </VerticalLayout>
</Window>)";

class CheckListRow : public ::testing::Test {
protected:
    void SetUp() override {
        m_skins.Write("CheckList.xml", kCheckListSkin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        m_wnd.ShowAndLayout();
        m_list = static_cast<CListUI*>(m_wnd.Find("L")->GetInterface("List"));
        ASSERT_NE(nullptr, m_list);
    }
    void TearDown() override {
        if (::IsWindow(m_wnd)) ::DestroyWindow(m_wnd);
    }
    CListTextElementExUI* AddRow(const char* name, const char* path, bool dir) {
        auto* row = new CListTextElementExUI;
        m_list->Add(row);
        row->SetText(0, name);
        row->SetText(1, path);
        row->SetText(2, dir ? "目录" : "文件");
        row->SetPadding({1, 0, 1, 0});
        row->ShowCheckBox(true);
        return row;
    }
    void Settle() {
        ::UpdateWindow(m_wnd);
        windowtest::PumpPending();
        ::UpdateWindow(m_wnd);
    }
    // Clicks at x in the row's middle and handles the messages.
    void ClickRow(CControlUI* row, int x) {
        const RECT& rc = row->GetPos();
        windowtest::PostClick(m_wnd, {x, (rc.top + rc.bottom) / 2});
        windowtest::PumpPending();
    }

    SkinFolder m_skins;
    ListWnd m_wnd{"CheckList.xml"};
    CListUI* m_list = nullptr;
};

TEST_F(CheckListRow, FirstColumnTogglesTheTickOtherColumnsSelect) {
    CListTextElementExUI* rows[] = {AddRow("甲", "E:\\甲", true), AddRow("乙", "E:\\乙", false)};
    Settle();

    m_wnd.m_events.clear();
    ClickRow(rows[1], 80);
    EXPECT_TRUE(rows[1]->IsChecked());
    EXPECT_EQ(-1, m_list->GetCurSel());
    EXPECT_EQ(std::vector<std::string>{"1,0"}, m_wnd.Of("itemclick"));
    // The tick it changed to, apart from a press on the name.
    EXPECT_EQ(std::vector<std::string>{"1,1"}, m_wnd.Of("itemcheck"));
    EXPECT_TRUE(m_wnd.Of("itemselect").empty());
    ClickRow(rows[1], 20);
    EXPECT_FALSE(rows[1]->IsChecked());
    EXPECT_EQ(2u, m_wnd.Of("itemclick").size());

    // Column 2: the row is selected first, then the click is reported.
    m_wnd.m_events.clear();
    ClickRow(rows[1], 470);
    EXPECT_EQ(1, m_list->GetCurSel());
    EXPECT_TRUE(rows[1]->IsSelected());
    EXPECT_FALSE(rows[1]->IsChecked());
    const std::vector<std::string> expected = {"itemselect:1,-1", "itemclick:1,2"};
    std::vector<std::string> got;
    for (const std::string& e : m_wnd.m_events) {
        if (e.rfind("item", 0) == 0) got.push_back(e);
    }
    EXPECT_EQ(expected, got);

    // Without the check box the first column is an ordinary column.
    rows[0]->ShowCheckBox(false);
    m_wnd.m_events.clear();
    ClickRow(rows[0], 80);
    EXPECT_FALSE(rows[0]->IsChecked());
    EXPECT_EQ(0, m_list->GetCurSel());
    EXPECT_EQ(std::vector<std::string>{"0,0"}, m_wnd.Of("itemclick"));
    EXPECT_EQ(std::vector<std::string>{"0,1"}, m_wnd.Of("itemselect"));
}

// Counts the double-clicks the window's queue delivers, so the test knows the
// system really turned the second press into one.
class DoubleClickCounter : public IMessageFilterUI {
public:
    LRESULT FilterMessage(UINT uMsg, WPARAM, LPARAM, bool&) override {
        if (uMsg == WM_LBUTTONDBLCLK) ++m_nCount;
        return 0;
    }
    int m_nCount = 0;
};

TEST_F(CheckListRow, ATipHoldsTheTextsTheColumnsCutAndOnlyThose) {
    const std::string longName(60, 'n');
    const std::string longPath = "E:\\" + std::string(200, 'p');
    CListTextElementExUI* rows[] = {AddRow("甲", "E:\\甲", true), AddRow("乙", longPath.c_str(), false),
                                    AddRow(longName.c_str(), longPath.c_str(), true)};
    Settle();
    EXPECT_EQ("", rows[0]->GetToolTip().ToStdString());
    EXPECT_EQ(longPath, rows[1]->GetToolTip().ToStdString());
    EXPECT_EQ(longName + "\r\n" + longPath, rows[2]->GetToolTip().ToStdString());
    // Once the texts fit again, the tip goes with the cut.
    rows[1]->SetText(1, "E:\\乙");
    rows[1]->Invalidate();
    Settle();
    EXPECT_EQ("", rows[1]->GetToolTip().ToStdString());
}

TEST_F(CheckListRow, AQuickSecondPressOnTheBoxTicksItBack) {
    CListTextElementExUI* rows[] = {AddRow("甲", "E:\\甲", true), AddRow("乙", "E:\\乙", false)};
    Settle();
    DoubleClickCounter doubleClicks;
    m_wnd.GetManager().AddMessageFilter(&doubleClicks);
    m_wnd.m_events.clear();
    const RECT& rc = rows[1]->GetPos();
    ASSERT_TRUE(windowtest::SendRealClicks(m_wnd, {18, (rc.top + rc.bottom) / 2}, 2));
    windowtest::PumpUntil([&] { return m_wnd.Of("itemclick").size() >= 2; }, 3000);
    m_wnd.GetManager().RemoveMessageFilter(&doubleClicks);
    EXPECT_EQ(1, doubleClicks.m_nCount);
    EXPECT_FALSE(rows[1]->IsChecked());
    EXPECT_EQ((std::vector<std::string>{"1,0", "1,0"}), m_wnd.Of("itemclick"));
    EXPECT_EQ(-1, m_list->GetCurSel());
}

TEST_F(CheckListRow, TextsNeedAnOwnerAndAColumnAndTheTickSurvivesChanges) {
    auto* loose = new CListTextElementExUI;
    loose->SetText(0, "无主");
    EXPECT_STREQ("", loose->GetText(0));
    m_list->Add(loose);
    const struct {
        int column;
        const char* text;
        const char* stored;  // what GetText(column) gives afterwards
    } cases[] = {{0, "名", "名"}, {2, "类", "类"}, {3, "越界", ""}, {-1, "负", ""}, {0, nullptr, ""}};
    for (const auto& c : cases) {
        loose->SetText(c.column, c.text);
        EXPECT_STREQ(c.stored, loose->GetText(c.column)) << c.column;
    }
    loose->SetChecked(true);
    loose->SetText(1, "改");
    m_list->GetList()->EndDown();
    Settle();
    EXPECT_TRUE(loose->IsChecked());
    loose->SetChecked(false);
    EXPECT_FALSE(loose->IsChecked());
}

TEST_F(CheckListRow, PaintsTheTickBlackTextsAndAlternateRows) {
    CListTextElementExUI* rows[] = {AddRow("第一个目录", "E:\\第一个目录", true), AddRow("第二个", "E:\\二", true),
                                    AddRow("三", "E:\\三", false), AddRow("四", "E:\\四", false)};
    rows[1]->SetChecked(true);
    rows[1]->Invalidate();
    m_list->SetAttribute("itembkcolor", "#FF00FF00");
    Settle();
    Snapshot shot(m_wnd.GetManager());
    // The 16-pixel box sits 10..26 across; in these 26-pixel rows it is
    // centred, 5..21 down, level with the text. Look inside its top-left corner.
    auto boxPixel = [&](CControlUI* row) { return shot.At(row->GetPos().left + 13, row->GetPos().top + 8); };
    EXPECT_NE(boxPixel(rows[0]), boxPixel(rows[1]));
    EXPECT_EQ(boxPixel(rows[0]), boxPixel(rows[2]));
    // Centred: nothing of the box in the row's top three pixels or bottom four
    // (the row's line takes its last pixel), box pixels just inside.
    for (CControlUI* row : {rows[0], rows[1]}) {
        const RECT& box = row->GetPos();
        const uint32_t background = shot.At(box.left + 40, box.top + 2);
        for (int y : {box.top + 1, box.top + 3, box.bottom - 4}) EXPECT_EQ(background, shot.At(box.left + 18, y)) << y;
        EXPECT_NE(background, shot.At(box.left + 18, box.top + 7));
        EXPECT_NE(background, shot.At(box.left + 18, box.bottom - 7));
    }
    // Texts are black although the list asks for red.
    int reddish = 0;
    const RECT& rc = rows[0]->GetPos();
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = 0; x < 520; ++x) {
            const uint32_t p = shot.At(x, y);
            if (((p >> 16) & 0xFF) > 0xA0 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60) ++reddish;
        }
    }
    EXPECT_EQ(0, reddish);
    EXPECT_GT(shot.CountDark({rc.left + 30, rc.top, 160, rc.bottom}), 0);
    EXPECT_GT(shot.CountDark({420, rc.top, 520, rc.bottom}), 0);

    // Alternate rows: green on even positions, also once a row above is gone.
    auto green = [&](const Snapshot& s, CControlUI* row) {
        return windowtest::NearColor(s.At(row->GetPos().right - 60, row->GetPos().top + 5), 0x00FF00, 8);
    };
    EXPECT_TRUE(green(shot, rows[0]));
    EXPECT_FALSE(green(shot, rows[1]));
    EXPECT_TRUE(green(shot, rows[2]));
    ASSERT_TRUE(m_list->Remove(rows[0]));
    Settle();
    const Snapshot after(m_wnd.GetManager());
    EXPECT_TRUE(green(after, rows[1]));
    EXPECT_FALSE(green(after, rows[2]));
    EXPECT_TRUE(green(after, rows[3]));
}

TEST_F(CheckListRow, ScreenshotOfAListWindow) {
    const char* names[] = {"传奇世界", "梦幻西游",         "英雄联盟", "穿越火线",   "地下城与勇士",
                           "魔兽世界", "剑侠情缘网络版叁", "QQ飞车",   "天涯明月刀", "逆水寒"};
    for (int i = 0; i < 60; ++i) {
        char path[96];
        std::snprintf(path, sizeof(path), "E:\\网络游戏\\%s\\%s", names[i % 10], i % 3 == 0 ? "存档" : "更新包");
        CListTextElementExUI* row = AddRow(names[i % 10], path, i % 4 != 3);
        row->SetChecked(i % 5 == 1);
    }
    m_list->SelectItem(3);
    Settle();
    const Snapshot shot(m_wnd.GetManager());
    EXPECT_TRUE(shot.SavePng(windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, "list-window.png")));
}

}  // namespace
