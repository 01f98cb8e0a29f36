// ListRowInfo: what the main window knows of one listed candidate, beside
// the row that shows it.
#pragma once

#include <string>

#include "ToolKit/Trevand/Trevand/ListItemPaintT.h"
#include "ToolKit/Trevand/Trevand/ListedCandidate.h"

// The facts are plain values, so the list's order is decided on them alone;
// the tick stays in the row's check box.
struct ListRowInfo : TCandidateFacts {
    CListItemPaint* pRow = nullptr;
    // strPath folded as the engine folds it, made once per row so that a
    // filter typed letter by letter does not fold every path again.
    std::string strFoldedPath;
};
