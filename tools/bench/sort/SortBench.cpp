// Benchmark of sorting the main window's rows (not a test), run under Wine:
//     scripts/wine-run build/win64/tools/bench/sort/sortbench.exe
//
// Game disk E holds 50,000 orphan files of different lengths (sparse, made
// on the Linux side). Each figure is the median of five runs from one
// process: a click on the "大小" column title until the window has painted
// the new order (each click sorts all rows, ascending and descending in
// turn), against std::sort of a plain array of the same 50,000 sizes; and a
// key typed into the filter box until the window has painted the rows that
// pass (each key adds a character or takes it away again), against a plain
// substring search over the same 50,000 paths and against a repaint of the
// window with nothing changed (what any key costs at the least).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/CandidateOrder.h"
#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/EditUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "../BenchLog.h"
#include "../ProgramSkins.h"
#include "../BenchTiming.h"
#include "support/Cafe.h"
#include "support/WineHost.h"

using testsupport::Cafe;
using testsupport::CafeDescription;

namespace {

const int kRuns = 5;
const int kRows = 50000;

// `count` files orphanNNNNN.dat at the root of the drive folder, each of a
// different length below 1 MB in no particular order, made in one Linux
// process (through Wine it would take minutes).
bool MakeSizedOrphans(const Cafe& cafe, char letter, int count) {
    const std::string dir = testsupport::UnixPathOf(cafe.DriveFolder(letter));
    const std::string script = "cd '" + dir + "' && perl -e 'for my $i (1.." + std::to_string(count) +
                               ") { my $n = sprintf(\"orphan%05d.dat\", $i); open(my $f, \">\", $n) or die; "
                               "truncate($f, ($i * 7919) % 1000003) or die; close($f); }'";
    return !dir.empty() && testsupport::RunUnixCommand({"sh", "-c", script});
}

// The press of a mouse button on the middle of `control`, sent (not
// posted) so it has been handled when this returns.
void ClickControl(HWND hWnd, Vellum::CControlUI* control) {
    const RECT& rc = control->GetPos();
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, at);
}

}  // namespace

int main() {
    bench::BenchLog benchLog;
    bench::UseProgramSkins();

    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}};
    desc.packages = {{1, "E:\\Games\\WoW", 1, "NetGames"}};
    desc.drives = {{'E', {{testsupport::CafeEntry::kFile, "Games\\WoW\\wow.exe"}}}};
    Cafe cafe(desc);
    if (!cafe.Ready() || !MakeSizedOrphans(cafe, 'E', kRows)) {
        std::fprintf(stderr, "sortbench: cannot build the café: %s\n", cafe.Problem().c_str());
        return 1;
    }

    CTrevandWnd* wnd = CTrevandWnd::Instance();
    wnd->Create(nullptr, "CTrevandWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    wnd->CenterWindow();
    CSelectServerClassWnd::Instance()->ShowWindow(false);
    wnd->ShowWindow(true);
    wnd->SelectRole(1);
    ::UpdateWindow(wnd->GetHWND());
    if (wnd->RowsForTests().Size() != kRows) {
        std::fprintf(stderr, "sortbench: %zu rows listed, %d expected\n", wnd->RowsForTests().Size(), kRows);
        return 1;
    }
    Vellum::CControlUI* sizeTitle = wnd->RowsForTests().GetList()->GetHeader()->GetItemAt(kColumnSize);

    std::vector<uint64_t> sizes;
    for (const ListRowInfo* entry : wnd->RowsForTests().InListOrder()) sizes.push_back(entry->nSize);

    std::vector<double> clicks, plain;
    for (int run = 0; run < kRuns; ++run) {
        clicks.push_back(bench::Milliseconds([&] {
            ClickControl(wnd->GetHWND(), sizeTitle);
            ::UpdateWindow(wnd->GetHWND());
        }));
        if (wnd->RowsForTests().GetOrder().nColumn != kColumnSize) {
            std::fprintf(stderr, "sortbench: the click did not sort by size\n");
            return 1;
        }
        std::vector<uint64_t> copy = sizes;
        plain.push_back(bench::Milliseconds([&] { std::sort(copy.begin(), copy.end()); }));
    }

    // The filter box: "orphan0" keeps the rows 1..9999; each key then adds
    // a "1" (rows 1000..1999 left) or takes it away again.
    auto* box = static_cast<Vellum::CEditUI*>(wnd->GetManager().FindControl("FilterText")->GetInterface("Edit"));
    const HWND edit = box ? box->GetNativeWindow() : nullptr;
    if (!edit) {
        std::fprintf(stderr, "sortbench: no filter box\n");
        return 1;
    }
    ::SetWindowTextA(edit, "orphan0");
    ::SendMessageA(edit, EM_SETSEL, 7, 7);
    ::UpdateWindow(wnd->GetHWND());
    std::vector<std::string> paths;
    for (const ListRowInfo* entry : wnd->RowsForTests().InListOrder()) paths.push_back(entry->strPath);
    std::vector<double> keys, search;
    size_t found = 0;
    for (int run = 0; run < 2 * kRuns; ++run) {
        const bool adding = run % 2 == 0;
        keys.push_back(bench::Milliseconds([&] {
            ::SendMessageA(edit, WM_CHAR, adding ? '1' : VK_BACK, 1);
            ::UpdateWindow(wnd->GetHWND());
        }));
        const std::string text = adding ? "orphan01" : "orphan0";
        search.push_back(bench::Milliseconds([&] {
            found = 0;
            for (const std::string& path : paths) found += path.find(text) != std::string::npos ? 1 : 0;
        }));
        if (wnd->RowsForTests().ShownCount() != found) {
            std::fprintf(stderr, "sortbench: %zu rows shown for \"%s\", %zu expected\n",
                         wnd->RowsForTests().ShownCount(), text.c_str(), found);
            return 1;
        }
    }

    // The floor under both: the same window repainted with nothing changed.
    std::vector<double> repaints;
    for (int run = 0; run < 2 * kRuns; ++run) {
        repaints.push_back(bench::Milliseconds([&] {
            ::InvalidateRect(wnd->GetHWND(), nullptr, FALSE);
            ::UpdateWindow(wnd->GetHWND());
        }));
    }

    std::printf("Sorting and filtering the main window's 50,000 rows; median of %d runs\n", kRuns);
    bench::Report("header click -> repaint, 50,000 rows", bench::Median(clicks), "std::sort of 50,000 numbers",
                  bench::Median(plain));
    bench::Report("filter key -> repaint, 50,000 rows", bench::Median(keys), "substring pass, 50,000 paths",
                  bench::Median(search));
    bench::Report("filter key -> repaint, 50,000 rows", bench::Median(keys), "repaint, nothing changed",
                  bench::Median(repaints));

    ::DestroyWindow(wnd->GetHWND());
    ::DestroyWindow(CSelectServerClassWnd::Instance()->GetHWND());
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    CTrevandWnd::ReleaseInstance();
    CSelectServerClassWnd::ReleaseInstance();
    return 0;
}
