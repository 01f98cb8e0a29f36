#include "UI/Shadow/ShadowBitmap.h"
#include "UI/Shadow/ShadowUI.h"

#include "support/PngFile.h"
#include "ShadowTestWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using shadowtest::TestWindow;
using shadowtest::WaitFor;
using Vellum::CShadowUI;

namespace {

bool g_bFirstInitialize = false;

// Registers the shadow class before any test, as start-up does.
class ShadowEnvironment : public ::testing::Environment {
public:
    void SetUp() override { g_bFirstInitialize = CShadowUI::Initialize(GetModuleHandleA(nullptr)); }
};
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new ShadowEnvironment);

constexpr uint32_t kWindowColor = 0xF5F7FA;
constexpr uint32_t kBackgroundColor = 0xFFFFFF;

// A shadow image whose nine cells are each one colour (straight RGBA), so what
// lands where can be told apart exactly. Corners 4, 3, 4, 5; the centre is 2 x 2
// of opaque magenta, which must never be drawn.
const RECT kTestCorner = {4, 3, 4, 5};
constexpr int kTestImageWidth = 10, kTestImageHeight = 10;
struct Cell {
    unsigned char r, g, b, a;
};
const Cell kCells[3][3] = {
    {{255, 0, 0, 128}, {0, 255, 0, 128}, {0, 0, 255, 128}},
    {{255, 255, 0, 64}, {255, 0, 255, 255}, {0, 255, 255, 64}},
    {{128, 0, 0, 200}, {0, 128, 0, 200}, {0, 0, 128, 200}},
};

int CellIndex(int v, int size, int first, int last) { return v < first ? 0 : (v >= size - last ? 2 : 1); }

Vellum::CDecodedImage MakeTestImage() {
    std::vector<unsigned char> rgba(kTestImageWidth * kTestImageHeight * 4);
    for (int y = 0; y < kTestImageHeight; ++y)
        for (int x = 0; x < kTestImageWidth; ++x) {
            const Cell& c = kCells[CellIndex(y, kTestImageHeight, kTestCorner.top, kTestCorner.bottom)]
                                  [CellIndex(x, kTestImageWidth, kTestCorner.left, kTestCorner.right)];
            unsigned char* p = &rgba[(y * kTestImageWidth + x) * 4];
            p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
        }
    Vellum::CDecodedImage image;
    Vellum::CreatePremultipliedImage(rgba.data(), kTestImageWidth, kTestImageHeight, Vellum::kNoMask, image);
    return image;
}

// The premultiplied value a cell's pixels must have.
uint32_t Premultiplied(const Cell& c) {
    auto m = [&](unsigned v) { return (v * c.a + 127) / 255; };
    return (uint32_t(c.a) << 24) | (m(c.r) << 16) | (m(c.g) << 8) | m(c.b);
}

// A cell composited over an opaque colour, as the screen shows it.
uint32_t OverColor(const Cell& c, uint32_t background) {
    auto over = [&](unsigned v, unsigned bg) { return (v * c.a + bg * (255 - c.a) + 127) / 255; };
    return (over(c.r, (background >> 16) & 0xFF) << 16) | (over(c.g, (background >> 8) & 0xFF) << 8) |
           over(c.b, background & 0xFF);
}

// Colours on screen may be off by a rounding step or two.
bool Near(uint32_t actual, uint32_t expected, int tolerance = 3) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
        if (a - e > tolerance || e - a > tolerance) return false;
    }
    return true;
}

