#include "RowTick.h"

#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ListUI.h"
#include "../../../UI/Window/WindowTestSupport.h"

namespace apptest {

void ClickRowCheckBox(HWND hWnd, Vellum::CListUI* list, Vellum::CControlUI* row) {
    list->EnsureVisible(list->GetItemIndex(row));
    ::UpdateWindow(hWnd);
    // The box sits 10..26 across the row's first column.
    const RECT& rc = row->GetPos();
    windowtest::PostClick(hWnd, {rc.left + 18, (rc.top + rc.bottom) / 2});
    windowtest::PumpPending();
    ::UpdateWindow(hWnd);
}

bool ClickRowTick(CTrevandWnd& wnd, const std::string& path) {
    const ListRowInfo* entry = wnd.RowsForTests().Find(path);
    if (!entry) return false;
    ClickRowCheckBox(wnd.GetHWND(), wnd.RowsForTests().GetList(), entry->pRow);
    return true;
}

}  // namespace apptest
