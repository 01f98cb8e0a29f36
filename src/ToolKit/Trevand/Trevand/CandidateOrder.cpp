#include "ToolKit/Trevand/Trevand/CandidateOrder.h"

#include <algorithm>

namespace {

// <0, 0, >0 as `a` goes before, with or after `b` in the ascending order of
// `column`, ties not yet broken.
int CompareColumn(const ListRowInfo& a, const ListRowInfo& b, int column) {
    switch (column) {
    case kColumnName: return a.strName.compare(b.strName);
    case kColumnPath: return a.strPath.compare(b.strPath);
    case kColumnKind: return (a.bDir ? 0 : 1) - (b.bDir ? 0 : 1);
    case kColumnSize: return a.nSize < b.nSize ? -1 : a.nSize > b.nSize ? 1 : 0;
    case kColumnModified: return a.nModified < b.nModified ? -1 : a.nModified > b.nModified ? 1 : 0;
    default: return 0;
    }
}

}  // namespace

void SortCandidates(std::vector<const ListRowInfo*>& rows, const TCandidateOrder& order) {
    if (!order.IsSorted()) return;
    const int column = order.nColumn;
    const bool ascending = order.bAscending;
    // std::string::compare orders bytes as unsigned, as std::map<std::string>
    // does: GBK names sort exactly as the engine lists them.
    std::sort(rows.begin(), rows.end(), [column, ascending](const ListRowInfo* a, const ListRowInfo* b) {
        if (column == kColumnSize && a->bSizeKnown != b->bSizeKnown) return a->bSizeKnown;
        if (column == kColumnSize && !a->bSizeKnown) return a->strPath < b->strPath;
        int c = CompareColumn(*a, *b, column);
        if (c == 0) c = a->strPath.compare(b->strPath);
        return ascending ? c < 0 : c > 0;
    });
}
