// The main window's list from the keyboard and with Shift+clicks, by real
// input (SendInput), as the operator's hands give it.
#include <gtest/gtest.h>

#include <algorithm>

#include "AppFixture.h"
#include "BoxAnswer.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "UI/Control/ListBodyUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Control/OptionUI.h"
#include "support/TempDir.h"

namespace apptest {
namespace {

class Keys : public App {
protected:
    // Drive E of the secondary café first: twelve rows.
    void StartFocused() {
        StartWithRole(SecondaryCafe(), 2);
        if (HasFatalFailure()) return;
        ::SetForegroundWindow(Main()->GetHWND());
        // A real click on the first row's path selects it and gives the list
        // the keyboard (a press anywhere in the name column is the box's).
        ASSERT_TRUE(windowtest::SendRealClicks(Main()->GetHWND(), PathOf(0), 1));
        ASSERT_TRUE(windowtest::PumpUntil([this] { return List()->GetCurSel() == 0; }));
    }
    Vellum::CListUI* List() { return Main()->RowsForTests().GetList(); }
    std::string KeyAt(int index) { return Main()->RowsForTests().KeyAt(index); }
    bool Ticked(int index) { return Main()->RowsForTests().Find(KeyAt(index))->pRow->IsChecked(); }
    // A point on the path, and one on the box, of the row at `index`.
    POINT PathOf(int index) {
        const RECT rc = List()->GetItemAt(index)->GetPos();
        return {rc.left + 320, (rc.top + rc.bottom) / 2};
    }
    POINT BoxOf(int index) {
        const RECT rc = List()->GetItemAt(index)->GetPos();
        return {rc.left + 14, (rc.top + rc.bottom) / 2};
    }
    bool Key(WORD key, std::initializer_list<WORD> modifiers = {}) {
        if (!windowtest::SendRealKey(key, modifiers)) return false;
        windowtest::PumpPending();
        return true;
    }
    // Whether the row at `index` is laid out wholly inside the list's
    // scrolled area: a row out of view has no place at all.
    bool InView(int index) {
        ::UpdateWindow(Main()->GetHWND());
        const RECT row = List()->GetItemAt(index)->GetPos();
        const RECT body = List()->GetList()->GetPos();
        return row.bottom > row.top && row.top >= body.top && row.bottom <= body.bottom;
    }
    bool SelectAllShown() {
        return static_cast<Vellum::COptionUI*>(MainControl("ChkSelectAll")->GetInterface("Option"))->IsSelected();
    }
};

TEST_F(Keys, ArrowsMoveTheSelectionSpaceTicksCtrlATicksAll) {
    StartFocused();
    if (HasFatalFailure()) return;
    const int rows = List()->GetCount();
    ASSERT_GE(rows, 4);
    ASSERT_TRUE(Key(VK_DOWN));
    EXPECT_EQ(1, List()->GetCurSel());
    ASSERT_TRUE(Key(VK_SPACE));
    EXPECT_TRUE(Ticked(1));
    EXPECT_EQ(1, Main()->RowsForTests().CountChecked());
    ASSERT_TRUE(Key(VK_SPACE));
    EXPECT_FALSE(Ticked(1));
    ASSERT_TRUE(Key(VK_END));
    EXPECT_EQ(rows - 1, List()->GetCurSel());
    ASSERT_TRUE(Key(VK_HOME));
    EXPECT_EQ(0, List()->GetCurSel());
    ASSERT_TRUE(Key(VK_NEXT));
    EXPECT_GT(List()->GetCurSel(), 0);
    ASSERT_TRUE(Key(VK_PRIOR));
    EXPECT_EQ(0, List()->GetCurSel());

    ASSERT_TRUE(Key('A', {VK_CONTROL}));
    EXPECT_EQ(rows, Main()->RowsForTests().CountChecked());
    EXPECT_TRUE(SelectAllShown());
    // Space on a ticked row clears it, and "全选" says so.
    ASSERT_TRUE(Key(VK_SPACE));
    EXPECT_EQ(rows - 1, Main()->RowsForTests().CountChecked());
    EXPECT_FALSE(SelectAllShown());
}

TEST_F(Keys, OnAListLongerThanTheWindowTheSelectedRowStaysInView) {
    testsupport::CafeDescription desc = SecondaryCafe();
    testsupport::CafeDrive& drive = desc.drives.front();
    ASSERT_EQ('E', drive.letter);
    for (int i = 0; i < 60; ++i)
        drive.entries.push_back({testsupport::CafeEntry::kFile, "junk" + std::to_string(100 + i) + ".dat"});
    StartWithRole(desc, 2);
    ::SetForegroundWindow(Main()->GetHWND());
    ASSERT_TRUE(windowtest::SendRealClicks(Main()->GetHWND(), PathOf(0), 1));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return List()->GetCurSel() == 0; }));
    const int rows = List()->GetCount();
    ASSERT_GE(rows, 70);
    ASSERT_FALSE(InView(rows - 1)) << "the list fits the window: nothing to scroll";

    struct Step {
        WORD key;
        const char* name;
    };
    for (const Step& step : {Step{VK_END, "End"}, Step{VK_HOME, "Home"}, Step{VK_NEXT, "PageDown"},
                             Step{VK_NEXT, "PageDown"}, Step{VK_PRIOR, "PageUp"}, Step{VK_END, "End"}}) {
        const int before = List()->GetCurSel();
        ASSERT_TRUE(Key(step.key));
        const int now = List()->GetCurSel();
        EXPECT_NE(before, now) << step.name;
        EXPECT_TRUE(InView(now)) << step.name << " selected row " << now << " out of view";
    }
    EXPECT_EQ(rows - 1, List()->GetCurSel());
    // Up from the bottom one row at a time past a page: each stays in view.
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(Key(VK_UP));
        ASSERT_TRUE(InView(List()->GetCurSel())) << "after " << i + 1 << " Up";
    }
    EXPECT_EQ(rows - 31, List()->GetCurSel());
}