RECT WindowRect(HWND hWnd) {
    RECT rc = {0, 0, 0, 0};
    GetWindowRect(hWnd, &rc);
    return rc;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

// Where the shadow must be for a window at `window` with the default corners.
RECT ExpectedShadowRect(const RECT& window, const RECT& corner = {23, 13, 23, 33}) {
    return RECT{window.left - corner.left, window.top - corner.top, window.right + corner.right,
                window.bottom + corner.bottom};
}

// The shadow windows (class "TamsinShadowWnd") this thread owns for `owner`.
int CountShadowWindows(HWND owner) {
    struct Search {
        HWND owner;
        int count;
    } search = {owner, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            Search* s = reinterpret_cast<Search*>(lParam);
            char name[64] = {0};
            GetClassNameA(hWnd, name, sizeof(name));
            if (std::string(name) == "TamsinShadowWnd" && GetWindow(hWnd, GW_OWNER) == s->owner) ++s->count;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

WNDPROC WindowProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)); }

// The skin folder the build drew its images into, as Wine sees it.
std::string SkinFolder() {
    std::string path = "Z:" TREVAND_SKIN_DIR;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Installs the test image as the shadow's image source.
void UseTestImage(CShadowUI& shadow, const Vellum::CDecodedImage& image) {
    shadow.SetShadowCorner(kTestCorner);
    shadow.SetImageLoader([&image](const std::string& name, Vellum::TShadowImage& out) {
        if (name != "Default_Shadow.png") return false;
        out.hBitmap = image.GetBitmap();
        out.nWidth = image.GetWidth();
        out.nHeight = image.GetHeight();
        return true;
    });
}

// The set-up most tests share: a test window at 200,150 (360 by 220) with a
// shadow drawn from the build's skin images.
class ShadowOnWindow : public ::testing::Test {
protected:
    explicit ShadowOnWindow(bool visible = true) : window(200, 150, 360, 220, kWindowColor, visible) {}
    void SetUp() override {
        shadow.SetImageFolder(SkinFolder());
        shadow.Create(nullptr, window.Get());
        hShadow = shadow.GetShadowWindow();
        ASSERT_NE(nullptr, hShadow);
    }

    TestWindow window;
    CShadowUI shadow;  // goes before its window, as in the program
    HWND hShadow = nullptr;
};

// The same on a window not shown yet.
class ShadowOnHiddenWindow : public ShadowOnWindow {
protected:
    ShadowOnHiddenWindow() : ShadowOnWindow(false) {}
};

}  // namespace

TEST(ShadowTest, ClassIsRegisteredOncePerProcess) {
    EXPECT_TRUE(g_bFirstInitialize);
    EXPECT_FALSE(CShadowUI::Initialize(GetModuleHandleA(nullptr)));
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "TamsinShadowWnd", &wc));
    EXPECT_EQ(static_cast<UINT>(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(0, wc.cbWndExtra);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), wc.hbrBackground);
}

