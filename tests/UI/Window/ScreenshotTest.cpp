// Screenshots to look at: a sample window that uses every control of the
// window core (Chinese labels and multi-line text, buttons in every state,
// nine-grid and tiled images, a round border, the shadow) and the yes/no
// message box. Each is saved twice: as the manager paints the client area,
// and as the screen shows it with the shadow around it.
#include <gtest/gtest.h>

#include <functional>

#include "UI/Render/Dib32.h"
#include "RenderTestSupport.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/ListLabelElementUI.h"
#include "UI/Core/ControlUI.h"
#include "support/PngFile.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/MsgBoxWnd.h"
#include "WindowTestSupport.h"

using namespace Vellum;
using windowtest::SkinFolder;
using windowtest::Snapshot;
using windowtest::TestWnd;

namespace {

const char kSampleSkin[] = R"(<Window size="520,360" caption="0,0,0,36" roundcorner="6,6" showshadow="true">
  <Font name="微软雅黑" size="14" default="true" />
  <Font name="微软雅黑" size="14" bold="true" />
  <Font name="微软雅黑" size="20" bold="true" />
  <Default name="Button" value="height=&quot;32&quot; width=&quot;96&quot; borderround=&quot;6,6&quot; textcolor=&quot;#FFFFFFFF&quot; bkcolor=&quot;#FF2563EB&quot; hotbkcolor=&quot;#FF1D4ED8&quot; pushedbkcolor=&quot;#FF1E40AF&quot; disabledbkcolor=&quot;#FF93C5FD&quot;" />
  <VerticalLayout bkcolor="#FFF5F7FA" bordersize="1" bordercolor="#FFD1D5DB">
    <HorizontalLayout height="36" bkcolor="#FF1E3A5F">
      <Label name="TitleLable" text="清理工具 - 示例窗口" font="1" textcolor="#FFFFFFFF" textpadding="14,0,0,0" />
      <Button name="minbtn" width="40" height="36" bkcolor="#00000000" hotbkcolor="#00000000" pushedbkcolor="#00000000"
              normalimage="file='TitleBtnMin.png' source='0,0,40,32' dest='0,2,40,34'"
              hotimage="file='TitleBtnMin.png' source='40,0,80,32' dest='0,2,40,34'" />
      <Button name="closebtn" width="40" height="36" bkcolor="#00000000" hotbkcolor="#00000000" pushedbkcolor="#00000000"
              normalimage="file='TitleBtnClose.png' source='0,0,40,32' dest='0,2,40,34'"
              hotimage="file='TitleBtnClose.png' source='40,0,80,32' dest='0,2,40,34'" />
    </HorizontalLayout>
    <VerticalLayout inset="20,16,20,16" childpadding="10">
      <Label text="游戏服务器目录清理" font="2" textcolor="#FF1F2937" height="28" />
      <Label text="副标题：次要说明文字，超出宽度时以省略号结束，绝不会与其他控件重叠显示在一起" textcolor="#FF6B7280" endellipsis="true" height="20" />
      <HorizontalLayout height="96" childpadding="12">
        <Text name="Multi" width="230" bkimage="file='Card.png' corner='8,8,8,8'" textpadding="12,10,12,10" textcolor="#FF1F2937"
              text="多行文字会自动换行：未登记在任何游戏包中的目录与文件，将在确认后被删除。
第二段：删除前请仔细核对。" />
        <Control name="Tiles" bkimage="file='Tile.png' xtiled='true' ytiled='true'" borderround="12,12" bordersize="2" bordercolor="#FF2563EB" />
      </HorizontalLayout>
      <Text height="24" showhtml="true" textcolor="#FF1F2937" text="&lt;b&gt;粗体&lt;/b&gt;、&lt;i&gt;斜体&lt;/i&gt;、&lt;u&gt;下划线&lt;/u&gt;、&lt;c #FFDC2626&gt;红色&lt;/c&gt; 和 &lt;a help&gt;链接&lt;/a&gt;" />
      <HorizontalLayout height="32" childpadding="12">
        <Button name="Normal" text="普通" />
        <Button name="Hot" text="悬停" />
        <Button name="Pushed" text="按下" />
        <Button name="Disabled" text="禁用" enabled="false" />
      </HorizontalLayout>
      <Control />
    </VerticalLayout>
  </VerticalLayout>
</Window>)";

