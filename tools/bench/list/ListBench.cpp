// Benchmark of a list of 100,000 rows (not a test), run under Wine:
//     scripts/wine-run build/win64/tools/bench/list/listbench.exe
//
// A list of the main window's kind (a header of three columns, check-box rows
// of three texts) in a 400x300 window whose body shows 14 rows. Each figure is
// the median of several runs, printed with a baseline from the same run:
// - adding 100,000 rows, against 100 times adding 1,000 rows to an empty list
//   (1x: a row costs the same however long the list already is);
// - the first layout and paint of the 100,000 rows, against that of 15 rows
//   (14 in view and a scroll bar; 1x: only what is in view is laid out);
// - taking 1,000 rows off one by one, spread over the list as the deletion
//   worker's reports are, and painting, against erasing the same positions
//   from a plain array of 100,000 pointers (the floor of a list kept in one
//   block);
// - emptying the list and painting it, against 100 times emptying a list of
//   1,000 rows (1x: freeing stays linear).
#include <windows.h>

#include <cstdio>
#include <vector>

#include "../../../tests/UI/Window/ListTestSupport.h"
#include "../BenchLog.h"
#include "../BenchTiming.h"
#include "UI/Control/ListUI.h"

namespace {

const int kRows = 100000;
const int kSmallRows = 1000;  // kRows / kSmallRows small lists make the linear baselines
const int kViewRows = 15;     // 14 rows fill the 276-pixel body; one more brings the scroll bar
const int kRemoved = 1000;
const int kRemovedStride = 99;
const int kRuns = 5;

const char kListSkin[] = R"(<Window size="400,300" showshadow="false">
  <VerticalLayout>
    <List name="L" itemheight="20" bkcolor="#FFFFFFFF">
      <ListHeader height="24">
        <ListHeaderItem text="名称" width="100" />
        <ListHeaderItem text="路径" width="200" />
        <ListHeaderItem text="类型" />
      </ListHeader>
    </List>
  </VerticalLayout>
</Window>)";

// Lays out and paints what changed; the pumped messages include the cleanup
// that frees removed rows.
void Settle(HWND hWnd) {
    ::UpdateWindow(hWnd);
    windowtest::PumpPending();
    ::UpdateWindow(hWnd);
}

void Empty(Vellum::CListUI* list, HWND hWnd) {
    list->RemoveAll();
    Settle(hWnd);
}

// The same removals from a plain array of pointers.
double EraseFromArray() {
    std::vector<const void*> block(kRows, &kRows);
    const double ms = bench::Milliseconds([&] {
        for (int i = 0; i < kRemoved; ++i) block.erase(block.begin() + i * kRemovedStride);
    });
    return block.size() == static_cast<size_t>(kRows - kRemoved) ? ms : -1;
}

}  // namespace

int main() {
    bench::BenchLog benchLog;
    windowtest::SkinFolder skins;
    skins.Write("List.xml", kListSkin);
    windowtest::TestWnd wnd("List.xml");
    if (!wnd.CreateHidden()) {
        std::fprintf(stderr, "listbench: cannot open the list window\n");
        return 1;
    }
    wnd.ShowAndLayout();
    auto* list = static_cast<Vellum::CListUI*>(wnd.Find("L")->GetInterface("List"));
    const HWND hWnd = wnd.GetHWND();

    std::vector<double> add, addSmall, paint, paintView, remove, erase, empty, emptySmall;
    for (int run = 0; run < kRuns; ++run) {
        double addSmallMs = 0, emptySmallMs = 0;
        for (int i = 0; i < kRows / kSmallRows; ++i) {
            addSmallMs += bench::Milliseconds([&] { windowtest::AddCheckRows(list, kSmallRows); });
            Settle(hWnd);
            emptySmallMs += bench::Milliseconds([&] { Empty(list, hWnd); });
        }
        addSmall.push_back(addSmallMs);
        emptySmall.push_back(emptySmallMs);

        windowtest::AddCheckRows(list, kViewRows);
        paintView.push_back(bench::Milliseconds([&] { Settle(hWnd); }));
        Empty(list, hWnd);

        add.push_back(bench::Milliseconds([&] { windowtest::AddCheckRows(list, kRows); }));
        paint.push_back(bench::Milliseconds([&] { Settle(hWnd); }));
        remove.push_back(bench::Milliseconds([&] {
            for (int i = 0; i < kRemoved; ++i) list->RemoveAt(i * kRemovedStride);
            Settle(hWnd);
        }));
        erase.push_back(EraseFromArray());
        if (list->GetCount() != kRows - kRemoved || erase.back() < 0) {
            std::fprintf(stderr, "listbench: %d rows left, %d expected\n", list->GetCount(), kRows - kRemoved);
            return 1;
        }
        empty.push_back(bench::Milliseconds([&] { Empty(list, hWnd); }));
    }

    std::printf("List of 100,000 check-box rows in a 400x300 window (14 in view); median of %d runs\n", kRuns);
    bench::Report("add 100,000 rows", bench::Median(add), "100 x add 1,000 rows", bench::Median(addSmall));
    bench::Report("first layout and paint of 100,000 rows", bench::Median(paint), "the same of 15 rows",
                  bench::Median(paintView));
    bench::Report("remove 1,000 rows one by one, paint", bench::Median(remove), "erase them from a pointer array",
                  bench::Median(erase));
    bench::Report("remove all 100,000 rows, paint", bench::Median(empty), "100 x remove all 1,000 rows",
                  bench::Median(emptySmall));
    return 0;
}
