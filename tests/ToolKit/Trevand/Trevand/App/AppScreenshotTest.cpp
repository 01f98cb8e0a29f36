// Screenshots to look at: the role window, the main window with a full list
// on a game disk (three rows ticked) and on a download disk, and with sizes,
// times and totals, sorted by size.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "OperatorFixture.h"
#include "UI/Control/LabelUI.h"
#include "UI/Render/RenderEngine.h"
#include "../../../../UI/Window/RenderTestSupport.h"

namespace apptest {
namespace {

// A check box with the default glyph draws its 16 px box and a gap in front
// of its text.
const int kCheckGlyphRoom = 22;

// How many pixels the text of a label, button or check box needs beyond the
// room it is drawn in, in its own font; 0 or less when it fits whole (no end
// ellipsis, nothing cut off).
int TextOverflow(Vellum::CUIManager& pm, Vellum::CControlUI* control) {
    auto* label = static_cast<Vellum::CLabelUI*>(control->GetInterface("Label"));
    if (!label) return 0;
    const RECT padding = label->GetTextPadding();
    int room = control->GetWidth() - padding.left - padding.right;
    if (control->GetInterface("CheckBox")) room -= kCheckGlyphRoom;
    RECT need = {0, 0, 10000, 100};
    Vellum::CRenderEngine::DrawText(pm.GetPaintDC(), pm.GetFont(label->GetFont()), need, control->GetText().GetData(),
                                    0, DT_SINGLELINE | DT_CALCRECT);
    return need.right - need.left - room;
}

bool Save(Vellum::WindowImplBase* wnd, const char* name) {
    return windowtest::SaveWindowPng(wnd->GetManager(), windowtest::ScreenshotFile(TREVAND_SCREENSHOT_DIR, name));
}

TEST_F(App, ScreenshotsOfTheRoleAndMainWindows) {
    Start(MasterCafe());
    EXPECT_TRUE(Save(Role(), "app-role-window.png"));
    Click(Role(), "OkButton");
    EXPECT_TRUE(Save(Main(), "app-main-download-disk.png"));
    SelectDrive("E:\\");
    for (const char* path : {"E:\\Games\\Old", "E:\\Games\\誠", "E:\\Temp"}) ClickTick(path);
    // The row under the pointer shows hot; select one row too.
    ClickAt(Main()->GetHWND(), {400, 130});
    EXPECT_TRUE(Save(Main(), "app-main-game-disk.png"));
}

TEST_F(OperatorView, ScreenshotOfSizesTimesAndASortedColumn) {
    StartSized();
    ASSERT_TRUE(WaitForSizes());
    ClickTick(kOld);
    ClickTick(kBig);
    ClickHeader(3);
    ClickHeader(3);  // largest first
    EXPECT_TRUE(Save(Main(), "app-main-sizes-sorted.png"));
    // The smallest size the window allows: every toolbar text still reads.
    // The toolbar's controls lie inside the window, one after the other, and
    // the text of each label, button and check box fits it whole (the count
    // line takes what the others leave, so it is the first to run short; the
    // combo shows a drive such as "E:\" in its fixed width).
    ::SetWindowPos(Main()->GetHWND(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);
    windowtest::PumpPending();
    EXPECT_TRUE(Save(Main(), "app-main-smallest.png"));
    RECT client;
    ::GetClientRect(Main()->GetHWND(), &client);
    int right = client.left;
    for (const char* name :
         {"TrevandComBox", "ClearCountLabel", "SizeTotalLabel", "ChkSelectAll", "BtnFlush", "BtnExport",
          "BtnQuarantineList", "BtnQuarantine", "BtnRemove"}) {
        SCOPED_TRACE(name);
        Vellum::CControlUI* control = MainControl(name);
        ASSERT_NE(nullptr, control);
        const RECT& rc = control->GetPos();
        EXPECT_GE(rc.left, right);
        EXPECT_GT(rc.right, rc.left);
        EXPECT_LE(rc.right, client.right);
        right = rc.right;
        EXPECT_LE(TextOverflow(Main()->GetManager(), control), 0) << control->GetText().GetData();
    }
}

}  // namespace
}  // namespace apptest
