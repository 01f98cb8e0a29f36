// The skin builder with a real window's manager: default attributes and their
// overrides, includes, unknown elements, custom controls and the Window
// settings.
#include <gtest/gtest.h>

#include <cstring>

#include "UI/Control/LabelUI.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Core/ControlUI.h"
#include "UI/Window/DialogBuilder.h"
#include "WindowTestSupport.h"
#include "support/LogCapture.h"

using namespace Vellum;
using windowtest::SkinFolder;
using windowtest::TestWnd;

namespace {

// A window whose builder callback knows one control of its own.
class CustomWnd : public TestWnd {
public:
    using TestWnd::TestWnd;
    CControlUI* CreateControl(const char* pstrClass) override {
        return std::strcmp(pstrClass, "MyLabel") == 0 ? new CLabelUI : nullptr;
    }
};

CControlUI* CreatePlugin(const char* pstrClass) {
    return std::strcmp(pstrClass, "PlugLabel") == 0 ? new CLabelUI : nullptr;
}

class Builder : public ::testing::Test {
protected:
    // The log writer keeps the first file it writes to: point it at the
    // capture folder before a test of this suite logs.
    static void SetUpTestSuite() { testsupport::LogCapture first; }

    SkinFolder m_skins;
};

// A skin whose innermost Label sits `depth` levels deep, inside Containers.
std::string NestedSkin(int depth) {
    std::string skin = "<Window size=\"200,120\" showshadow=\"false\">";
    for (int i = 1; i < depth; ++i) skin += "<Container>";
    skin += "<Label name=\"Deepest\" />";
    for (int i = 1; i < depth; ++i) skin += "</Container>";
    return skin + "</Window>";
}

// Writes Inc1.xml .. Inc<count>.xml, each a Container that includes the next;
// the last holds a Label.
void WriteIncludeChain(const SkinFolder& skins, int count) {
    for (int i = 1; i <= count; ++i) {
        const std::string inner = i < count ? "<Include source=\"Inc" + std::to_string(i + 1) + ".xml\" />"
                                            : std::string("<Label name=\"Deepest\" />");
        skins.Write("Inc" + std::to_string(i) + ".xml", "<Window><Container>" + inner + "</Container></Window>");
    }
}

TEST_F(Builder, NestingAndIncludesStopAtTheirLimitsWithAnErrorOfOurs) {
    const struct {
        const char* name;
        std::string skin;   // markup text
        const char* error;  // null: builds
    } cases[] = {
        {"nesting at the limit", NestedSkin(CDialogBuilder::kMaxNestingDepth), nullptr},
        {"nesting one over", NestedSkin(CDialogBuilder::kMaxNestingDepth + 1),
         "[Error]|skin element <Label> is nested more than 128 deep"},
        {"includes at the limit", "<Window><Container><Include source=\"Inc1.xml\" /></Container></Window>", nullptr},
        {"includes one over", "<Window><Container><Include source=\"Inc0.xml\" /></Container></Window>",
         "[Error]|skin include of [Inc16.xml] is nested more than 16 deep"},
    };
    // Inc0.xml starts the same chain one include further out.
    WriteIncludeChain(m_skins, CDialogBuilder::kMaxIncludeDepth);
    m_skins.Write("Inc0.xml", "<Window><Include source=\"Inc1.xml\" /></Window>");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::LogCapture log;
        CDialogBuilder builder;
        CControlUI* root = builder.Build(c.skin.c_str(), nullptr, nullptr, nullptr);
        EXPECT_EQ(c.error == nullptr, root != nullptr);
        delete root;
        EXPECT_EQ(c.error ? std::vector<std::string>{c.error} : std::vector<std::string>{}, log.Lines());
    }
}

// Without the limits these skins overflow the stack, so they are built in a
// child process, where they must end as any skin that cannot be built does.
TEST_F(Builder, ASkinIncludingItselfOrNestingWithoutEndFailsLikeAMissingOne) {
    m_skins.Write("Self.xml", R"(<Window size="200,120" showshadow="false">
  <VerticalLayout><Label text="again" /><Include source="Self.xml" /></VerticalLayout>
</Window>)");
    m_skins.Write("Endless.xml", NestedSkin(150000));  // 3.4 MB: within the 4 MiB a skin file may have
    const std::string role = windowtest::TestChildRole();
    if (!role.empty()) {
        TestWnd wnd(role.c_str());
        wnd.CreateHidden();
        FAIL() << "the process should have ended";
    }
    for (const char* skin : {"Self.xml", "Endless.xml"}) {
        SCOPED_TRACE(skin);
        const windowtest::ChildRun run =
            windowtest::RunTestInChild("Builder.ASkinIncludingItselfOrNestingWithoutEndFailsLikeAMissingOne", skin);
        EXPECT_TRUE(run.boxShown);
        EXPECT_TRUE(run.exited);
        EXPECT_EQ(1u, run.exitCode);
    }
}

