// The main window's list on a real café: drives, rows, ticks, counts,
// select all, reloads that fail, and the row removals the deletion worker
// asks for.
#include <gtest/gtest.h>

#include <list>
#include <thread>

#include "AppFixture.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Control/OptionUI.h"

namespace apptest {
namespace {

using Strings = std::vector<std::string>;

const Strings kDriveE = {
    "E:\\Games\\Backup",
    "E:\\Games\\Old",
    "E:\\Games\\patch.zip",
    "E:\\Games\\readme.txt",
    "E:\\Games\\setup.log",
    "E:\\Games\\单机游戏\\旧版本",
    "E:\\Games\\誠",
    "E:\\Temp",
    "E:\\a.txt",
    "E:\\autorun.inf",
    "E:\\b.txt",
    "E:\\readonly.txt",
};
const Strings kDriveD = {"D:\\NetGames.tmp", "D:\\NetGamesOld", "D:\\NetGames\\Junk"};
const Strings kDriveF = {"F:\\Games\\Stale", "F:\\x.dat"};

TEST_F(App, DrivesInKeyOrderAndTheFirstListedWithItsCount) {
    StartWithRole(MasterCafe(), 1);
    EXPECT_EQ((Strings{"D:\\", "E:\\", "F:\\"}), DriveEntries());
    EXPECT_EQ(kDriveD, Paths());
    EXPECT_EQ("下载盘：D盘待删除文件共3个", CountText());
}

TEST_F(App, CountLineNamesTheDiskKindOfEachRole) {
    struct CountCase {
        const char* name;
        int role;
        const char* drive;
        const char* text;
        const Strings* paths;
    };
    const CountCase cases[] = {
        {"master game disk", 1, "E:\\", "游戏盘：E盘待删除文件共12个", &kDriveE},
        {"master download disk", 1, "D:\\", "下载盘：D盘待删除文件共3个", &kDriveD},
        {"secondary", 2, "E:\\", "游戏盘：E盘待删除文件共12个", &kDriveE},
        {"secondary second disk", 2, "F:\\", "游戏盘：F盘待删除文件共2个", &kDriveF},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartWithRole(c.role == 1 ? MasterCafe() : SecondaryCafe(), c.role);
        if (DriveEntries().empty() || DriveEntries()[0] != c.drive) SelectDrive(c.drive);
        EXPECT_EQ(*c.paths, Paths());
        EXPECT_EQ(c.text, CountText());
        TearDown();
    }
}

TEST_F(App, RowsShowNamePathAndKindWithAnUntickedCheckBox) {
    StartWithRole(SecondaryCafe(), 2);
    const std::vector<RowView> rows = Rows();
    ASSERT_EQ(12u, rows.size());
    EXPECT_EQ("旧版本", rows[5].name);
    EXPECT_EQ("E:\\Games\\单机游戏\\旧版本", rows[5].path);
    EXPECT_EQ("目录", rows[5].kind);
    EXPECT_EQ("readonly.txt", rows[11].name);
    EXPECT_EQ("文件", rows[11].kind);
    for (const RowView& row : rows) EXPECT_FALSE(row.checked) << row.path;
    EXPECT_TRUE(Main()->RowsForTests().Find("E:\\Temp")->pRow->IsCheckBoxShown());
}

// The drive filter compares the drive part without regard to case.
TEST_F(App, PathWithALowerCaseDriveLetterIsListedUnderItsDrive) {
    StartWithRole(SecondaryCafe(), 2);
    UnLoadPathInfo extra;
    extra.bDir = true;
    extra.strName = "Extra";
    extra.strPath = "e:\\Extra";
    Main()->EngineForTests()->m_mapUnLoadPath[extra.strPath] = extra;
    ASSERT_TRUE(Main()->RefreshList(false));
    EXPECT_NE(nullptr, Main()->RowsForTests().Find("e:\\Extra"));
    EXPECT_EQ("游戏盘：E盘待删除文件共13个", CountText());
}

TEST_F(App, TicksAndOrderSurviveAReload) {
    StartWithRole(SecondaryCafe(), 2);
    for (const char* path : {"E:\\Games\\Old", "E:\\Temp", "E:\\b.txt"}) ClickTick(path);
    ASSERT_EQ(3, Main()->RowsForTests().CountChecked());
    // A new orphan appears; it joins at the end, unticked.
    testsupport::WriteFileBytes(m_cafe->DriveFolder('E') + "\\0new.txt", "x");
    Click(Main(), "BtnFlush");
    Strings expected = kDriveE;
    expected.push_back("E:\\0new.txt");
    EXPECT_EQ(expected, Paths());
    std::list<std::string> checked;
    Main()->RowsForTests().GetCheckedPaths(checked);
    EXPECT_EQ((std::list<std::string>{"E:\\Games\\Old", "E:\\Temp", "E:\\b.txt"}), checked);
    EXPECT_EQ("游戏盘：E盘待删除文件共13个", CountText());
}

TEST_F(App, DriveSwitchAndBackRecreatesRowsUntickedInPathOrder) {
    StartWithRole(SecondaryCafe(), 2);
    testsupport::WriteFileBytes(m_cafe->DriveFolder('E') + "\\0new.txt", "x");
    Click(Main(), "BtnFlush");  // 0new.txt is now the last row
    ClickTick("E:\\Temp");
    SelectDrive("F:\\");
    EXPECT_EQ(kDriveF, Paths());
    SelectDrive("E:\\");
    Strings expected = kDriveE;
    expected.insert(expected.begin(), "E:\\0new.txt");
    EXPECT_EQ(expected, Paths());
    EXPECT_EQ(0, Main()->RowsForTests().CountChecked());
}

TEST_F(App, SelectAllSaysWhetherEveryRowShownIsTicked) {
    StartWithRole(SecondaryCafe(), 2);
    auto* box = static_cast<Vellum::COptionUI*>(MainControl("ChkSelectAll")->GetInterface("Option"));
    Click(Main(), "ChkSelectAll");
    windowtest::PumpPending();
    EXPECT_TRUE(box->IsSelected());
    EXPECT_EQ(12, Main()->RowsForTests().CountChecked());
    // A row that appears on a reload starts unticked: not every row is.
    testsupport::WriteFileBytes(m_cafe->DriveFolder('E') + "\\late.txt", "x");
    Click(Main(), "BtnFlush");
    EXPECT_FALSE(box->IsSelected());
    EXPECT_EQ(12, Main()->RowsForTests().CountChecked());
    // Once that row leaves the list, every row shown is ticked again.
    // (Within 100 ms, as the totals: a deletion removes rows by thousands.)
    Main()->OnDeleteListItem(OnDrive('E', "late.txt"));
    EXPECT_TRUE(windowtest::PumpUntil([box] { return box->IsSelected(); }, 3000));
    // One tick cleared: not all.
    ClickTick(OnDrive('E', "a.txt"));
    EXPECT_FALSE(box->IsSelected());
    EXPECT_EQ(11, Main()->RowsForTests().CountChecked());
    // The box unticked ticks every row; ticked, it clears them.
    Click(Main(), "ChkSelectAll");
    windowtest::PumpPending();
    EXPECT_TRUE(box->IsSelected());
    EXPECT_EQ(12, Main()->RowsForTests().CountChecked());
    Click(Main(), "ChkSelectAll");
    windowtest::PumpPending();
    EXPECT_FALSE(box->IsSelected());
    EXPECT_EQ(0, Main()->RowsForTests().CountChecked());
    // Another drive: its rows start unticked.
    Click(Main(), "ChkSelectAll");
    windowtest::PumpPending();
    SelectDrive("F:\\");
    EXPECT_FALSE(box->IsSelected());
}

TEST_F(App, SelectAllOnAnEmptyListStaysClear) {
    testsupport::CafeDescription desc = SecondaryCafe();
    desc.drives[2].entries = {{testsupport::CafeEntry::kFolder, "Games\\Moved"}};  // F holds no orphan
    StartWithRole(desc, 2);
    SelectDrive("F:\\");
    ASSERT_TRUE(Rows().empty());
    Click(Main(), "ChkSelectAll");
    windowtest::PumpPending();
    // No row, so not every row is ticked.
    EXPECT_FALSE(static_cast<Vellum::COptionUI*>(MainControl("ChkSelectAll")->GetInterface("Option"))->IsSelected());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ("游戏盘：F盘待删除文件共0个", CountText());
}

TEST_F(App, RowRemovalsRequestedForListedUnknownAndEmptyPaths) {
    StartWithRole(SecondaryCafe(), 2);
    EXPECT_TRUE(Main()->OnDeleteListItem("E:\\Temp"));
    EXPECT_EQ(nullptr, Main()->RowsForTests().Find("E:\\Temp"));
    EXPECT_EQ("游戏盘：E盘待删除文件共11个", CountText());
    EXPECT_TRUE(Main()->OnDeleteListItem("E:\\NoSuchEntry"));
    EXPECT_EQ(11u, Rows().size());
    EXPECT_EQ("游戏盘：E盘待删除文件共11个", CountText());
    EXPECT_TRUE(Main()->OnDeleteListItem(""));
    EXPECT_EQ(11u, Rows().size());
    // Posted from another thread, the request runs on this one.
    bool posted = false;
    std::thread worker([&] { posted = Main()->DeleteListItem("E:\\a.txt"); });
    worker.join();
    EXPECT_TRUE(posted);
    EXPECT_TRUE(windowtest::PumpUntil([&] { return Main()->RowsForTests().Find("E:\\a.txt") == nullptr; }));
    EXPECT_EQ("游戏盘：E盘待删除文件共10个", CountText());
    Main()->Close(1);
    EXPECT_FALSE(Main()->DeleteListItem("E:\\b.txt"));
}

}  // namespace
}  // namespace apptest
