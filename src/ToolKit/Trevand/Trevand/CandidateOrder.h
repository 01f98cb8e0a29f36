// The orders the operator can put the main window's rows in, one per list
// column.
#pragma once

#include <vector>

#include "ToolKit/Trevand/Trevand/ListRowInfo.h"

// The list's columns, left to right.
enum ECandidateColumn { kColumnName = 0, kColumnPath, kColumnKind, kColumnSize, kColumnModified, kColumnCount };

struct TCandidateOrder {
    int nColumn = -1;  // an ECandidateColumn; -1: the engine's order, unsorted
    bool bAscending = true;
    bool IsSorted() const { return nColumn >= 0 && nColumn < kColumnCount; }
};

// Sorts `rows` by `order`:
// - names and paths byte by byte, as the engine's candidate map orders them;
//   kind folders first (目录 before 文件, as their bytes order them too);
//   sizes and modified times by value;
// - rows that tie go by path, so a descending order is the ascending one
//   reversed;
// - rows whose size is not known yet come last in both directions (in path
//   order): an unknown size is neither small nor large.
// Does nothing for an unsorted order.
void SortCandidates(std::vector<const ListRowInfo*>& rows, const TCandidateOrder& order);
