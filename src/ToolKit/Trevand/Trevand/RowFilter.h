// Narrowing the main window's list: rows whose name or path holds a text
// (without regard to case, as the engine compares paths in code page 936),
// and rows not written to for a while. A row the filters hide is never
// ticked by "全选", counted, exported or deleted.
#pragma once

#include <cstdint>
#include <string>

#include "ToolKit/Trevand/Trevand/ListedCandidate.h"

// The modified-time choices, in the order the drop-down offers them.
enum EAgeFilter { kAgeAll = 0, kAge30Days, kAge90Days, kAge1Year, kAgeFilterCount };
// What the drop-down shows for each: "全部", "30 天前", "90 天前", "1 年前".
const char* AgeFilterText(int age);

struct TRowFilter {
    std::string strFoldedText;   // the text folded as the engine folds; "" keeps every row
    int64_t nWrittenBefore = 0;  // rows last written at or after this are hidden; 0 keeps every row
    bool IsActive() const { return !strFoldedText.empty() || nWrittenBefore != 0; }
};

// The filter for `text` and the choice `age` at time `now` (seconds since
// 1970 UTC).
TRowFilter MakeRowFilter(const std::string& text, int age, int64_t now);

// Whether `needle` occurs in `haystack` starting at a character of it: a
// match that would begin on the second byte of a double-byte character is
// none ("\" is no part of 誠, D5 5C).
bool ContainsAtCharacter(const std::string& haystack, const std::string& needle);

// Whether `row`, whose path folded as the engine folds is `foldedPath`,
// passes `filter`. The name is the end of the path, so the path alone is
// searched. A row whose time is unknown is not old.
bool PassesRowFilter(const TCandidateFacts& row, const std::string& foldedPath, const TRowFilter& filter);