TEST_F(Keys, ShiftClickOnABoxGivesTheRangeTheClickedRowsState) {
    StartFocused();
    if (HasFatalFailure()) return;
    ASSERT_GE(List()->GetCount(), 5);
    ASSERT_TRUE(windowtest::SendRealClicks(Main()->GetHWND(), BoxOf(1), 1));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Ticked(1); }));
    ASSERT_TRUE(windowtest::SendRealClicksHolding(VK_SHIFT, Main()->GetHWND(), BoxOf(4), 1));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Ticked(4); }));
    for (int i = 0; i < List()->GetCount(); ++i) EXPECT_EQ(i >= 1 && i <= 4, Ticked(i)) << i;
    // Upwards, clearing: row 4 was the last box pressed; rows 2..4 clear.
    ASSERT_TRUE(windowtest::SendRealClicks(Main()->GetHWND(), BoxOf(2), 1));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return !Ticked(2); }));
    ASSERT_TRUE(windowtest::SendRealClicksHolding(VK_SHIFT, Main()->GetHWND(), BoxOf(4), 1));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return !Ticked(4); }));
    for (int i = 0; i < List()->GetCount(); ++i) EXPECT_EQ(i == 1, Ticked(i)) << i;
}

TEST_F(Keys, DeleteAsksAsTheButtonDoesAndF5Reloads) {
    StartFocused();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(Key(VK_SPACE));
    BoxAnswer::Arm(Answer::kNo);
    ASSERT_TRUE(windowtest::SendRealKey(VK_DELETE));
    windowtest::PumpUntil([] { return BoxAnswer::s_seen; }, 3000);
    BoxAnswer::Disarm();
    EXPECT_TRUE(BoxAnswer::s_seen) << "Delete asked nothing";
    EXPECT_EQ(0u, BoxAnswer::s_text.find("确定是否删除文件！\n将彻底删除 1 个"));
    windowtest::PumpPending();
    EXPECT_EQ(1, Main()->RowsForTests().CountChecked());

    const size_t before = Main()->RowsForTests().Size();
    testsupport::WriteFileBytes(m_cafe->DriveFolder('E') + "\\f5.txt", "x");
    ::SetForegroundWindow(Main()->GetHWND());
    ASSERT_TRUE(Key(VK_F5));
    EXPECT_EQ(before + 1, Main()->RowsForTests().Size());
    EXPECT_NE(nullptr, Main()->RowsForTests().Find(OnDrive('E', "f5.txt")));
}

TEST_F(Keys, TabWalksTheToolbarAndTheListAndEnterPressesTheFocusedButton) {
    StartFocused();
    if (HasFatalFailure()) return;
    Vellum::CUIManager& pm = Main()->GetManager();
    auto focusName = [&pm] { return pm.GetFocus() ? pm.GetFocus()->GetName().ToStdString() : std::string(); };
    // Forward from the list round to "刷新", each control taking the focus
    // (and drawing its focus mark) in turn.
    std::vector<std::string> seen;
    for (int i = 0; i < 30 && focusName() != "BtnFlush"; ++i) {
        ASSERT_TRUE(Key(VK_TAB));
        seen.push_back(focusName());
    }
    ASSERT_EQ("BtnFlush", focusName());
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), "TrevandComBox"));
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), "ChkSelectAll"));
    EXPECT_TRUE(pm.GetFocus()->IsFocused());
    // Shift+Tab goes back the same way.
    ASSERT_TRUE(Key(VK_TAB, {VK_SHIFT}));
    EXPECT_EQ("ChkSelectAll", focusName());
    ASSERT_TRUE(Key(VK_TAB));
    ASSERT_EQ("BtnFlush", focusName());

    const size_t before = Main()->RowsForTests().Size();
    testsupport::WriteFileBytes(m_cafe->DriveFolder('E') + "\\enter.txt", "x");
    ASSERT_TRUE(Key(VK_RETURN));
    windowtest::PumpPending();
    EXPECT_EQ(before + 1, Main()->RowsForTests().Size()) << "Enter on 刷新 did not reload";
}

}  // namespace
}  // namespace apptest
