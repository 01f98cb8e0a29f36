// What the main window remembers in Trevand.ini across runs: where it was
// (kept on the screen there is), the column its rows were sorted by.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ToolKit/Trevand/Trevand/CandidateOrder.h"
#include "comm/platform/IniFile.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"
#include "support/TempDir.h"

namespace apptest {
namespace {

class Settings : public App {
protected:
    void SetUp() override {
        m_bExisted = testsupport::FileExists(Ini());
        m_strSaved = testsupport::ReadFileBytes(Ini());
    }
    void TearDown() override {
        App::TearDown();
        if (m_bExisted) testsupport::WriteFileBytes(Ini(), m_strSaved);
        else ::DeleteFileA(Ini().c_str());
    }
    static std::string Ini() { return CTrevandWnd::SettingsFile(); }
    static std::string Value(const char* section, const char* key) {
        return platform::ReadIniString(Ini(), section, key, "<none>", 64);
    }

    bool m_bExisted = false;
    std::string m_strSaved;
};

TEST_F(Settings, TheWindowOpensWhereItWasKeptOnScreenSortedAsLeft) {
    // Left on a monitor since unplugged (x 3400 on a 1280-wide screen),
    // sorted by size, largest first.
    testsupport::WriteFileBytes(Ini(), "[Window]\r\nLeft=3400\r\nTop=100\r\nRight=4520\r\nBottom=760\r\n"
                                       "[List]\r\nSortColumn=3\r\nSortAscending=0\r\n");
    StartWithRole(MasterCafe(), 1);
    if (HasFatalFailure()) return;
    RECT rect;
    ASSERT_TRUE(::GetWindowRect(Main()->GetHWND(), &rect));
    const RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_EQ(1120, rect.right - rect.left);
    EXPECT_EQ(660, rect.bottom - rect.top);
    EXPECT_TRUE(rect.left >= screen.left && rect.right <= screen.right && rect.top >= screen.top &&
                rect.bottom <= screen.bottom)
        << rect.left << "," << rect.top << " " << rect.right << "," << rect.bottom;
    EXPECT_EQ(kColumnSize, Main()->RowsForTests().GetOrder().nColumn);
    EXPECT_FALSE(Main()->RowsForTests().GetOrder().bAscending);

    // Moved, resized and sorted by name: all of it is written back.
    ASSERT_TRUE(::SetWindowPos(Main()->GetHWND(), nullptr, 40, 30, 1100, 600, SWP_NOZORDER));
    const RECT title = Main()->RowsForTests().GetList()->GetHeader()->GetItemAt(kColumnName)->GetPos();
    ClickAt(Main()->GetHWND(), {(title.left + title.right) / 2, (title.top + title.bottom) / 2});
    ASSERT_EQ(kColumnName, Main()->RowsForTests().GetOrder().nColumn);
    Main()->SaveSettings();
    EXPECT_EQ("40", Value("Window", "Left"));
    EXPECT_EQ("30", Value("Window", "Top"));
    EXPECT_EQ("1140", Value("Window", "Right"));
    EXPECT_EQ("630", Value("Window", "Bottom"));
    EXPECT_EQ("0", Value("Window", "Maximized"));
    EXPECT_EQ("0", Value("List", "SortColumn"));
    EXPECT_EQ("1", Value("List", "SortAscending"));
}

TEST_F(Settings, NothingIsWrittenWhenNoRoleWasChosen) {
    ::DeleteFileA(Ini().c_str());
    Start(MasterCafe());
    if (HasFatalFailure()) return;
    Main()->SaveSettings();
    EXPECT_FALSE(testsupport::FileExists(Ini()));
}

}  // namespace
}  // namespace apptest
