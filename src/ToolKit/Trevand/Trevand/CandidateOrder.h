// The orders the operator can put the main window's rows in, one per list
// column.
#pragma once

#include <algorithm>
#include <vector>

#include "ToolKit/Trevand/Trevand/ListedCandidate.h"

// The list's columns, left to right.
enum ECandidateColumn { kColumnName = 0, kColumnPath, kColumnKind, kColumnSize, kColumnModified, kColumnCount };

struct TCandidateOrder {
    int nColumn = -1;  // an ECandidateColumn; -1: the engine's order, unsorted
    bool bAscending = true;
    bool IsSorted() const { return nColumn >= 0 && nColumn < kColumnCount; }
};

// Whether `a` goes before `b` in `order`:
// - names and paths byte by byte, as the engine's candidate map orders them;
//   kind folders first (目录 before 文件, as their bytes order them too);
//   sizes and modified times by value;
// - rows that tie go by path, so a descending order is the ascending one
//   reversed;
// - rows whose size is not known yet come last in both directions (in path
//   order): an unknown size is neither small nor large.
// Rows with different paths are always ordered one way, so this is a strict
// weak ordering for std::sort. REQUIRES: order.IsSorted().
bool CandidateGoesBefore(const TCandidateFacts& a, const TCandidateFacts& b, const TCandidateOrder& order);

// Sorts `rows` by `order` as CandidateGoesBefore decides; does nothing for an
// unsorted order. `Row` is TCandidateFacts or a type made from it (the
// table's ListRowInfo), so the table sorts its own entries in place.
template <class Row>
void SortCandidates(std::vector<const Row*>& rows, const TCandidateOrder& order) {
    if (!order.IsSorted()) return;
    std::sort(rows.begin(), rows.end(),
              [&order](const Row* a, const Row* b) { return CandidateGoesBefore(*a, *b, order); });
}