TEST(ShadowTest, DefaultsAndSettersKeepTheirRanges) {
    {
        CShadowUI shadow;
        EXPECT_TRUE(shadow.IsShowShadow());
        EXPECT_TRUE(shadow.IsImageMode());
        EXPECT_EQ(150u, shadow.GetDarkness());
        EXPECT_EQ(5u, shadow.GetSharpness());
        EXPECT_EQ(0, shadow.GetSize());
        EXPECT_EQ("Default_Shadow.png", shadow.GetImage());
        EXPECT_TRUE(shadow.GetShadowCorner() == (RECT{23, 13, 23, 33}));
        EXPECT_EQ(0u, shadow.GetColor());
        EXPECT_EQ(0, shadow.GetStatus());
        EXPECT_EQ(nullptr, shadow.GetShadowWindow());
    }
    // Each skin attribute on a fresh shadow: accepted ones show in the getter,
    // refused ones leave every value as it was.
    struct Case {
        const char* name;
        const char* value;
        bool accepted;
        std::function<bool(const CShadowUI&)> holds;
    };
    const Case cases[] = {
        {"shadowsize", "20", true, [](const CShadowUI& s) { return s.GetSize() == 20; }},
        {"shadowsize", "-20", true, [](const CShadowUI& s) { return s.GetSize() == -20; }},
        {"shadowsize", "25", false, nullptr},
        {"shadowsize", "-21", false, nullptr},
        {"shadowsharpness", "20", true, [](const CShadowUI& s) { return s.GetSharpness() == 20; }},
        {"shadowsharpness", "21", false, nullptr},
        {"shadowsharpness", "-1", false, nullptr},
        {"shadowdarkness", "255", true, [](const CShadowUI& s) { return s.GetDarkness() == 255; }},
        {"shadowdarkness", "0", true, [](const CShadowUI& s) { return s.GetDarkness() == 0; }},
        {"shadowdarkness", "256", false, nullptr},
        {"shadowpositon", "3,-4", true,
         [](const CShadowUI& s) { return s.GetPosition().x == 3 && s.GetPosition().y == -4; }},
        {"shadowpositon", "0,21", false, nullptr},
        {"shadowpositon", "-21,0", false, nullptr},
        {"shadowcorner", "1,2,3,4", true,
         [](const CShadowUI& s) {
             return s.GetShadowCorner() == (RECT{1, 2, 3, 4});
         }},
        {"shadowcorner", "0,0,0,0", true,
         [](const CShadowUI& s) {
             return s.GetShadowCorner() == (RECT{0, 0, 0, 0});
         }},
        {"shadowcorner", "1,2,-3,4", false, nullptr},
        {"shadowcolor", "#80112233", true, [](const CShadowUI& s) { return s.GetColor() == 0x80112233u; }},
        {"shadowcolor", "FF000000", true, [](const CShadowUI& s) { return s.GetColor() == 0xFF000000u; }},
        {"shadowimage", "Other.png", true, [](const CShadowUI& s) { return s.GetImage() == "Other.png"; }},
        {"shadowimage", "", false, nullptr},
        {"showshadow", "false", true, [](const CShadowUI& s) { return !s.IsShowShadow(); }},
        {"showshadow", "TRUE", true, [](const CShadowUI& s) { return !s.IsShowShadow(); }},
        {"showshadow", "true", true, [](const CShadowUI& s) { return s.IsShowShadow(); }},
        {"shadowoffset", "1", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=\"" + c.value + "\"");
        CShadowUI shadow;
        EXPECT_EQ(c.accepted, shadow.SetAttribute(c.name, c.value));
        if (c.holds) {
            EXPECT_TRUE(c.holds(shadow));
        } else {
            const CShadowUI fresh;
            EXPECT_EQ(fresh.GetSize(), shadow.GetSize());
            EXPECT_EQ(fresh.GetSharpness(), shadow.GetSharpness());
            EXPECT_EQ(fresh.GetDarkness(), shadow.GetDarkness());
            EXPECT_EQ(fresh.GetPosition().x, shadow.GetPosition().x);
            EXPECT_EQ(fresh.GetPosition().y, shadow.GetPosition().y);
            EXPECT_TRUE(fresh.GetShadowCorner() == shadow.GetShadowCorner());
            EXPECT_EQ(fresh.GetImage(), shadow.GetImage());
        }
    }
    CShadowUI shadow;
    EXPECT_FALSE(shadow.SetImage(nullptr));
    EXPECT_FALSE(shadow.SetSharpness(4000000000u));
    EXPECT_EQ(5u, shadow.GetSharpness());
}

TEST(ShadowTest, NoShadowWindowWhenShowShadowIsFalse) {
    TestWindow window(200, 150, 360, 220, kWindowColor, true);
    const WNDPROC original = WindowProcOf(window.Get());
    CShadowUI shadow;
    ASSERT_TRUE(shadow.SetAttribute("showshadow", "false"));
    shadow.Create(nullptr, window.Get());
    EXPECT_EQ(nullptr, shadow.GetShadowWindow());
    EXPECT_EQ(0, CountShadowWindows(window.Get()));
    EXPECT_EQ(original, WindowProcOf(window.Get()));
    EXPECT_EQ(nullptr, CShadowUI::FindShadow(window.Get()));
    EXPECT_EQ(0, shadow.GetStatus());
}

