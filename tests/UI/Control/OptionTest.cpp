// Options and check boxes in real windows, driven by posted mouse clicks and
// keys: group exclusion, toggling, and the order of "click" and
// "selectchanged".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UI/Control/CheckBoxUI.h"
#include "UI/Control/OptionUI.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/WindowTestSupport.h"

using namespace Vellum;
using windowtest::CenterOf;
using windowtest::PostClick;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

const char kOptionSkin[] = R"(<Window size="300,200" showshadow="false">
  <VerticalLayout bkcolor="#FFF5F7FA">
    <Option name="Master" text="主服务器" group="role" selected="true" height="28" />
    <Option name="Secondary" text="副服务器" group="role" height="28" />
    <CheckBox name="Chk" text="全选" height="28" />
    <Control />
  </VerticalLayout>
</Window>)";

class Options : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CShadowUI::Initialize(CUIManager::GetInstance()); }
    void SetUp() override {
        m_skins.Write("Options.xml", kOptionSkin);
        ASSERT_NE(nullptr, m_wnd.CreateHidden());
        m_wnd.ShowAndLayout();
        m_wnd.m_notifications.clear();
    }
    void TearDown() override { ::DestroyWindow(m_wnd); }

    COptionUI* Option(const char* name) { return static_cast<COptionUI*>(m_wnd.Find(name)->GetInterface("Option")); }
    // Clicks a control and waits until its "click" has arrived.
    void Click(const char* name) {
        const size_t before = m_wnd.m_notifications.size();
        PostClick(m_wnd, CenterOf(m_wnd.Find(name)));
        const std::string click = std::string("click:") + name;
        ASSERT_TRUE(windowtest::PumpUntil([&] {
            for (size_t i = before; i < m_wnd.m_notifications.size(); ++i)
                if (m_wnd.m_notifications[i] == click) return true;
            return false;
        }));
        windowtest::PumpPending();
    }
    // The selection notifications seen so far (focus changes left out).
    std::vector<std::string> Seen() const {
        std::vector<std::string> out;
        for (const std::string& n : m_wnd.m_notifications)
            if (n.rfind("click:", 0) == 0 || n.rfind("selectchanged:", 0) == 0) out.push_back(n);
        return out;
    }

    SkinFolder m_skins;
    TestWnd m_wnd{"Options.xml"};
};

TEST_F(Options, SkinSelectionAndClassNames) {
    EXPECT_TRUE(Option("Master")->IsSelected());
    EXPECT_FALSE(Option("Secondary")->IsSelected());
    EXPECT_FALSE(Option("Chk")->IsSelected());
    EXPECT_STREQ("OptionUI", m_wnd.Find("Master")->GetClass());
    EXPECT_STREQ("CheckBoxUI", m_wnd.Find("Chk")->GetClass());
    EXPECT_NE(nullptr, m_wnd.Find("Chk")->GetInterface("CheckBox"));
    ASSERT_NE(nullptr, m_wnd.GetManager().GetOptionGroup("role"));
    EXPECT_EQ(2u, m_wnd.GetManager().GetOptionGroup("role")->size());
}

TEST_F(Options, GroupedOptionClickedTwiceStaysSelected) {
    Click("Secondary");
    EXPECT_TRUE(Option("Secondary")->IsSelected());
    EXPECT_FALSE(Option("Master")->IsSelected());
    Click("Secondary");
    EXPECT_TRUE(Option("Secondary")->IsSelected());
    Click("Master");
    EXPECT_TRUE(Option("Master")->IsSelected());
    EXPECT_FALSE(Option("Secondary")->IsSelected());
    // The option that is cleared by its group says nothing; a click on the
    // selected one changes nothing.
    const std::vector<std::string> expected = {"click:Secondary", "selectchanged:Secondary", "click:Secondary",
                                               "click:Master", "selectchanged:Master"};
    EXPECT_EQ(expected, Seen());
}

TEST_F(Options, CheckBoxClickedTwiceReturnsToUnselected) {
    // A click handler still sees the state from before the click.
    std::vector<bool> stateAtClick;
    m_wnd.Find("Chk")->OnNotify.push_back([&](TNotification& msg) {
        if (msg.sType == "click") stateAtClick.push_back(Option("Chk")->IsSelected());
        return true;
    });
    Click("Chk");
    EXPECT_TRUE(Option("Chk")->IsSelected());
    Click("Chk");
    EXPECT_FALSE(Option("Chk")->IsSelected());
    const std::vector<std::string> expected = {"click:Chk", "selectchanged:Chk", "click:Chk", "selectchanged:Chk"};
    EXPECT_EQ(expected, Seen());
    EXPECT_EQ((std::vector<bool>{false, true}), stateAtClick);
}

TEST_F(Options, SpaceTogglesTheFocusedCheckBox) {
    m_wnd.Find("Chk")->SetFocus();
    windowtest::PostKey(m_wnd, VK_SPACE);
    ASSERT_TRUE(windowtest::PumpUntil([&] { return Option("Chk")->IsSelected(); }));
    m_wnd.Find("Chk")->SetEnabled(false);
    EXPECT_FALSE(m_wnd.Find("Chk")->Activate());
    EXPECT_TRUE(Option("Chk")->IsSelected());
}

TEST_F(Options, SelectedInCodeFollowsTheGroupRules) {
    m_wnd.m_notifications.clear();
    Option("Secondary")->Selected(true);
    EXPECT_FALSE(Option("Master")->IsSelected());
    Option("Secondary")->Selected(true);   // unchanged: nothing
    Option("Secondary")->Selected(false);  // a grouped option cleared: silent
    EXPECT_FALSE(Option("Secondary")->IsSelected());
    Option("Chk")->Selected(true);
    Option("Chk")->Selected(false);
    const std::vector<std::string> expected = {"selectchanged:Secondary", "selectchanged:Chk", "selectchanged:Chk"};
    EXPECT_EQ(expected, Seen());
}

TEST_F(Options, GroupsBelongToOneManager) {
    // The same group name in another window is another group.
    TestWnd other("Options.xml");
    ASSERT_NE(nullptr, other.CreateHidden());
    Option("Secondary")->Selected(true);
    EXPECT_TRUE(static_cast<COptionUI*>(other.Find("Master"))->IsSelected());
    // A removed option leaves its group at once.
    CControlUI* secondary = other.Find("Secondary");
    auto* parent = static_cast<IContainerUI*>(secondary->GetParent()->GetInterface("IContainer"));
    ASSERT_TRUE(parent->Remove(secondary));
    EXPECT_EQ(1u, other.GetManager().GetOptionGroup("role")->size());
    ::DestroyWindow(other);
}

}  // namespace
