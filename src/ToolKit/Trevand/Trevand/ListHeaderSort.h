// Sorting a list by a click on a column title, as the operator expects of any
// list: a first click on a column sorts by it ascending, a second click on the
// same column reverses the order, and the clicked title shows a mark pointing
// up (ascending) or down while the others show none.
#pragma once

namespace Vellum {
class CControlUI;
class CListUI;
}  // namespace Vellum

// Where a list's rows are sorted by the operator's last click on a title.
struct THeaderSort {
    int nColumn = -1;  // the header item clicked last; -1: none yet
    bool bAscending = true;

    // The sort after a click on the title of `column`.
    THeaderSort AfterClickOn(int column) const {
        return {column, column == nColumn ? !bAscending : true};
    }
};

// The index of `item` among the items of `list`'s header; -1 when it is none
// of them (or the list has no header).
int HeaderColumnOf(Vellum::CListUI* list, Vellum::CControlUI* item);

// Marks the title of `sort.nColumn` with its direction and clears the other
// titles' marks.
void ShowSortMark(Vellum::CListUI* list, const THeaderSort& sort);
