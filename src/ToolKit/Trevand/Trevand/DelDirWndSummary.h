// What a deletion run came to, and the line that tells the operator so.
#pragma once

#include <cstdint>
#include <string>

// Counted by the deletion worker while it goes. Each ticked entry lands in at
// most one of the three counts; a path that was gone before the worker
// reached it lands in none (nothing was deleted, and nothing failed). A move
// into the quarantine counts the same way, "deleted" meaning moved and the
// bytes those of the entries moved.
struct DeletionTally {
    uint32_t nDeleted = 0;     // gone entirely
    uint32_t nLeft = 0;        // still there, whole or in part: refused, a link inside, an error
    uint32_t nNotReached = 0;  // stopped part way by a cancel, or never begun
    // The lengths of the files the worker deleted, in every entry, including
    // those that stay in part: what the disk really got back.
    uint64_t nFreedBytes = 0;
    bool bCancelled = false;  // the operator stopped the run
};

// The operator's line for `tally`:
//   "已删除 12 项，释放 45.2 GB"                          every entry gone
//   "已删除 12 项，释放 45.2 GB；2 项无法删除，详见日志"  some could not be deleted
//   "已取消：已删除 3 项，释放 1.2 GB；5 项未删除"        cancelled; the 5 are all
//                                                          the others, failed or not reached
//   "已删除 0 项，释放 0 B；4 项未删除"                   the run never began
std::string DeletionSummaryText(const DeletionTally& tally);

// The same for a move into the quarantine, where nFreedBytes are the bytes
// moved, still held on the disk:
//   "已隔离 2 项，共 1.2 GB（彻底删除后才释放空间）；1 项无法隔离，详见日志"
std::string QuarantineSummaryText(const DeletionTally& tally);
