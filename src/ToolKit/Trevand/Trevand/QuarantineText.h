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
};

// "E: 3 项 1.2 GB；F: 无法读取隔离记录", disks in the order given; disks holding
// nothing are left out. When no disk holds anything and none is unreadable:
// "隔离区中没有项目".
std::string HeldText(const std::vector<TDiskHeld>& disks);

// "3 天": what the 剩余天数 cell shows.
std::string DaysLeftText(int days);


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
const size_t kMaxListedRefusals = 6;
std::string RestoreReportText(size_t restored, const std::vector<TRestoreRefusal>& refused);
