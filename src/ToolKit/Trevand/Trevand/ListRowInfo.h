// ListRowInfo: what the main window knows of one listed candidate, beside
// the row that shows it.
#pragma once

#include <cstdint>
#include <string>

#include "ToolKit/Trevand/Trevand/ListItemPaintT.h"

using CListItemPaint = CListItemPaintT<std::string>;

struct ListRowInfo {
    std::string strPath;  // the candidate's full path, equal to the map key
    std::string strName;  // the entry's name as found on disk
    bool bDir = false;
    // A file's bytes from the listing; a folder's from the sizer once
    // bSizeKnown is set (until then nSize is 0 and means nothing).
    uint64_t nSize = 0;
    bool bSizeKnown = false;
    // The sizer could not read all of the folder's tree: nSize is the part it
    // could, shown and summed with a "+".
    bool bSizePartial = false;
    int64_t nModified = 0;  // last write, seconds since 1970 UTC; 0 unknown
    CListItemPaint* pRow = nullptr;
};