std::string ScreenshotPath(const char* name) { return windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, name); }

// A copy of the screen (what X shows, compositor included) around a window.
bool SaveScreen(HWND hWnd, int margin, const char* name) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ::InflateRect(&rc, margin, margin);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC screen = ::GetDC(nullptr);
    DWORD* bits = nullptr;
    HBITMAP bmp = Vellum::CreateDib32(screen, w, h, &bits);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::BitBlt(dc, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY | CAPTUREBLT);
    ::GdiFlush();
    std::vector<uint32_t> pixels(reinterpret_cast<uint32_t*>(bits), reinterpret_cast<uint32_t*>(bits) + w * h);
    for (uint32_t& p : pixels) p |= 0xFF000000;
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(bmp);
    ::ReleaseDC(nullptr, screen);
    return testsupport::WritePremultipliedPng(ScreenshotPath(name), pixels.data(), w, h);
}

void WriteSampleImages(const SkinFolder& skins) {
    // A white card with a soft blue edge, drawn for a nine-grid of 8 pixel corners.
    std::vector<uint32_t> card(24 * 24);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const int edge = std::min(std::min(x, y), std::min(23 - x, 23 - y));
            card[y * 24 + x] = edge == 0 ? 0x93C5FD : edge == 1 ? 0xDBEAFE : 0xFFFFFF;
        }
    }
    windowtest::WriteTestPng(skins.File("Card.png"), card, 24, 24);
    // An 8x8 checker tile.
    std::vector<uint32_t> tile(8 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) tile[y * 8 + x] = ((x / 4 + y / 4) % 2) ? 0xDBEAFE : 0xEFF6FF;
    windowtest::WriteTestPng(skins.File("Tile.png"), tile, 8, 8);
}

void SendEvent(CControlUI* control, int type) {
    TEventUI event;
    event.Type = type;
    event.pSender = control;
    control->Event(event);
}

TEST(Screenshot, SampleWindowWithEveryControl) {
    CShadowUI::Initialize(CUIManager::GetInstance());
    SkinFolder skins;
    WriteSampleImages(skins);
    skins.Write("Sample.xml", kSampleSkin);
    TestWnd wnd("Sample.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    ::SetWindowPos(wnd, nullptr, 380, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    wnd.ShowAndLayout();
    // Pushed by a real press; hot by the hover event (one mouse cannot do both).
    const POINT pushed = windowtest::CenterOf(wnd.Find("Pushed"));
    ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pushed.x, pushed.y));
    SendEvent(wnd.Find("Hot"), UIEVENT_MOUSEENTER);
    ::UpdateWindow(wnd);
    windowtest::PumpUntil([] { return false; }, 300);
    const Snapshot client(wnd.GetManager());
    EXPECT_TRUE(client.SavePng(ScreenshotPath("sample-window.png")));
    EXPECT_TRUE(SaveScreen(wnd, 40, "sample-window-screen.png"));
    ::SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    ::DestroyWindow(wnd);
}

const char kControlsSkin[] = R"(<Window size="420,260" caption="0,0,0,36" showshadow="true">
  <Font name="微软雅黑" size="14" default="true" />
  <VerticalLayout bkcolor="#FFF5F7FA" bordersize="1" bordercolor="#FFD1D5DB">
    <HorizontalLayout height="36" bkcolor="#FF1E3A5F">
      <Label text="选择服务器角色" textcolor="#FFFFFFFF" textpadding="14,0,0,0" />
    </HorizontalLayout>
    <VerticalLayout inset="20,14,20,14" childpadding="8">
      <HorizontalLayout height="28" childpadding="12">
        <Combo name="Drives" width="140" dropboxsize="0,100" itemhotbkcolor="#FFEFF6FF" itemselectedbkcolor="#FFDBEAFE" />
        <Label text="共 12 个未登记的目录" textcolor="#FF6B7280" />
        <CheckBox name="ChkSelectAll" text="全选" width="64" selected="true" />
      </HorizontalLayout>
      <Option name="MasterServerCheck" text="主服务器" group="role" selected="true" height="24" />
      <Option name="SecondaryServerCheck" text="副服务器" group="role" height="24" />
      <CheckBox name="Disabled" text="不可用的选项" height="24" enabled="false" />
      <Progress name="Value" height="8" value="60" bkcolor="#FFE5E7EB" />
      <Progress name="Marquee" height="8" marquee="true" bkcolor="#FFE5E7EB" />
      <Control />
    </VerticalLayout>
  </VerticalLayout>
