// The row menu and the double click, by real input from outside (xdotool):
// a right click on a row opens the system's popup menu, whose items copy the
// path to the clipboard (ANSI and Unicode), tick the row, or open Explorer
// on the entry's folder; a double click on a row's path does the last.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "AppFixture.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "UI/Control/ListUI.h"
#include "support/WaitUntil.h"
#include "support/WineHost.h"

namespace apptest {
namespace {

// A top-level window whose title is `title`, or null.
HWND WindowTitled(const std::string& title) { return ::FindWindowA(nullptr, title.c_str()); }

class RowMenu : public App {
protected:
    void SetUp() override { StartWithRole(SecondaryCafe(), 2); }
    Vellum::CListUI* List() { return Main()->RowsForTests().GetList(); }
    POINT PathPoint(const std::string& path) {
        const RECT rc = Main()->RowsForTests().Find(path)->pRow->GetPos();
        return {rc.left + 320, (rc.top + rc.bottom) / 2};
    }
    // Right-clicks the row of `path` and, once the menu shows, presses
    // `keys` in it from another thread (the menu's own loop holds this one).
    void ChooseInMenu(const std::string& path, const std::vector<std::string>& keys) {
        ::SetForegroundWindow(Main()->GetHWND());
        POINT screen = PathPoint(path);
        ::ClientToScreen(Main()->GetHWND(), &screen);
        std::atomic<bool> pressed{false};
        std::thread chooser([&] {
            testsupport::WaitUntil([] { return ::FindWindowA("#32768", nullptr) != nullptr; }, 10000);
            std::vector<std::string> argv = {"xdotool", "key", "--delay", "80"};
            argv.insert(argv.end(), keys.begin(), keys.end());
            testsupport::RunUnixCommand(argv);
            pressed = true;
        });
        testsupport::RunUnixCommand(
            {"xdotool", "mousemove", std::to_string(screen.x), std::to_string(screen.y), "click", "3"});
        windowtest::PumpUntil([&] { return pressed.load(); }, 15000);
        chooser.join();
        windowtest::PumpPending();
    }
    static std::string ClipboardAnsi() {
        std::string text;
        if (!::OpenClipboard(nullptr)) return "<no clipboard>";
        if (HANDLE data = ::GetClipboardData(CF_TEXT)) text = static_cast<const char*>(::GlobalLock(data)), ::GlobalUnlock(data);
        ::CloseClipboard();
        return text;
    }
    static std::wstring ClipboardUnicode() {
        std::wstring text;
        if (!::OpenClipboard(nullptr)) return L"<no clipboard>";
        if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT))
            text = static_cast<const wchar_t*>(::GlobalLock(data)), ::GlobalUnlock(data);
        ::CloseClipboard();
        return text;
    }
};

TEST_F(RowMenu, CopiesThePathTicksTheRowAndOpensItsPlace) {
    if (HasFatalFailure()) return;
    const std::string path = OnDrive('E', "Games\\誠");
    ASSERT_NE(nullptr, Main()->RowsForTests().Find(path));

    ChooseInMenu(path, {"Down", "Down", "Return"});  // 复制路径
    EXPECT_EQ(path, ClipboardAnsi());
    EXPECT_EQ(std::wstring(L"E:\\Games\\\u8aa0"), ClipboardUnicode());

    ChooseInMenu(path, {"Down", "Down", "Down", "Return"});  // 勾选 (the separator is skipped)
    EXPECT_TRUE(Main()->RowsForTests().Find(path)->pRow->IsChecked());
    EXPECT_EQ(1, Main()->RowsForTests().CountChecked());

    ChooseInMenu(path, {"Down", "Return"});  // 打开所在位置: Explorer on E:\Games
    HWND explorer = nullptr;
    EXPECT_TRUE(windowtest::PumpUntil([&] { return (explorer = WindowTitled("Games")) != nullptr; }, 15000))
        << "no Explorer window on the entry's folder";
    if (explorer) ::PostMessageA(explorer, WM_CLOSE, 0, 0);
}

TEST_F(RowMenu, ADoubleClickOnARowsPathOpensItsPlace) {
    if (HasFatalFailure()) return;
    const std::string path = OnDrive('E', "Games\\单机游戏\\旧版本");
    ASSERT_NE(nullptr, Main()->RowsForTests().Find(path));
    ::SetForegroundWindow(Main()->GetHWND());
    ASSERT_TRUE(windowtest::SendRealClicks(Main()->GetHWND(), PathPoint(path), 2));
    HWND explorer = nullptr;
    EXPECT_TRUE(windowtest::PumpUntil([&] { return (explorer = WindowTitled("单机游戏")) != nullptr; }, 15000))
        << "no Explorer window on the entry's folder";
    if (explorer) ::PostMessageA(explorer, WM_CLOSE, 0, 0);
    EXPECT_FALSE(Main()->RowsForTests().Find(path)->pRow->IsChecked()) << "a double click on the path ticked the row";
}

}  // namespace
}  // namespace apptest
