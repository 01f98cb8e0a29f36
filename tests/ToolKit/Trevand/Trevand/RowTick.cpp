#include "RowTick.h"

#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ListUI.h"
#include "../../../UI/Window/WindowTestSupport.h"

namespace apptest {

bool ClickRowTick(CTrevandWnd& wnd, const std::string& path) {
    const ListRowInfo* entry = wnd.RowsForTests().Find(path);
    if (!entry) return false;
    Vellum::CListUI* list = wnd.RowsForTests().GetList();
    list->EnsureVisible(list->GetItemIndex(entry->pRow));
    ::UpdateWindow(wnd.GetHWND());
    // The box sits 10..26 across the row's first column.
    const RECT& rc = entry->pRow->GetPos();
    windowtest::PostClick(wnd.GetHWND(), {rc.left + 18, (rc.top + rc.bottom) / 2});
    windowtest::PumpPending();
    ::UpdateWindow(wnd.GetHWND());
    return true;
}

}  // namespace apptest
