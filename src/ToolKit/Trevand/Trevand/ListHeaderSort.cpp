#include "ToolKit/Trevand/Trevand/ListHeaderSort.h"

#include "UI/Control/ListHeaderItemUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"

int HeaderColumnOf(Vellum::CListUI* list, Vellum::CControlUI* item) {
    if (!list || !list->GetHeader()) return -1;
    return list->GetHeader()->GetItemIndex(item);
}

void ShowSortMark(Vellum::CListUI* list, const THeaderSort& sort) {
    Vellum::CListHeaderUI* header = list ? list->GetHeader() : nullptr;
    if (!header) return;
    for (int i = 0; i < header->GetCount(); ++i) {
        auto* item = static_cast<Vellum::CListHeaderItemUI*>(header->GetItemAt(i)->GetInterface("ListHeaderItem"));
        if (item) item->SetSortMark(i == sort.nColumn ? (sort.bAscending ? 1 : -1) : 0);
    }
}
