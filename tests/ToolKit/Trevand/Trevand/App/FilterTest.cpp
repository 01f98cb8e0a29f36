// The main window's filters with real input: a text typed into the box (by
// xdotool, as a keyboard types it) and an age chosen from the drop-down
// narrow the rows; what they hide is never ticked, counted or deleted.
#include <gtest/gtest.h>

#include <list>

#include "AppFixture.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/EditUI.h"
#include "UI/Control/OptionUI.h"
#include "comm/platform/IniFile.h"
#include "support/TempDir.h"

namespace apptest {
namespace {

class Filters : public App {
protected:
    void SetUp() override {
        m_bExisted = testsupport::FileExists(CTrevandWnd::SettingsFile());
        m_strSaved = testsupport::ReadFileBytes(CTrevandWnd::SettingsFile());
        ::DeleteFileA(CTrevandWnd::SettingsFile().c_str());
    }
    void TearDown() override {
        App::TearDown();
        if (m_bExisted) testsupport::WriteFileBytes(CTrevandWnd::SettingsFile(), m_strSaved);
        else ::DeleteFileA(CTrevandWnd::SettingsFile().c_str());
    }
    Vellum::CEditUI* Box() { return static_cast<Vellum::CEditUI*>(MainControl("FilterText")->GetInterface("Edit")); }
    size_t Shown() { return Main()->RowsForTests().ShownCount(); }

    bool m_bExisted = false;
    std::string m_strSaved;
};

TEST_F(Filters, TypedTextNarrowsTheRowsAndWhatIsHiddenCountsNowhere) {
    StartWithRole(SecondaryCafe(), 2);
    if (HasFatalFailure()) return;
    const size_t rows = Main()->RowsForTests().Size();
    ASSERT_GE(rows, 4u);
    // A hidden row keeps its tick but is never deleted: tick one first.
    ClickTick(OnDrive('E', "a.txt"));
    ::SetForegroundWindow(Main()->GetHWND());
    const RECT box = Box()->GetPos();
    ASSERT_TRUE(windowtest::XClick(Main()->GetHWND(), {(box.left + box.right) / 2, (box.top + box.bottom) / 2}));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Box()->IsFocused(); }));
    ASSERT_TRUE(windowtest::XType("README"));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Box()->GetText().ToStdString() == "README"; }));
    windowtest::PumpPending();
    // Found without regard to case: Games\readme.txt only.
    EXPECT_EQ(1u, Shown());
    EXPECT_NE(std::string::npos, CountText().find("，显示 1 / " + std::to_string(rows))) << CountText();
    EXPECT_EQ(0, Main()->RowsForTests().CountChecked());
    auto* selectAll = static_cast<Vellum::COptionUI*>(MainControl("ChkSelectAll")->GetInterface("Option"));
    EXPECT_FALSE(selectAll->IsSelected());
    const RECT all = selectAll->GetPos();
    ASSERT_TRUE(windowtest::XClick(Main()->GetHWND(), {(all.left + all.right) / 2, (all.top + all.bottom) / 2}));
    ASSERT_TRUE(windowtest::PumpUntil([selectAll] { return selectAll->IsSelected(); }));
    windowtest::PumpPending();
    std::list<std::string> ticked;
    Main()->RowsForTests().GetCheckedPaths(ticked);
    EXPECT_EQ((std::list<std::string>{OnDrive('E', "Games\\readme.txt")}), ticked) << "a hidden row would be deleted";
    EXPECT_EQ(1u, Main()->RowsForTests().ListedInOrder().size()) << "the export writes hidden rows";

    // Emptied (Escape in the box clears it), every row is back with its tick.
    ASSERT_TRUE(windowtest::XClick(Main()->GetHWND(), {(box.left + box.right) / 2, (box.top + box.bottom) / 2}));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Box()->IsFocused(); }));
    ASSERT_TRUE(windowtest::XKeys({"Escape"}));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Box()->GetText().IsEmpty(); }));
    windowtest::PumpPending();
    EXPECT_EQ(rows, Shown());
    EXPECT_EQ(2, Main()->RowsForTests().CountChecked());
    EXPECT_EQ(std::string::npos, CountText().find("显示"));
}