</Window>)";

TEST(Screenshot, ControlsWithAnOpenCombo) {
    CShadowUI::Initialize(CUIManager::GetInstance());
    SkinFolder skins;
    skins.Write("Controls.xml", kControlsSkin);
    TestWnd wnd("Controls.xml");
    ASSERT_NE(nullptr, wnd.CreateHidden());
    ::SetWindowPos(wnd, nullptr, 380, 200, 420, 260, SWP_NOZORDER);
    wnd.ShowAndLayout();
    auto* combo = static_cast<CComboUI*>(wnd.Find("Drives")->GetInterface("Combo"));
    ASSERT_NE(nullptr, combo);
    for (const char* drive : {"D:\\", "E:\\", "F:\\", "G:\\", "H:\\", "I:\\"}) {
        auto* entry = new CListLabelElementUI;
        entry->SetText(drive);
        combo->Add(entry);
    }
    combo->SelectItem(1);
    windowtest::PostClick(wnd, windowtest::CenterOf(combo));
    ASSERT_TRUE(windowtest::PumpUntil([&] { return combo->IsDropped(); }));
    HWND popup = combo->GetDropDownWindow();
    // Hover the third entry, as a user choosing it would.
    const POINT hot = windowtest::CenterOf(combo->GetItemAt(2));
    ::SendMessageA(popup, WM_MOUSEMOVE, 0, MAKELPARAM(hot.x, hot.y));
    windowtest::PumpUntil([] { return false; }, 300);
    ::UpdateWindow(wnd);
    ::UpdateWindow(popup);
    const Snapshot client(wnd.GetManager());
    EXPECT_TRUE(client.SavePng(ScreenshotPath("controls-window.png")));
    EXPECT_TRUE(SaveScreen(wnd, 40, "controls-window-screen.png"));
    ::DestroyWindow(wnd);
}

TEST(Screenshot, YesNoMessageBox) {
    CShadowUI::Initialize(CUIManager::GetInstance());
    SkinFolder skins;
    skins.Write("Owner.xml",
                R"(<Window size="600,400" showshadow="false"><VerticalLayout bkcolor="#FFF5F7FA" /></Window>)");
    TestWnd owner("Owner.xml");
    ASSERT_NE(nullptr, owner.CreateHidden());
    ::SetWindowPos(owner, nullptr, 340, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    owner.ShowAndLayout();
    static bool saved = false;
    saved = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND box = ::FindWindowA("MsgBoxWnd", "MsgBoxWnd");
        if (!box || !::IsWindowVisible(box)) return;
        ::KillTimer(nullptr, id);
        ::UpdateWindow(box);
        auto* msgBox =
            dynamic_cast<CMsgBoxWnd*>(reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrA(box, GWLP_USERDATA)));
        if (msgBox) {
            const Snapshot client(msgBox->GetManager());
            saved =
                client.SavePng(ScreenshotPath("msgbox-yesno.png")) && SaveScreen(box, 40, "msgbox-yesno-screen.png");
        }
        windowtest::PostKey(box, VK_ESCAPE);
    });
    const int result = owner.ShowMessageBox("确定要删除选中的 3 个目录吗？\r\n删除后无法恢复。", "提示", 4);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(saved);
    EXPECT_EQ(2, result);
    ::DestroyWindow(owner);
}

}  // namespace
