#include "ToolKit/Trevand/Trevand/CandidateOrder.h"

namespace {

// <0, 0, >0 as `a` goes before, with or after `b` in the ascending order of
// `column`, ties not yet broken.
int CompareColumn(const TCandidateFacts& a, const TCandidateFacts& b, int column) {
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

bool CandidateGoesBefore(const TCandidateFacts& a, const TCandidateFacts& b, const TCandidateOrder& order) {
    const int column = order.nColumn;
    // std::string::compare orders bytes as unsigned, as std::map<std::string>
    // does: GBK names sort exactly as the engine lists them.
    if (column == kColumnSize && a.bSizeKnown != b.bSizeKnown) return a.bSizeKnown;
    if (column == kColumnSize && !a.bSizeKnown) return a.strPath < b.strPath;
    int c = CompareColumn(a, b, column);
    if (c == 0) c = a.strPath.compare(b.strPath);
    return order.bAscending ? c < 0 : c > 0;
}