TEST_F(ShadowOnWindow, ShadowIsAnOwnedLayeredClickThroughPopupAroundTheWindow) {
    EXPECT_EQ(&shadow, CShadowUI::FindShadow(window.Get()));
    EXPECT_EQ(1, CountShadowWindows(window.Get()));
    EXPECT_EQ(CShadowUI::SS_ENABLED | CShadowUI::SS_VISIBLE | CShadowUI::SS_PARENTVISIBLE, shadow.GetStatus());

    const LONG_PTR exStyle = GetWindowLongPtrA(hShadow, GWL_EXSTYLE);
    EXPECT_EQ(WS_EX_LAYERED | WS_EX_TRANSPARENT, exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_TRUE(GetWindowLongPtrA(hShadow, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(window.Get(), GetWindow(hShadow, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(hShadow));
    const RECT expected = ExpectedShadowRect(WindowRect(window.Get()));
    EXPECT_TRUE(WindowRect(hShadow) == expected) << Describe(WindowRect(hShadow));

    // Clicks go through the shadow: to whatever lies beneath its margin, and to
    // the window through its centre.
    EXPECT_NE(hShadow, WindowFromPoint(POINT{190, 300}));
    EXPECT_NE(hShadow, WindowFromPoint(POINT{400, 380}));
    EXPECT_EQ(window.Get(), WindowFromPoint(POINT{201, 151}));
    EXPECT_EQ(window.Get(), WindowFromPoint(POINT{380, 260}));
}

TEST_F(ShadowOnWindow, FollowsMovesAndResizes) {
    SetWindowPos(window.Get(), nullptr, 320, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WindowRect(hShadow) == (RECT{297, 77, 703, 343})) << Describe(WindowRect(hShadow));

    // Shrinking redraws at once, before anything is painted.
    SetWindowPos(window.Get(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WindowRect(hShadow) == (RECT{297, 77, 643, 323})) << Describe(WindowRect(hShadow));

    // Growing waits for the window's next paint, which its own procedure still gets.
    const int paintsBefore = window.PaintCount();
    SetWindowPos(window.Get(), nullptr, 0, 0, 400, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WindowRect(hShadow) == (RECT{297, 77, 643, 323})) << Describe(WindowRect(hShadow));
    UpdateWindow(window.Get());
    EXPECT_TRUE(WindowRect(hShadow) == (RECT{297, 77, 743, 383})) << Describe(WindowRect(hShadow));
    EXPECT_GT(window.PaintCount(), paintsBefore);
    EXPECT_TRUE(IsWindowVisible(hShadow));
}

TEST(ShadowTest, HiddenWhileMinimisedOrMaximisedAndBackAfterRestore) {
    for (const int command : {SW_MINIMIZE, SW_MAXIMIZE}) {
        SCOPED_TRACE(command == SW_MINIMIZE ? "minimise" : "maximise");
        TestWindow window(200, 150, 360, 220, kWindowColor, true);
        CShadowUI shadow;
        shadow.SetImageFolder(SkinFolder());
        shadow.Create(nullptr, window.Get());
        const HWND hShadow = shadow.GetShadowWindow();
        ASSERT_NE(nullptr, hShadow);
        const RECT expected = ExpectedShadowRect(WindowRect(window.Get()));

        ShowWindow(window.Get(), command);
        shadowtest::PumpMessages();
        EXPECT_FALSE(IsWindowVisible(hShadow));
        EXPECT_FALSE(shadow.GetStatus() & CShadowUI::SS_VISIBLE);

        ShowWindow(window.Get(), SW_RESTORE);
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(hShadow) && WindowRect(hShadow) == expected; }))
            << Describe(WindowRect(hShadow));
        EXPECT_TRUE(shadow.GetStatus() & CShadowUI::SS_VISIBLE);
    }
}

TEST_F(ShadowOnHiddenWindow, FollowsTheWindowsVisibility) {
    EXPECT_EQ(CShadowUI::SS_ENABLED, shadow.GetStatus());
    EXPECT_FALSE(IsWindowVisible(hShadow));

    ShowWindow(window.Get(), SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(hShadow));
    EXPECT_EQ(CShadowUI::SS_ENABLED | CShadowUI::SS_VISIBLE | CShadowUI::SS_PARENTVISIBLE, shadow.GetStatus());
    // Drawn at the window's first paint.
    EXPECT_TRUE(WaitFor([&] { return WindowRect(hShadow) == ExpectedShadowRect(WindowRect(window.Get())); }))
        << Describe(WindowRect(hShadow));

    ShowWindow(window.Get(), SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(hShadow));
    EXPECT_EQ(CShadowUI::SS_ENABLED, shadow.GetStatus());
}

TEST(ShadowTest, GoesWithItsWindow) {
    CShadowUI shadow;
    HWND hShadow = nullptr;
    HWND hWindow = nullptr;
    {
        TestWindow window(200, 150, 360, 220, kWindowColor, true);
        hWindow = window.Get();
        shadow.SetImageFolder(SkinFolder());
        shadow.Create(nullptr, hWindow);
        hShadow = shadow.GetShadowWindow();
        ASSERT_NE(nullptr, hShadow);
    }
    EXPECT_FALSE(IsWindow(hShadow));
    EXPECT_EQ(nullptr, shadow.GetShadowWindow());
    EXPECT_EQ(nullptr, CShadowUI::FindShadow(hWindow));
    EXPECT_EQ(0, shadow.GetStatus());
}

TEST_F(ShadowOnWindow, WmCloseFromElsewhereLeavesTheShadowWithItsWindow) {
    // What taskkill without /F sends to every top-level window.
    ::SendMessageA(hShadow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(hShadow));
    EXPECT_EQ(hShadow, shadow.GetShadowWindow());
}

TEST(ShadowTest, ShadowReleasedBeforeItsWindowGivesTheProcedureBack) {
    TestWindow window(200, 150, 360, 220, kWindowColor, true);
    const WNDPROC original = WindowProcOf(window.Get());
    auto shadow = std::make_unique<CShadowUI>();
    shadow->SetImageFolder(SkinFolder());
    shadow->Create(nullptr, window.Get());
    const HWND hShadow = shadow->GetShadowWindow();
    ASSERT_NE(nullptr, hShadow);
    EXPECT_NE(original, WindowProcOf(window.Get()));

    shadow.reset();
    EXPECT_EQ(original, WindowProcOf(window.Get()));
    EXPECT_FALSE(IsWindow(hShadow));
    EXPECT_EQ(nullptr, CShadowUI::FindShadow(window.Get()));
    // The window goes on working without it.
    const int paintsBefore = window.PaintCount();
    SetWindowPos(window.Get(), nullptr, 100, 100, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(window.Get());
    EXPECT_GT(window.PaintCount(), paintsBefore);
}

namespace {

// Another hook on top of the shadow's, as a later subclass of the window would be.
WNDPROC g_belowTestHook = nullptr;
int g_testHookMessages = 0;
LRESULT CALLBACK TestHookProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    ++g_testHookMessages;
    return CallWindowProcA(g_belowTestHook, hWnd, uMsg, wParam, lParam);
}

}  // namespace

TEST(ShadowTest, ShadowReleasedUnderAnotherHookKeepsTheChainWhole) {
    TestWindow window(200, 150, 360, 220, kWindowColor, true);
    auto first = std::make_unique<CShadowUI>();
    first->SetImageFolder(SkinFolder());
    first->Create(nullptr, window.Get());
    ASSERT_NE(nullptr, first->GetShadowWindow());
    g_belowTestHook = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TestHookProc)));
    // The shadow cannot take its procedure out from under the other hook: it
    // stays in the chain and passes everything on.
    first.reset();
    EXPECT_EQ(TestHookProc, WindowProcOf(window.Get()));
    int paintsBefore = window.PaintCount();
    InvalidateRect(window.Get(), nullptr, FALSE);
    UpdateWindow(window.Get());
    EXPECT_GT(window.PaintCount(), paintsBefore);

    // A new shadow on the same window uses that link again instead of a second one.
    CShadowUI second;
    second.SetImageFolder(SkinFolder());
    second.Create(nullptr, window.Get());
    const HWND hShadow = second.GetShadowWindow();
    ASSERT_NE(nullptr, hShadow);
    EXPECT_EQ(TestHookProc, WindowProcOf(window.Get()));
    g_testHookMessages = 0;
    paintsBefore = window.PaintCount();
    SetWindowPos(window.Get(), nullptr, 260, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(237, WindowRect(hShadow).left);
    InvalidateRect(window.Get(), nullptr, FALSE);
    UpdateWindow(window.Get());
    EXPECT_GT(window.PaintCount(), paintsBefore);
    // Each message passed the other hook once, not round in a circle.
    EXPECT_GT(g_testHookMessages, 0);
    EXPECT_LT(g_testHookMessages, 50);
}

