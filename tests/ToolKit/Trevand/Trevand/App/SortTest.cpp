// Sorting the main window's rows with a click on a column title.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>

#include "OperatorFixture.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "UI/Control/ListUI.h"

namespace apptest {
namespace {

using Strings = std::vector<std::string>;

Strings Reversed(Strings paths) {
    std::reverse(paths.begin(), paths.end());
    return paths;
}

std::list<std::string> Checked(CTrevandWnd* wnd) {
    std::list<std::string> paths;
    wnd->RowsForTests().GetCheckedPaths(paths);
    paths.sort();
    return paths;
}

std::string SelectedPath(CTrevandWnd* wnd) {
    Vellum::CListUI* list = wnd->RowsForTests().GetList();
    if (list->GetCurSel() < 0) return std::string();
    return reinterpret_cast<CListItemPaint*>(list->GetItemAt(list->GetCurSel())->GetTag())->GetKey();
}

TEST_F(OperatorView, EachColumnSortsBothWaysKeepingTicksAndSelection) {
    StartSized();
    ASSERT_TRUE(WaitForSizes());
    ClickTick(kOld);
    ClickTick(kTie);
    // Select a row with a click on its path.
    const RECT& rc = Main()->RowsForTests().Find(kComma)->pRow->GetPos();
    ClickAt(Main()->GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    ASSERT_EQ(kComma, SelectedPath(Main()));
    const std::list<std::string> ticked = Checked(Main());

    const struct {
        const char* name;
        int column;
        Strings ascending;
    } cases[] = {
        // Bytes decide: capitals before small letters, GBK after ASCII.
        {"name", 0, {kEmpty, kOld, kComma, kBig, kNote, kTie, kOldVersion}},
        {"path", 1, {kEmpty, kOld, kComma, kBig, kOldVersion, kNote, kTie}},
        {"kind", 2, {kEmpty, kOld, kOldVersion, kComma, kBig, kNote, kTie}},
        // 0, 10, 1536, 1536 (the tie by path), 4000, 700000, over 4 GiB.
        {"size", 3, {kEmpty, kComma, kNote, kTie, kOld, kOldVersion, kBig}},
        {"modified", 4, {kBig, kOld, kOldVersion, kEmpty, kNote, kTie, kComma}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClickHeader(c.column);
        EXPECT_EQ(c.ascending, Paths());
        std::vector<int> marks(5, 0);
        marks[c.column] = 1;
        EXPECT_EQ(marks, SortMarks());
        ClickHeader(c.column);
        EXPECT_EQ(Reversed(c.ascending), Paths());
        marks[c.column] = -1;
        EXPECT_EQ(marks, SortMarks());
        EXPECT_EQ(ticked, Checked(Main()));
        EXPECT_EQ(kComma, SelectedPath(Main()));
        // Each row knows its new place: a press on it selects that row.
        Vellum::CListUI* list = Main()->RowsForTests().GetList();
        for (int i = 0; i < list->GetCount(); ++i)
            EXPECT_EQ(i, static_cast<Vellum::IListItemUI*>(list->GetItemAt(i)->GetInterface("ListItem"))->GetIndex());
    }
}

TEST_F(OperatorView, UnknownSizesComeLastInBothDirections) {
    HoldSizerAt("");
    StartSized();
    ASSERT_TRUE(Reached());
    ClickHeader(3);
    EXPECT_EQ((Strings{kComma, kNote, kTie, kBig, kEmpty, kOld, kOldVersion}), Paths());
    ClickHeader(3);
    EXPECT_EQ((Strings{kBig, kTie, kNote, kComma, kEmpty, kOld, kOldVersion}), Paths());
    // Sizes that arrive take their place in the chosen order.
    Release();
    ASSERT_TRUE(WaitForSizes());
    EXPECT_EQ((Strings{kBig, kOldVersion, kOld, kTie, kNote, kComma, kEmpty}), Paths());
}

TEST_F(OperatorView, ChosenOrderHoldsAcrossReloadAndDriveSwitch) {
    StartSized();
    ASSERT_TRUE(WaitForSizes());
    ClickHeader(4);
    ClickHeader(4);  // newest first
    ASSERT_EQ((Strings{kComma, kTie, kNote, kEmpty, kOldVersion, kOld, kBig}), Paths());
    // A new candidate, written now, joins in its sorted place: first, not last.
    testsupport::WriteFileBytes(m_cafe->DriveFolder('E') + "\\mid.bin", std::string(2000, 'x'));
    const Strings withNew = {"E:\\mid.bin", kComma, kTie, kNote, kEmpty, kOldVersion, kOld, kBig};
    Click(Main(), "BtnFlush");
    EXPECT_EQ(withNew, Paths());
    SelectDrive("F:\\");
    SelectDrive("E:\\");
    EXPECT_EQ(withNew, Paths());
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, -1}), SortMarks());
    // Another column replaces the order, starting ascending.
    ClickHeader(1);
    EXPECT_EQ((Strings{kEmpty, kOld, kComma, kBig, kOldVersion, "E:\\mid.bin", kNote, kTie}), Paths());
}

}  // namespace
}  // namespace apptest
