// Label texts under Wine: links in HTML-styled texts (notification, value,
// cursor, colour and hover colour), HTML cut inside a character, and a text
// store that runs out of memory.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "UI/Window/RenderTestSupport.h"
#include "UI/Control/ButtonUI.h"
#include "UI/Control/LabelUI.h"
#include "UI/Control/OptionUI.h"
#include "UI/Control/TextUI.h"
#include "UI/Render/RenderEngine.h"
#include "UI/Window/WindowTestSupport.h"

using namespace Vellum;
using windowtest::SendClick;
using windowtest::SkinFolder;
using windowtest::Snapshot;
using windowtest::TestWnd;

namespace {

const char kLinkSkin[] = R"(<Window size="300,100" showshadow="false">
  <VerticalLayout bkcolor="#FFFFFFFF">
    <Text name="Links" showhtml="true" textcolor="#FF000000" height="40" />
    <Control />
  </VerticalLayout>
</Window>)";

// Records each "link" notification as "number=value".
class LinkWnd : public TestWnd {
public:
    LinkWnd() : TestWnd("Links.xml") {}
    void Notify(TNotification& msg) override {
        if (msg.sType == "link") {
            CTextUI* text = static_cast<CTextUI*>(msg.pSender->GetInterface("Text"));
            const char* value = text ? text->GetLinkContent(static_cast<int>(msg.wParam)) : nullptr;
            m_links.push_back(std::to_string(msg.wParam) + "=" + (value ? value : "(none)"));
        }
        TestWnd::Notify(msg);
    }
    std::vector<std::string> m_links;
};

bool IsLinkBlue(uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) < 0x60 && ((rgb >> 8) & 0xFF) < 0x60 && (rgb & 0xFF) > 0xA0;
}

// The manager's default link hover colour, #D3215F.
bool IsHoverColour(uint32_t rgb) { return ((rgb >> 16) & 0xFF) > 0x90 && ((rgb >> 8) & 0xFF) < 0x70; }

// Column runs of link-coloured pixels inside rc, left to right; each run is
// one link (its words are joined by the underline).
std::vector<RECT> LinkRuns(const Snapshot& shot, const RECT& rc) {
    std::vector<RECT> runs;
    for (int x = rc.left; x < rc.right; ++x) {
        int top = -1, bottom = -1;
        for (int y = rc.top; y < rc.bottom; ++y) {
            if (IsLinkBlue(shot.At(x, y))) {
                if (top < 0) top = y;
                bottom = y + 1;
            }
        }
        if (top < 0) continue;
        if (!runs.empty() && runs.back().right == x) {
            runs.back().right = x + 1;
            runs.back().top = std::min<LONG>(runs.back().top, top);
            runs.back().bottom = std::max<LONG>(runs.back().bottom, bottom);
        } else {
            runs.push_back({x, top, x + 1, bottom});
        }
    }
    return runs;
}

// A point on a link-coloured pixel in column x.
POINT BluePointIn(const Snapshot& shot, int x, const RECT& run) {
    for (int y = run.top; y < run.bottom; ++y) {
        if (IsLinkBlue(shot.At(x, y))) return {x, y};
    }
    return {x, run.top};
}

HCURSOR CursorAt(HWND hWnd, POINT client) {
    POINT screen = client;
    ::ClientToScreen(hWnd, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SetCursor(nullptr);
    ::SendMessageA(hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
}

TEST(LabelText, AClickOnALinkSendsItsNumberAndValueWhereverItIsHit) {
    SkinFolder skins;
    skins.Write("Links.xml", kLinkSkin);
    LinkWnd wnd;
    ASSERT_NE(nullptr, wnd.CreateHidden());
    // The first link has two words: a hit on its second word is still link 0.
    wnd.Find("Links")->SetText("<a first>AAAA BBBB</a> 和 <a second>CC</a> 尾");
    wnd.ShowAndLayout();
    const RECT rcText = wnd.Find("Links")->GetPos();
    Snapshot shot(wnd.GetManager());
    const std::vector<RECT> runs = LinkRuns(shot, rcText);
    ASSERT_EQ(2u, runs.size());
    // Plain text is drawn in the text colour, links in the link colour.
    EXPECT_GT(shot.CountDark({runs[0].right + 2, rcText.top, runs[1].left - 2, rcText.bottom}), 0);

    const POINT secondWord = BluePointIn(shot, runs[0].right - 2, runs[0]);
    const POINT firstWord = BluePointIn(shot, runs[0].left + 1, runs[0]);
    const POINT other = BluePointIn(shot, runs[1].left + 1, runs[1]);
    SendClick(wnd, secondWord);
    SendClick(wnd, firstWord);
    SendClick(wnd, other);
    const POINT plain = {(runs[0].right + runs[1].left) / 2, (runs[0].top + runs[0].bottom) / 2};
    SendClick(wnd, plain);
    EXPECT_EQ((std::vector<std::string>{"0=first", "0=first", "1=second"}), wnd.m_links);

    // Over a link the pointer becomes a hand, elsewhere it stays an arrow.
    EXPECT_EQ(::LoadCursor(nullptr, IDC_HAND), CursorAt(wnd, other));
    EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), CursorAt(wnd, {rcText.right - 2, rcText.bottom - 2}));

    // The link under the pointer takes the hover colour, the others keep the
    // link colour, until the pointer moves off it within the text or out of it.
    const POINT outside = {rcText.left + 2, rcText.bottom + 10};
    for (const POINT away : {plain, outside}) {
        ::SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(other.x, other.y));
        const Snapshot hovered(wnd.GetManager());
        EXPECT_TRUE(IsHoverColour(hovered.At(other.x, other.y))) << std::hex << hovered.At(other.x, other.y);
        EXPECT_TRUE(IsLinkBlue(hovered.At(firstWord.x, firstWord.y)));
        ::SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(away.x, away.y));
        EXPECT_TRUE(IsLinkBlue(Snapshot(wnd.GetManager()).At(other.x, other.y))) << away.x << "," << away.y;
    }

    // A disabled text sends nothing.
    wnd.Find("Links")->SetEnabled(false);
    SendClick(wnd, other);
    EXPECT_EQ(3u, wnd.m_links.size());
    ::DestroyWindow(wnd);
}