TEST_F(ShadowOnWindow, OneShadowPerWindow) {
    shadow.Create(nullptr, window.Get());
    CShadowUI second;
    second.Create(nullptr, window.Get());
    EXPECT_EQ(hShadow, shadow.GetShadowWindow());
    EXPECT_EQ(nullptr, second.GetShadowWindow());
    EXPECT_EQ(1, CountShadowWindows(window.Get()));
    EXPECT_EQ(&shadow, CShadowUI::FindShadow(window.Get()));
    // Still one working chain: a move reaches the shadow and the window paints.
    SetWindowPos(window.Get(), nullptr, 250, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(227, WindowRect(hShadow).left);
}

TEST(ShadowTest, NineGridCopiesCornersStretchesEdgesAndLeavesTheCentreOut) {
    const Vellum::CDecodedImage image = MakeTestImage();
    ASSERT_TRUE(image.IsValid());
    // Wider and taller than the image in both directions, so every edge stretches.
    const int width = 31, height = 23;
    std::vector<unsigned char> clear(width * height * 4, 0);
    Vellum::CDecodedImage frame;
    ASSERT_TRUE(Vellum::CreatePremultipliedImage(clear.data(), width, height, Vellum::kNoMask, frame));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, frame.GetBitmap());
    EXPECT_TRUE(Vellum::DrawNineGridWithoutCentre(dc, width, height, image.GetBitmap(), image.GetWidth(),
                                                  image.GetHeight(), kTestCorner));
    GdiFlush();
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int row = CellIndex(y, height, kTestCorner.top, kTestCorner.bottom);
            const int column = CellIndex(x, width, kTestCorner.left, kTestCorner.right);
            const uint32_t expected = (row == 1 && column == 1) ? 0u : Premultiplied(kCells[row][column]);
            const uint32_t actual = frame.GetBits()[y * width + x];
            if (!Near(actual, expected, 1) || (actual >> 24) != (expected >> 24)) {
                if (++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << actual << " instead of "
                                  << expected;
            }
        }
    EXPECT_EQ(0, wrong);

    // Corners that do not fit the image or the rectangle: nothing is drawn.
    std::fill(frame.GetBits(), frame.GetBits() + width * height, 0u);
    EXPECT_FALSE(Vellum::DrawNineGridWithoutCentre(dc, width, height, image.GetBitmap(), image.GetWidth(),
                                                   image.GetHeight(), RECT{6, 3, 6, 5}));
    EXPECT_FALSE(Vellum::DrawNineGridWithoutCentre(dc, 7, height, image.GetBitmap(), image.GetWidth(),
                                                   image.GetHeight(), kTestCorner));
    GdiFlush();
    EXPECT_EQ(0u, frame.GetBits()[0]);
    SelectObject(dc, old);
    DeleteDC(dc);
}

