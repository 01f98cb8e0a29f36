// Start-up as the operator meets it: the role window first, the main window
// hidden; the role chosen; every way of closing either window ends the
// application.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/DB/SecondaryServer/SecondaryServer.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/OptionUI.h"
#include "support/LogCapture.h"

namespace apptest {
namespace {

bool IsSelected(Vellum::CControlUI* option) {
    return static_cast<Vellum::COptionUI*>(option->GetInterface("Option"))->IsSelected();
}

TEST_F(App, RoleWindowComesFirstWithMasterChosenAndTheMainWindowHidden) {
    Start(MasterCafe());
    EXPECT_TRUE(::IsWindowVisible(Role()->GetHWND()));
    EXPECT_FALSE(::IsWindowVisible(Main()->GetHWND()));
    EXPECT_TRUE(IsSelected(RoleControl("MasterServerCheck")));
    EXPECT_FALSE(IsSelected(RoleControl("SecondaryServerCheck")));
    EXPECT_EQ(nullptr, Main()->EngineForTests());
    char text[64];
    ::GetWindowTextA(Role()->GetHWND(), text, sizeof(text));
    EXPECT_STREQ("CSelectServerClassWnd", text);
    ::GetWindowTextA(Main()->GetHWND(), text, sizeof(text));
    EXPECT_STREQ("CTrevandWnd", text);
}

struct RoleCase {
    const char* name;
    std::vector<const char*> clicks;  // options clicked before "OkButton"
    bool master;
    const char* title;
};

TEST_F(App, OkButtonConfirmsTheRoleOfTheLastOptionClicked) {
    const RoleCase cases[] = {
        {"untouched", {}, true, "Zervan主服务器游戏盘清理"},
        {"secondary", {"SecondaryServerCheck"}, false, "Zervan副服务器游戏盘清理"},
        {"secondary then master", {"SecondaryServerCheck", "MasterServerCheck"}, true, "Zervan主服务器游戏盘清理"},
    };
    for (const RoleCase& c : cases) {
        SCOPED_TRACE(c.name);
        Start(c.master ? MasterCafe() : SecondaryCafe());
        for (const char* option : c.clicks) {
            Click(Role(), option);
            EXPECT_TRUE(IsSelected(RoleControl(option)));
        }
        Click(Role(), "OkButton");
        EXPECT_FALSE(::IsWindowVisible(Role()->GetHWND()));
        EXPECT_TRUE(::IsWindowVisible(Main()->GetHWND()));
        EXPECT_EQ(c.title, MainControl("TitleLable")->GetText().ToStdString());
        if (c.master) {
            EXPECT_NE(nullptr, dynamic_cast<CMasterTrevandDB*>(Main()->EngineForTests()));
        } else {
            EXPECT_NE(nullptr, dynamic_cast<CSecondaryTrevandDB*>(Main()->EngineForTests()));
        }
        TearDown();
    }
}

TEST_F(App, CloseButtonOfTheRoleWindowEndsWithoutEngineOrDatabase) {
    testsupport::LogCapture log;
    Start(MasterCafe());
    Click(Role(), "closebtn");
    EXPECT_TRUE(WaitForQuit());
    EXPECT_EQ(nullptr, Main()->EngineForTests());
    for (const std::string& line : log.Lines()) EXPECT_EQ(std::string::npos, line.find(".db")) << line;
}

// Escape and the system close end the application from either window: the
// main window is hidden while the role window shows, so closing only the
// window would leave a process with nothing on screen.
TEST_F(App, EscapeSystemCloseAndWmCloseEndTheApplicationFromEitherWindow) {
    enum class Request { kEscape, kSystemClose, kWmClose };
    struct CloseCase {
        const char* name;
        bool mainWindow;
        Request request;
    };
    const CloseCase cases[] = {
        {"role window, Escape", false, Request::kEscape},
        {"role window, system close", false, Request::kSystemClose},
        {"role window, WM_CLOSE from another program", false, Request::kWmClose},
        {"main window, Escape", true, Request::kEscape},
        {"main window, system close", true, Request::kSystemClose},
        {"main window, WM_CLOSE from another program", true, Request::kWmClose},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.mainWindow) StartWithRole(MasterCafe(), 1);
        else Start(MasterCafe());
        HWND target = c.mainWindow ? Main()->GetHWND() : Role()->GetHWND();
        switch (c.request) {
        case Request::kEscape: windowtest::PostKey(target, VK_ESCAPE); break;
        case Request::kSystemClose: ::PostMessageA(target, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case Request::kWmClose: ::PostMessageA(target, WM_CLOSE, 0, 0); break;
        }
        EXPECT_TRUE(WaitForQuit());
        // The program ends through its own shutdown, which takes the
        // windows down in order; none goes alone before.
        EXPECT_TRUE(::IsWindow(target));
        TearDown();
    }
}

TEST_F(App, EscapeWithTheDriveDropDownOpenClosesOnlyTheDropDown) {
    StartWithRole(MasterCafe(), 1);
    auto* combo = static_cast<Vellum::CComboUI*>(MainControl("TrevandComBox")->GetInterface("Combo"));
    ClickAt(Main()->GetHWND(), windowtest::CenterOf(combo));
    ASSERT_TRUE(windowtest::PumpUntil([&] { return combo->IsDropped(); }));
    windowtest::PostKey(combo->GetDropDownWindow(), VK_ESCAPE);
    EXPECT_TRUE(windowtest::PumpUntil([&] { return !combo->IsDropped(); }));
    EXPECT_FALSE(WaitForQuit(300));
    EXPECT_TRUE(::IsWindowVisible(Main()->GetHWND()));
}

TEST_F(App, MainWindowCloseButtonEndsTheApplication) {
    StartWithRole(MasterCafe(), 1);
    Click(Main(), "closebtn");
    EXPECT_TRUE(WaitForQuit());
}

}  // namespace
}  // namespace apptest
