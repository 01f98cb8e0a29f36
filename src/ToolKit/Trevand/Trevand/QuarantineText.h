// How the quarantine window words what it holds and what a restore did, as
// functions of plain values: they build and are tested on the host too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one server disk's quarantine holds, as the window's totals line says.
struct TDiskHeld {
    char chDrive = 0;
    int nCount = 0;
    uint64_t nBytes = 0;
    // Its record database exists but could not be read: what it holds is
    // not known, which must never read as "nothing".
    bool bUnreadable = false;
    // nBytes is a lower bound: an entry of unknown size is among them.
    bool bAtLeast = false;
    int nIncomplete = 0;  // entries a purge left part way
};

// "E: 3 项 1.2 GB；F: 无法读取隔离记录", disks in the order given; disks holding
// nothing are left out. A lower bound has its "+", incomplete entries are
// counted: "E: 3 项 1.2 GB+（1 项不完整）". When no disk holds anything and
// none is unreadable: "隔离区中没有项目".
std::string HeldText(const std::vector<TDiskHeld>& disks);

// "3 天": what the 剩余天数 cell shows.
std::string DaysLeftText(int days);

// What the cells of a held entry say beside its plain values: its size with
// a "+" when only a lower bound is known (moved before its folder was
// sized), and in the 剩余天数 cell why the KeepDays purge will not take it
// (its time is unsure: "时间待核对", or it is links only: "仅剩链接") instead of
// the days left. A folder a purge left part way is "残缺目录" in the kind
// column.
std::string HeldSizeText(uint64_t bytes, bool atLeast);
std::string HeldKindText(bool bDir, bool incomplete);
std::string HeldDaysLeftText(int days, bool timeUnsure, bool onlyLinks);

// What the start-up's upkeep has to say besides the purge's counts, "；"
// between the parts, empty when nothing: entries a crash in the middle of a
// move left that are now held ("上次中断的隔离：E: 2 项已在 E:\TrevandQuarantine"),
// and disks whose clock was not believed, with the latest time each had
// seen (written as the list writes times).
struct TSettledNote {
    char chDrive = 0;
    int nCount = 0;
};
struct TClockNote {
    char chDrive = 0;
    int64_t nSeen = 0;
};
std::string UpkeepNotesText(const std::vector<TSettledNote>& settled, const std::vector<TClockNote>& refused);


// Why a ticked entry was not put back; it stays in the quarantine.
struct TRestoreRefusal {
    enum Reason {
        kPlaceTaken,     // something is at its original path now: never overwritten
        kFailed,         // the rename failed with nError
        kDiskUnreadable, // its disk's record database could not be opened (nError)
    };
    std::string strOriginalPath;
    Reason reason = kFailed;
    uint32_t nError = 0;
};

// "原位置已被占用（未覆盖）", "还原失败（错误码 5）", ...: one refusal's reason.
std::string RefusalReasonText(const TRestoreRefusal& refusal);

// The message after a restore: how many entries came back and, for those that
// did not, which and why, one a line. Past kMaxListedRefusals the rest are
// counted only (the log names each): a message box must fit the screen.
// Entries that came back incomplete (a purge stopped part way through them)
// are named after the count, so none passes for what was moved.
const size_t kMaxListedRefusals = 6;
std::string RestoreReportText(size_t restored, const std::vector<TRestoreRefusal>& refused,
                              const std::vector<std::string>& incomplete = {});