TEST_F(Filters, AnAgeHidesWhatWasWrittenSinceAndBothFiltersAreRemembered) {
    StartWithRole(SecondaryCafe(), 2);
    if (HasFatalFailure()) return;
    // Every entry of the café was written just now: "30 天前" hides them all.
    auto* age = static_cast<Vellum::CComboUI*>(MainControl("FilterAge")->GetInterface("Combo"));
    ASSERT_EQ(4, age->GetCount());
    EXPECT_EQ("30 天前", age->GetItemAt(1)->GetText().ToStdString());
    age->SelectItem(1);
    windowtest::PumpPending();
    EXPECT_EQ(0u, Shown());
    EXPECT_NE(std::string::npos, CountText().find("，显示 0 / ")) << CountText();
    Box()->SetText("x");
    Main()->SaveSettings();
    const std::string ini = CTrevandWnd::SettingsFile();
    EXPECT_EQ("1", platform::ReadIniString(ini, "Filter", "Age", "", 16));
    EXPECT_EQ("x", platform::ReadIniString(ini, "Filter", "Text", "", 16));
}

// After a reload that failed the rows are those of an older scan: a filter
// still narrows them, but the count line keeps saying that the list was not
// updated, with how many of its rows are shown while a filter hides any.
TEST_F(Filters, FiltersKeepTheLoadFailureOnTheCountLine) {
    const std::string failed = "读取配置或扫描磁盘失败，列表未更新；详见程序目录下 log 文件夹中的日志";
    const auto failedShowing = [](size_t shown, size_t rows) {
        return "读取配置或扫描磁盘失败，列表未更新，显示 " + std::to_string(shown) + " / " + std::to_string(rows) +
               "；详见程序目录下 log 文件夹中的日志";
    };
    StartWithRole(SecondaryCafe(), 2);
    if (HasFatalFailure()) return;
    const size_t rows = Main()->RowsForTests().Size();
    const std::string db = m_cafe->PelloryDB();
    ASSERT_TRUE(::MoveFileA(db.c_str(), (db + ".away").c_str()));
    Click(Main(), "BtnFlush");
    ASSERT_TRUE(Main()->LastLoadFailedForTests());
    ASSERT_EQ(failed, CountText());

    ::SetForegroundWindow(Main()->GetHWND());
    const POINT box = windowtest::CenterOf(Box());
    ASSERT_TRUE(windowtest::XClick(Main()->GetHWND(), box));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Box()->IsFocused(); }));
    ASSERT_TRUE(windowtest::XType("README"));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Box()->GetText().ToStdString() == "README"; }));
    windowtest::PumpPending();
    EXPECT_EQ(1u, Shown());
    EXPECT_EQ(failedShowing(1, rows), CountText());
    // Cleared again, the line is the failure alone.
    ASSERT_TRUE(windowtest::XClick(Main()->GetHWND(), box));
    ASSERT_TRUE(windowtest::XKeys({"Escape"}));
    ASSERT_TRUE(windowtest::PumpUntil([this] { return Box()->GetText().IsEmpty(); }));
    windowtest::PumpPending();
    EXPECT_EQ(failed, CountText());

    // Every entry of the café was written just now: "30 天前" hides them all.
    SelectEntry("FilterAge", "30 天前");
    EXPECT_EQ(0u, Shown());
    EXPECT_EQ(failedShowing(0, rows), CountText());
    SelectEntry("FilterAge", "全部");
    EXPECT_EQ(failed, CountText());
    EXPECT_FALSE(MainControl("BtnRemove")->IsEnabled());

    // A load that succeeds gives the count back, narrowed as before.
    SelectEntry("FilterAge", "30 天前");
    ASSERT_TRUE(::MoveFileA((db + ".away").c_str(), db.c_str()));
    Click(Main(), "BtnFlush");
    ASSERT_FALSE(Main()->LastLoadFailedForTests());
    EXPECT_EQ("游戏盘：E盘待删除文件共" + std::to_string(rows) + "个，显示 0 / " + std::to_string(rows), CountText());
}

}  // namespace
}  // namespace apptest
