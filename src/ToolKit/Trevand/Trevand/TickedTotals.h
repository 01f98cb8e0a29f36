// What the ticked rows come to, as the confirmations before a deletion or a
// move into the quarantine say it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/ListedCandidate.h"

struct TTickedTotals {
    uint32_t nFolders = 0;
    uint32_t nFiles = 0;
    uint64_t nBytes = 0;  // the known bytes
    // A folder among them is not sized yet, or only in part: nBytes is a
    // lower bound.
    bool bPartial = false;
};

// The ticked rows of `rows` summed.
TTickedTotals SumTicked(const std::vector<TListedCandidate>& rows);

// "1.2 GB", or "1.2 GB+" for a partial sum: it must never pass for the whole.
std::string SizeSumText(uint64_t bytes, bool partial);

// The question before a deletion: the program's own first line, byte for
// byte, then what goes — "将彻底删除 2 个目录、3 个文件，共 1.2 GB+，删除后无法恢复。"
// (a kind with none is left out).
std::string DeletionConfirmText(const TTickedTotals& totals);
