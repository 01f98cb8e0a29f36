// Benchmark of painting skinned windows under Wine (not a test):
//     scripts/wine-run build/win64/tools/bench/paint/paintbench.exe
//
// Two 800x600 windows, each painted whole into a memory bitmap through the
// manager's "paint into this DC" entry, as WM_PAINT would after a full
// invalidation. The figure is the median time of one paint over several runs.
// - "images": 60 buttons with a background, a state and a fore image each
//   (nine-grid, source and dest descriptors), 10 progress bars whose fore
//   image is cut to the fill, 10 check boxes drawing their glyph cell;
// - "list": a list with three dragable columns (separator images) and 40
//   check-box rows in view, each with a row background image.
// Beside them, the time to read every image descriptor one paint of the
// "images" window draws: what a paint costs when it reads them itself.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../BenchLog.h"
#include "../BenchTiming.h"
#include "../../../tests/UI/Window/WindowTestSupport.h"
#include "UI/Control/ListTextElementExUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Markup/ImageDescriptor.h"
#include "UI/Render/Dib32.h"

namespace {

const int kRuns = 15;
const int kPaintsPerRun = 40;
const int kListRows = 40;

const char kBkImage[] = "file='MsgBoxIcon.png' source='0,0,32,32' corner='4,4,4,4'";
const char kNormalImage[] = "file='MsgBoxIcon.png' source='32,0,64,32' dest='4,4,28,28'";
const char kForeImage[] = "file='Default_Checkbox.png' source='32,0,48,16' dest='30,10,46,26' fade='200'";
const char kProgressImage[] = "file='MsgBoxIcon.png' source='0,0,96,32'";
const char kHeaderImage[] = "file='MsgBoxIcon.png' source='64,0,96,32' corner='2,2,2,2'";
const char kSepImage[] = "file='MsgBoxIcon.png' source='0,0,2,32'";
const char kRowImage[] = "file='MsgBoxIcon.png' source='0,8,96,10'";

std::string ImagesSkin() {
    std::string xml = "<Window size=\"800,600\" showshadow=\"false\"><VerticalLayout bkcolor=\"#FFFFFFFF\">";
    for (int row = 0; row < 4; ++row) {
        xml += "<HorizontalLayout height=\"40\">";
        for (int i = 0; i < 15; ++i) {
            xml += "<Button width=\"50\" bkimage=\"" + std::string(kBkImage) + "\" normalimage=\"" + kNormalImage +
                   "\" foreimage=\"" + kForeImage + "\" />";
        }
        xml += "</HorizontalLayout>";
    }
    xml += "<HorizontalLayout height=\"30\">";
    for (int i = 0; i < 10; ++i) {
        xml += "<Progress width=\"80\" value=\"60\" isstretchfore=\"false\" foreimage=\"" +
               std::string(kProgressImage) + "\" />";
    }
    xml += "</HorizontalLayout><HorizontalLayout height=\"24\">";
    for (int i = 0; i < 10; ++i)
        xml += "<CheckBox width=\"80\" text=\"选项\" selected=\"" + std::string(i % 2 ? "true" : "false") + "\" />";
    xml += "</HorizontalLayout><Control /></VerticalLayout></Window>";
    return xml;
}

std::string ListSkin() {
    std::string header;
    for (int width : {240, 400, 0}) {
        header += "<ListHeaderItem text=\"列\" sepwidth=\"2\" normalimage=\"" + std::string(kHeaderImage) +
                  "\" sepimage=\"" + kSepImage + "\"" + (width ? " width=\"" + std::to_string(width) + "\"" : "") +
                  " />";
    }
    return "<Window size=\"800,600\" showshadow=\"false\"><VerticalLayout bkcolor=\"#FFFFFFFF\">"
           "<List name=\"L\" itemheight=\"14\" itemaltbk=\"true\" itembkimage=\"" +
           std::string(kRowImage) + "\"><ListHeader height=\"24\">" + header +
           "</ListHeader></List></VerticalLayout></Window>";
}

// One paint of the whole client area into a 32-bit memory bitmap.
class Canvas {
public:
    explicit Canvas(Vellum::CUIManager& pm) : m_pm(pm) {
        RECT rc = {0, 0, 0, 0};
        ::GetClientRect(pm.GetPaintWindow(), &rc);
        HDC screen = ::GetDC(nullptr);
        DWORD* bits = nullptr;
        m_bitmap = Vellum::CreateDib32(screen, rc.right, rc.bottom, &bits);
        m_dc = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bitmap);
    }
    ~Canvas() {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
        ::DeleteObject(m_bitmap);
    }
    void Paint() {
        m_pm.PaintTo(m_dc);
        ::GdiFlush();
    }

private:
    Vellum::CUIManager& m_pm;
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

// Median milliseconds of one paint of `wnd`.
double PaintTime(windowtest::TestWnd& wnd) {
    Canvas canvas(wnd.GetManager());
    canvas.Paint();  // images loaded, layout done
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        times.push_back(bench::Milliseconds([&] {
                            for (int i = 0; i < kPaintsPerRun; ++i) canvas.Paint();
                        }) /
                        kPaintsPerRun);
    }
    return bench::Median(times);
}