// Measures `text` as HTML in a worker thread; false when it has not come back
// within five seconds (the thread is left spinning; the process ends it).
bool MeasuresHtml(const std::string& text, RECT& rc) {
    struct Job {
        std::string text;
        RECT rc = {0, 0, 400, 100};
    };
    Job* job = new Job{text};  // left to a thread that may never return
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](void* param) -> DWORD {
            Job* j = static_cast<Job*>(param);
            HDC hDC = ::CreateCompatibleDC(nullptr);
            CRenderEngine::DrawHtmlText(hDC, static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), j->rc,
                                        j->text.c_str(), 0xFF000000, 0xFF0000FF, nullptr, DT_CALCRECT);
            ::DeleteDC(hDC);
            return 0;
        },
        job, 0, nullptr);
    const bool done = ::WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
    ::CloseHandle(thread);
    if (!done) return false;
    rc = job->rc;
    delete job;
    return true;
}

TEST(LabelText, HtmlWithALeadByteWithoutItsTrailIsMeasuredAndEnds) {
    // Each text holds a GBK lead byte whose trail is missing: at the end, before
    // a tag, before a line break. The lead byte is drawn as a character of its own.
    const char* const texts[] = {"ab\xB0", "\xB0", "\xB0<b>x</b>", "<b>\xB0</b> cd", "x\xB0\ny", "\xB0\xA1\xB0"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        RECT rc = {};
        ASSERT_TRUE(MeasuresHtml(text, rc));
        EXPECT_GT(rc.right - rc.left, 0);
        EXPECT_GT(rc.bottom - rc.top, 0);
    }
}

void* FailToAllocate(size_t) { return nullptr; }

// Makes every heap block of a text fail while it lives.
class FailingTextStore {
public:
    FailingTextStore() : m_previous(CUIString::SetBlockAllocator(FailToAllocate)) {}
    ~FailingTextStore() { CUIString::SetBlockAllocator(m_previous); }

private:
    CUIString::BlockAllocator m_previous;
};

TEST(LabelText, SetTextOutOfMemoryThrowsNamingTheOperationAndKeepsTheOldText) {
    const std::string longText(300, 'x');  // longer than the block an old text holds
    // An old text in the inline buffer and one in a heap block.
    const std::string oldTexts[] = {"旧文本", std::string(80, 'o')};
    for (const std::string& oldText : oldTexts) {
        // Fresh controls, so that no earlier text left a block big enough.
        std::vector<std::unique_ptr<CLabelUI>> labels;
        labels.emplace_back(new CLabelUI);
        labels.emplace_back(new CTextUI);
        labels.emplace_back(new CButtonUI);
        labels.emplace_back(new COptionUI);
        for (const auto& label : labels) {
            SCOPED_TRACE(std::string(label->GetClass()) + " over " + oldText.substr(0, 6));
            label->SetText(oldText.c_str());
            {
                FailingTextStore failing;
                try {
                    label->SetText(longText.c_str());
                    ADD_FAILURE() << "no exception";
                } catch (const std::bad_alloc& e) {
                    EXPECT_STREQ("CLabelUI::SetText", e.what());
                }
                EXPECT_EQ(oldText, label->GetText().ToStdString());
                // A short text needs no heap block and is still stored.
                label->SetText("新");
                EXPECT_STREQ("新", label->GetText().GetData());
            }
            label->SetText(longText.c_str());
            EXPECT_EQ(longText, label->GetText().ToStdString());
        }
    }
}

}  // namespace
