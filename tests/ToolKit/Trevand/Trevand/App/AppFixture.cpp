#include "AppFixture.h"

#include "../RowTick.h"

#include "UI/Control/ComboUI.h"
#include "UI/Control/LabelUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"

using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeEntry;

namespace apptest {

namespace {

// What the three disks hold; the secondary sees the same folders.
std::vector<testsupport::CafeDrive> Drives() {
    return {
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          {CafeEntry::kFile, "Games\\单机游戏\\仙剑\\pal.exe"},
          {CafeEntry::kFolder, "Games\\单机游戏\\旧版本"},
          {CafeEntry::kFolder, "Games\\Old"},
          {CafeEntry::kFolder, "Games\\Backup"},
          {CafeEntry::kFile, "Games\\readme.txt"},
          {CafeEntry::kFile, "Games\\setup.log"},
          {CafeEntry::kFile, "Games\\patch.zip"},
          {CafeEntry::kFolder, "Games\\誠"},
          {CafeEntry::kFolder, "Temp"},
          {CafeEntry::kFile, "autorun.inf"},
          {CafeEntry::kFile, "a.txt"},
          {CafeEntry::kFile, "b.txt"},
          {CafeEntry::kReadOnlyFile, "readonly.txt"},
          {CafeEntry::kHiddenFolder, "$RECYCLE.BIN"}}},
        {'D',
         {{CafeEntry::kFolder, "NetGames\\CS"},
          {CafeEntry::kFolder, "NetGames\\Junk"},
          {CafeEntry::kFolder, "NetGamesOld"},
          {CafeEntry::kFile, "NetGames.tmp"},
          {CafeEntry::kFolder, "Other"}}},
        {'F',
         {{CafeEntry::kFolder, "Games\\Moved"}, {CafeEntry::kFolder, "Games\\Stale"}, {CafeEntry::kFile, "x.dat"}}},
    };
}

}  // namespace

CafeDescription MasterCafe() {
    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}};
    desc.downDisks = {"D"};
    desc.packages = {
        {1, "E:\\Games\\WoW", 1, "NetGames"},
        {2, "E:\\Games\\单机游戏\\仙剑", 1, "单机"},
        {3, "D:\\NetGames\\CS", 1, "NetGames"},
        {4, "F:\\Games\\Moved", 1, ""},
    };
    desc.drives = Drives();
    return desc;
}

CafeDescription SecondaryCafe() {
    CafeDescription desc;
    desc.thisMachineIsMain = false;
    desc.vdisks = {"E", "F"};
    desc.vdiskPackages = {"E:\\Games\\WoW", "E:\\Games\\单机游戏\\仙剑", "F:\\Games\\Moved"};
    desc.drives = Drives();
    return desc;
}

void App::Start(const CafeDescription& desc) {
    Vellum::CShadowUI::Initialize(Vellum::CUIManager::GetInstance());
    m_skins.reset(new windowtest::SkinFolder);
    m_cafe.reset(new Cafe(desc));
    ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
    // As the entry point does: the main window is created, placed where it
    // was left (centred the first time) and hidden; its initialisation has
    // opened the role window.
    ASSERT_NE(nullptr, Main()->Create(nullptr, "CTrevandWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0));
    Main()->PlaceAsRemembered();
    Main()->ShowWindow(false);
    ASSERT_TRUE(::IsWindow(Role()->GetHWND()));
    ::UpdateWindow(Role()->GetHWND());
    windowtest::PumpPending();
}

void App::StartWithRole(const CafeDescription& desc, int role) {
    Start(desc);
    if (::testing::Test::HasFatalFailure()) return;
    if (role == 2) Click(Role(), "SecondaryServerCheck");
    Click(Role(), "OkButton");
}

void App::TearDown() {
    if (CTrevandWnd::HasInstance() && ::IsWindow(Main()->GetHWND())) ::DestroyWindow(Main()->GetHWND());
    if (CSelectServerClassWnd::HasInstance() && ::IsWindow(Role()->GetHWND())) ::DestroyWindow(Role()->GetHWND());
    windowtest::PumpPending();
    WaitForQuit(0);
    CTrevandWnd::ReleaseInstance();
    CSelectServerClassWnd::ReleaseInstance();
    m_cafe.reset();
    m_skins.reset();
}

void App::Click(Vellum::WindowImplBase* wnd, const char* control) {
    Vellum::CControlUI* found = wnd->GetManager().FindControl(control);
    ASSERT_NE(nullptr, found) << control;
    ClickAt(wnd->GetHWND(), windowtest::CenterOf(found));
}

void App::ClickAt(HWND hWnd, POINT pt) {
    windowtest::PostClick(hWnd, pt);
    windowtest::PumpPending();
    ::UpdateWindow(hWnd);
}

void App::ClickTick(const std::string& path) { ASSERT_TRUE(ClickRowTick(*Main(), path)) << path; }

void App::SelectDrive(const char* drive) { SelectEntry("TrevandComBox", drive); }

void App::SelectEntry(const char* name, const char* text) {
    auto* combo = static_cast<Vellum::CComboUI*>(MainControl(name)->GetInterface("Combo"));
    ClickAt(Main()->GetHWND(), windowtest::CenterOf(combo));
    ASSERT_TRUE(windowtest::PumpUntil([&] { return combo->IsDropped(); }));
    for (int i = 0; i < combo->GetCount(); ++i) {
        if (combo->GetItemAt(i)->GetText().ToStdString() == text) {
            ::UpdateWindow(combo->GetDropDownWindow());
            ClickAt(combo->GetDropDownWindow(), windowtest::CenterOf(combo->GetItemAt(i)));
            ASSERT_TRUE(windowtest::PumpUntil([&] { return !combo->IsDropped(); }));
            ::UpdateWindow(Main()->GetHWND());
            return;
        }
    }
    FAIL() << "no entry " << text << " in " << name;
}

bool App::WaitForQuit(int timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return true;
            if (!Vellum::CUIManager::PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (::GetTickCount() - start >= static_cast<DWORD>(timeoutMs)) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::vector<RowView> App::Rows() {
    std::vector<RowView> rows;
    Vellum::CListUI* list = Main()->RowsForTests().GetList();
    for (int i = 0; i < list->GetCount(); ++i) {
        auto* row = reinterpret_cast<CListItemPaint*>(list->GetItemAt(i)->GetTag());
        rows.push_back({row->GetText(0), row->GetText(1), row->GetText(2), row->IsChecked()});
    }
    return rows;
}

std::vector<std::string> App::Paths() {
    std::vector<std::string> paths;
    for (const RowView& row : Rows()) paths.push_back(row.path);
    return paths;
}

std::string App::CountText() { return MainControl("ClearCountLabel")->GetText().ToStdString(); }

std::vector<std::string> App::DriveEntries() {
    std::vector<std::string> drives;
    auto* combo = static_cast<Vellum::CComboUI*>(MainControl("TrevandComBox")->GetInterface("Combo"));
    for (int i = 0; i < combo->GetCount(); ++i) drives.push_back(combo->GetItemAt(i)->GetText().ToStdString());
    return drives;
}

std::string App::OnDrive(char letter, const std::string& relative) { return std::string(1, letter) + ":\\" + relative; }

}  // namespace apptest