double ImagesWindow() {
    windowtest::SkinFolder skins;
    skins.Write("Images.xml", ImagesSkin());
    windowtest::TestWnd wnd("Images.xml");
    wnd.Create(nullptr, "VellumTestWnd", WS_POPUP, 0, 0, 0, 800, 600);
    wnd.ShowAndLayout();
    const double ms = PaintTime(wnd);
    ::DestroyWindow(wnd);
    return ms;
}

double ListWindow() {
    windowtest::SkinFolder skins;
    skins.Write("List.xml", ListSkin());
    windowtest::TestWnd wnd("List.xml");
    wnd.Create(nullptr, "VellumTestWnd", WS_POPUP, 0, 0, 0, 800, 600);
    wnd.ShowAndLayout();
    auto* list = static_cast<Vellum::CListUI*>(wnd.Find("L")->GetInterface("List"));
    for (int i = 0; i < kListRows; ++i) {
        auto* row = new Vellum::CListTextElementExUI;
        list->Add(row);
        row->ShowCheckBox(true);
        row->SetChecked(i % 3 == 0);
        row->SetText(0, "传奇世界");
        row->SetText(1, "E:\\网络游戏\\传奇世界\\更新包");
        row->SetText(2, "目录");
    }
    wnd.ShowAndLayout();
    const double ms = PaintTime(wnd);
    ::DestroyWindow(wnd);
    return ms;
}

// Reading the descriptors one paint of the "images" window draws: three per
// button, one per progress bar and one per check box.
double DescriptorReading() {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        times.push_back(bench::Milliseconds([] {
                            for (int i = 0; i < kPaintsPerRun; ++i) {
                                for (int b = 0; b < 60; ++b) {
                                    Vellum::ParseImageDescriptor(kBkImage);
                                    Vellum::ParseImageDescriptor(kNormalImage);
                                    Vellum::ParseImageDescriptor(kForeImage);
                                }
                                for (int p = 0; p < 10; ++p)
                                    Vellum::ParseImageDescriptor(kProgressImage, "dest='0,0,48,30' source='0,0,48,30'");
                                for (int c = 0; c < 10; ++c)
                                    Vellum::ParseImageDescriptor(
                                        "file='Default_Checkbox.png' source='0,0,16,16' dest='0,4,16,20'");
                            }
                        }) /
                        kPaintsPerRun);
    }
    return bench::Median(times);
}

}  // namespace

int main() {
    bench::BenchLog benchLog;
    std::printf("%-52s %8.3f ms\n", "one paint, images window (200 image draws)", ImagesWindow());
    std::printf("%-52s %8.3f ms\n", "one paint, list window (40 check-box rows)", ListWindow());
    std::printf("%-52s %8.3f ms\n", "reading the 200 descriptors of one images paint", DescriptorReading());
    return 0;
}