namespace {

// A white window behind everything, so translucent pixels show as tints of white.
struct WhiteBackdrop {
    TestWindow window{0, 0, 1280, 800, kBackgroundColor, true};
    WhiteBackdrop() { SetWindowPos(window.Get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
};

// The screen around a window at (200, 150) of 360 x 220, with 60 pixels around it.
const RECT kCaptureRect = {140, 90, 620, 430};
constexpr int kCaptureWidth = 480, kCaptureHeight = 340;

uint32_t At(const std::vector<uint32_t>& pixels, int screenX, int screenY) {
    return pixels[(screenY - kCaptureRect.top) * kCaptureWidth + (screenX - kCaptureRect.left)] & 0xFFFFFFu;
}

}  // namespace

TEST(ShadowTest, ScreenShowsTheNineGridAroundTheWindowWithAClearCentre) {
    WhiteBackdrop backdrop;
    TestWindow window(200, 150, 360, 220, kWindowColor, true);
    const Vellum::CDecodedImage image = MakeTestImage();
    CShadowUI shadow;
    UseTestImage(shadow, image);
    shadow.Create(nullptr, window.Get());
    ASSERT_NE(nullptr, shadow.GetShadowWindow());

    // Screen points and the cell whose colour must show there (over white), or
    // the window's own colour inside it, right up to its edges.
    struct Probe {
        int x, y, row, column;
    };
    const Probe probes[] = {
        {197, 148, 0, 0}, {380, 148, 0, 1}, {562, 148, 0, 2},  // above
        {197, 260, 1, 0}, {562, 260, 1, 2},                    // beside
        {197, 373, 2, 0}, {380, 374, 2, 1}, {562, 373, 2, 2},  // below
        {200, 150, 1, 1}, {559, 150, 1, 1}, {200, 369, 1, 1}, {559, 369, 1, 1}, {380, 260, 1, 1},
    };
    std::vector<uint32_t> pixels;
    auto matches = [&] {
        if (!shadowtest::CaptureScreen(kCaptureRect, pixels)) return false;
        for (const Probe& p : probes) {
            const bool inside = p.row == 1 && p.column == 1;
            const uint32_t expected = inside ? kWindowColor : OverColor(kCells[p.row][p.column], kBackgroundColor);
            if (!Near(At(pixels, p.x, p.y), expected)) return false;
        }
        return true;
    };
    EXPECT_TRUE(WaitFor(matches));
    for (const Probe& p : probes) {
        const bool inside = p.row == 1 && p.column == 1;
        const uint32_t expected = inside ? kWindowColor : OverColor(kCells[p.row][p.column], kBackgroundColor);
        EXPECT_TRUE(Near(At(pixels, p.x, p.y), expected))
            << p.x << "," << p.y << ": " << std::hex << At(pixels, p.x, p.y) << " instead of " << expected;
    }
    // Beyond the shadow's margins the backdrop shows untouched.
    EXPECT_EQ(kBackgroundColor, At(pixels, 170, 260));
    EXPECT_EQ(kBackgroundColor, At(pixels, 380, 420));
}

TEST(ShadowTest, SkinShadowIsSoftAndTranslucent) {
    // The backdrop goes up first: the window and its shadow lie over it.
    WhiteBackdrop backdrop;
    TestWindow window(200, 150, 360, 220, kWindowColor, true);
    CShadowUI shadow;
    shadow.SetImageFolder(SkinFolder());
    shadow.Create(nullptr, window.Get());
    ASSERT_NE(nullptr, shadow.GetShadowWindow());
    std::vector<uint32_t> pixels;
    // Drawn once the pixel right below the window is tinted.
    EXPECT_TRUE(WaitFor(
        [&] { return shadowtest::CaptureScreen(kCaptureRect, pixels) && At(pixels, 380, 371) != kBackgroundColor; }));
    testsupport::WritePremultipliedPng("shadow_window.png", pixels.data(), kCaptureWidth, kCaptureHeight);

    auto grey = [](uint32_t p) { return static_cast<int>(p & 0xFF); };
    // Below the window: darker nearGrey it, fading outwards, never black.
    const int nearGrey = grey(At(pixels, 380, 371));
    const int middleGrey = grey(At(pixels, 380, 385));
    const int farGrey = grey(At(pixels, 380, 400));
    EXPECT_LT(nearGrey, middleGrey);
    EXPECT_LT(middleGrey, farGrey);
    EXPECT_GT(nearGrey, 150) << "the shadow must be translucent, not black";
    EXPECT_LT(nearGrey, 235);
    EXPECT_GE(farGrey, 245);
    // The sides and the top are tinted too, the top least.
    EXPECT_LT(grey(At(pixels, 198, 260)), 245);
    EXPECT_LT(grey(At(pixels, 561, 260)), 245);
    EXPECT_GT(grey(At(pixels, 380, 149)), grey(At(pixels, 198, 260)));
    // The window shows through the centre, right up to its edges.
    for (const POINT p : {POINT{200, 150}, POINT{559, 369}, POINT{380, 260}})
        EXPECT_TRUE(Near(At(pixels, p.x, p.y), kWindowColor)) << p.x << "," << p.y;
}

TEST(ShadowTest, MissingImageLeavesTheShadowEmptyAndTheWindowWorking) {
    WhiteBackdrop backdrop;
    testsupport::TempDir emptySkin;
    TestWindow window(200, 150, 360, 220, kWindowColor, true);
    CShadowUI shadow;
    shadow.SetImageFolder(emptySkin.Path());
    shadow.Create(nullptr, window.Get());
    ASSERT_NE(nullptr, shadow.GetShadowWindow());
    SetWindowPos(window.Get(), nullptr, 210, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(window.Get(), nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<uint32_t> pixels;
    EXPECT_TRUE(WaitFor(
        [&] { return shadowtest::CaptureScreen(kCaptureRect, pixels) && Near(At(pixels, 380, 260), kWindowColor); }));
    EXPECT_EQ(kBackgroundColor, At(pixels, 380, 371));
    EXPECT_EQ(kBackgroundColor, At(pixels, 198, 260));
}

TEST(ShadowTest, AnImageTheLoaderCannotGiveIsAskedForOncePerName) {
    TestWindow window(200, 150, 360, 220, kWindowColor, true);
    CShadowUI shadow;
    std::vector<std::string> asked;
    shadow.SetImageLoader([&asked](const std::string& name, Vellum::TShadowImage&) {
        asked.push_back(name);
        return false;
    });
    shadow.Create(nullptr, window.Get());
    ASSERT_NE(nullptr, shadow.GetShadowWindow());
    // Moves, a shrink (redrawn at once), a growth (redrawn at the next paint).
    auto moveAndResize = [&] {
        for (int i = 0; i < 3; ++i) {
            SetWindowPos(window.Get(), nullptr, 210 + 10 * i, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            SetWindowPos(window.Get(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            SetWindowPos(window.Get(), nullptr, 0, 0, 360, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            UpdateWindow(window.Get());
        }
        shadowtest::PumpMessages();
    };
    moveAndResize();
    EXPECT_EQ(std::vector<std::string>{"Default_Shadow.png"}, asked);

    // Another name is worth one try of its own.
    shadow.SetImage("Other_Shadow.png");
    moveAndResize();
    EXPECT_EQ((std::vector<std::string>{"Default_Shadow.png", "Other_Shadow.png"}), asked);
}
