// The message box under Wine: answers by button, key and close button, its
// size for short and two-line texts, and its owner disabled while it is open.
#include <gtest/gtest.h>

#include <functional>

#include "UI/Core/ControlUI.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/MsgBoxWnd.h"
#include "WindowTestSupport.h"

using namespace Vellum;
using windowtest::CenterOf;
using windowtest::PostClick;
using windowtest::PostKey;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

const char kOwnerSkin[] = R"(<Window size="400,300" showshadow="false">
  <VerticalLayout bkcolor="#FFF5F7FA"><Button name="Owned" height="30" text="owner" /></VerticalLayout>
</Window>)";

// What the running box is handed to: its object and its native window.
using BoxDriver = std::function<void(CMsgBoxWnd& box, HWND hBox)>;

BoxDriver* g_driver = nullptr;
HWND g_owner = nullptr;

// A thread timer runs inside the box's own modal loop: it finds the box once
// it is shown, lays it out and hands it to the test's driver.
void CALLBACK DriveBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = ::FindWindowA("MsgBoxWnd", "MsgBoxWnd");
    if (!box || !::IsWindowVisible(box) || ::GetWindow(box, GW_OWNER) != g_owner) return;
    ::KillTimer(nullptr, id);
    ::UpdateWindow(box);
    CWindowWnd* wnd = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrA(box, GWLP_USERDATA));
    CMsgBoxWnd* msgBox = dynamic_cast<CMsgBoxWnd*>(wnd);
    ASSERT_NE(nullptr, msgBox);
    (*g_driver)(*msgBox, box);
}

class MsgBox : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CShadowUI::Initialize(CUIManager::GetInstance()); }
    void SetUp() override {
        m_skins.Write("Owner.xml", kOwnerSkin);
        ASSERT_NE(nullptr, m_owner.CreateHidden());
        m_owner.ShowAndLayout();
        g_owner = m_owner;
    }
    void TearDown() override { ::DestroyWindow(m_owner); }

    int Run(const char* text, int type, BoxDriver driver) {
        g_driver = &driver;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, DriveBox);
        const int result = m_owner.ShowMessageBox(text, "标题", type);
        ::KillTimer(nullptr, timer);
        g_driver = nullptr;
        return result;
    }

    SkinFolder m_skins;
    TestWnd m_owner{"Owner.xml"};
};

CControlUI* Find(CMsgBoxWnd& box, const char* name) { return box.GetManager().FindControl(name); }

TEST_F(MsgBox, YesNoBoxAnswersByButtonEscapeAndCloseButton) {
    struct Case {
        const char* action;  // a control to click, or "Escape"
        int result;
    };
    const Case cases[] = {{"BtnOk", 1}, {"BtnCancel", 2}, {"Escape", 2}, {"closebtn", 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        const int result = Run("确定删除选中的目录吗?", 4, [&](CMsgBoxWnd& box, HWND hBox) {
            EXPECT_EQ("是", Find(box, "BtnOk")->GetText());
            EXPECT_EQ("否", Find(box, "BtnCancel")->GetText());
            EXPECT_TRUE(Find(box, "BtnCancel")->IsVisible());
            EXPECT_EQ("标题", Find(box, "LabelTitle")->GetText());
            EXPECT_TRUE(Find(box, "BtnOk")->IsFocused());
            if (std::string(c.action) == "Escape") PostKey(hBox, VK_ESCAPE);
            else PostClick(hBox, CenterOf(Find(box, c.action)));
        });
        EXPECT_EQ(c.result, result);
    }
}

TEST_F(MsgBox, InformationBoxShowsOnlyOkAndEscapeAnswersOne) {
    int result = Run("完成", 0, [](CMsgBoxWnd& box, HWND hBox) {
        EXPECT_FALSE(Find(box, "BtnCancel")->IsVisible());
        EXPECT_EQ("确定", Find(box, "BtnOk")->GetText());  // the skin's own text
        PostKey(hBox, VK_ESCAPE);
    });
    EXPECT_EQ(1, result);
    result = Run("完成", 0, [](CMsgBoxWnd& box, HWND hBox) { PostClick(hBox, CenterOf(Find(box, "BtnOk"))); });
    EXPECT_EQ(1, result);
}

TEST_F(MsgBox, EnterActivatesTheFocusedOkButton) {
    const int result = Run("完成", 1, [](CMsgBoxWnd&, HWND hBox) { PostKey(hBox, VK_RETURN); });
    EXPECT_EQ(1, result);
}

TEST_F(MsgBox, OwnerIsDisabledWhileTheBoxIsOpen) {
    bool ownerEnabledDuring = true;
    Run("完成", 0, [&](CMsgBoxWnd&, HWND hBox) {
        ownerEnabledDuring = ::IsWindowEnabled(g_owner) != FALSE;
        PostKey(hBox, VK_ESCAPE);
    });
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(::IsWindowEnabled(m_owner));
}

TEST_F(MsgBox, SizeFollowsTheTextWithAMinimumWidth) {
    RECT shortBox = {}, oneLine = {}, twoLines = {};
    std::string shownText;
    auto measure = [](RECT& out) {
        return [&out](CMsgBoxWnd&, HWND hBox) {
            ::GetClientRect(hBox, &out);
            PostKey(hBox, VK_ESCAPE);
        };
    };
    Run("a", 0, measure(shortBox));
    Run("第一行", 0, measure(oneLine));
    Run("第一行\r\n第二行", 0, [&](CMsgBoxWnd& box, HWND hBox) {
        shownText = Find(box, "TextContent")->GetText();
        ::GetClientRect(hBox, &twoLines);
        PostKey(hBox, VK_ESCAPE);
    });
    EXPECT_EQ(200, shortBox.right);
    // The line break became a blank line: two more lines than the one-line box.
    EXPECT_EQ("第一行\r\n\r\n第二行", shownText);
    EXPECT_EQ(oneLine.right, twoLines.right);
    const int lineHeight = twoLines.bottom - oneLine.bottom;
    EXPECT_GT(lineHeight, 20);
    EXPECT_EQ(oneLine.bottom - 130, lineHeight / 2);
}

}  // namespace