TEST_F(Builder, DefaultsApplyFirstDefinitionOnlyAndOwnAttributesOverride) {
    m_skins.Write("Defaults.xml", R"(<Window size="200,120" showshadow="false">
  <Default name="Button" value="text=&quot;默认&quot; bkcolor=&quot;#FF112233&quot; height=&quot;20&quot;" />
  <Default name="Button" value="text=&quot;second&quot; width=&quot;50&quot;" />
  <VerticalLayout>
    <Button name="A" />
    <Button name="B" text="自己" height="25" />
    <Label name="L" />
  </VerticalLayout>
</Window>)");
    TestWnd wnd("Defaults.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    CControlUI* a = wnd.Find("A");
    CControlUI* b = wnd.Find("B");
    ASSERT_TRUE(a && b);
    EXPECT_EQ("默认", a->GetText());
    EXPECT_EQ("自己", b->GetText());
    EXPECT_EQ(0xFF112233u, b->GetBkColor());
    EXPECT_EQ(20, a->GetFixedHeight());
    EXPECT_EQ(25, b->GetFixedHeight());
    EXPECT_EQ(0, a->GetFixedWidth());         // the second definition was ignored
    EXPECT_EQ("", wnd.Find("L")->GetText());  // defaults go by element name
    ::DestroyWindow(wnd);
}

TEST_F(Builder, IncludeBuildsItsSourceCountTimesIntoTheSameParent) {
    m_skins.Write("Part.xml", R"(<Window><Label text="片" /><Button text="b" /></Window>)");
    m_skins.Write("Host.xml", R"(<Window size="200,120" showshadow="false">
  <VerticalLayout name="Host">
    <Include source="Part.xml" count="3" />
    <Include count="2" />
    <Label name="Last" />
  </VerticalLayout>
</Window>)");
    TestWnd wnd("Host.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    auto* host = static_cast<CContainerUI*>(wnd.Find("Host")->GetInterface("Container"));
    ASSERT_EQ(7, host->GetCount());
    for (int i = 0; i < 6; i += 2) {
        EXPECT_STREQ("LabelUI", host->GetItemAt(i)->GetClass());
        EXPECT_EQ("片", host->GetItemAt(i)->GetText());
        EXPECT_STREQ("ButtonUI", host->GetItemAt(i + 1)->GetClass());
    }
    EXPECT_EQ(wnd.Find("Last"), host->GetItemAt(6));
    ::DestroyWindow(wnd);
}

TEST_F(Builder, UnknownElementsAreSkippedWithTheirSubtree) {
    CDialogBuilder::AddPlugin(CreatePlugin);
    m_skins.Write("Unknown.xml", R"(<Window size="200,120" showshadow="false">
  <VerticalLayout name="Host">
    <Foo name="F"><Button name="InsideFoo" /></Foo>
    <Slider name="S"><Button name="InsideSlider" /></Slider>
    <MyLabel name="Mine" text="m" />
    <PlugLabel name="Plugged" />
    <Button name="After" />
  </VerticalLayout>
</Window>)");
    CustomWnd wnd("Unknown.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    auto* host = static_cast<CContainerUI*>(wnd.Find("Host")->GetInterface("Container"));
    EXPECT_EQ(3, host->GetCount());
    EXPECT_EQ(nullptr, wnd.Find("F"));
    EXPECT_EQ(nullptr, wnd.Find("InsideFoo"));
    EXPECT_EQ(nullptr, wnd.Find("InsideSlider"));
    ASSERT_NE(nullptr, wnd.Find("Mine"));
    EXPECT_EQ("m", wnd.Find("Mine")->GetText());
    EXPECT_NE(nullptr, wnd.Find("Plugged"));
    EXPECT_NE(nullptr, wnd.Find("After"));
    ::DestroyWindow(wnd);
}

TEST_F(Builder, WindowAttributesAndFontsReachTheManager) {
    m_skins.Write("Settings.xml", R"(<Window size="320,240" caption="0,0,0,30" sizebox="5,6,7,8" mininfo="200,150"
    maxinfo="800,600" roundcorner="4,4" defaultfontcolor="#FF1F2937" showshadow="false" unknown="1">
  <Font name="微软雅黑" size="16" bold="true" />
  <Font name="微软雅黑" size="13" default="true" />
  <VerticalLayout />
</Window>)");
    TestWnd wnd("Settings.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    CUIManager& pm = wnd.GetManager();
    RECT rc;
    ::GetClientRect(wnd, &rc);
    EXPECT_EQ(320, rc.right);
    EXPECT_EQ(240, rc.bottom);
    EXPECT_EQ(30, pm.GetCaptionRect().bottom);
    EXPECT_EQ(8, pm.GetSizeBox().bottom);
    EXPECT_EQ(200, pm.GetMinInfo().cx);
    EXPECT_EQ(600, pm.GetMaxInfo().cy);
    EXPECT_EQ(0xFF1F2937u, pm.GetDefaultFontColor());
    ASSERT_EQ(2, pm.GetFontCount());
    EXPECT_TRUE(pm.GetFontInfo(0).bBold);
    EXPECT_EQ(16, pm.GetFontInfo(0).iSize);
    EXPECT_EQ(13, pm.GetFontInfo(-1).iSize);  // outside the list: the default font
    EXPECT_EQ(13, pm.GetFontInfo(5).iSize);
    ::DestroyWindow(wnd);
}

TEST_F(Builder, MarkupTextBuildsWithoutAManager) {
    CDialogBuilder builder;
    // The document element only wraps the tree: its first child is the root.
    CControlUI* root = builder.Build("<Window><VerticalLayout><Label text=\"x\" /><Button /></VerticalLayout></Window>",
                                     nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, root);
    ASSERT_STREQ("VerticalLayoutUI", root->GetClass());
    EXPECT_EQ(2, static_cast<CContainerUI*>(root->GetInterface("Container"))->GetCount());
    delete root;

    CDialogBuilder broken;
    EXPECT_EQ(nullptr, broken.Build("<VerticalLayout><Label text='x' /></VerticalLayout>", nullptr, nullptr, nullptr));
    EXPECT_STREQ("Expected attribute value", broken.GetMarkup().GetErrorMessage());
}

}  // namespace
