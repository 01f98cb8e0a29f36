#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"

#include <cstdio>
#include <vector>

#include "comm/platform/AsciiCase.h"
#include "comm/platform/CharNext936.h"

namespace quarantine {

const char kDatabaseName[] = "Quarantine.db";

namespace {

const uint64_t kSecondsPerDay = 86400;

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The names between the separators of `text`, empty ones included (a
// doubled or final separator), found character by character: the trail byte
// 0x5C of 誠 separates nothing.
std::vector<std::string> SplitNames(const std::string& text) {
    std::vector<std::string> names(1);
    for (const char* p = text.c_str(); *p;) {
        const char* next = platform::CharNext936(p);
        if (next - p == 1 && IsSeparator(*p)) names.emplace_back();
        else names.back().append(p, next);
        p = next;
    }
    return names;
}

// Whether `name` names one entry of its own: "" and the dot names would make
// a stored path lead elsewhere than below its batch. A name ending in a dot
// or a blank ("Old.", "... ") is one of its own: every file call addresses
// it exactly (the platform's paths take the "\\?\" form for it).
bool IsPlainName(const std::string& name) { return !name.empty() && name != "." && name != ".."; }

// A batch is a name of ours: the time of a move, never one the system would
// trim in a path of the usual form.
bool IsBatchName(const std::string& name) { return IsPlainName(name) && name.back() != '.' && name.back() != ' '; }

}  // namespace

std::string FolderOfDrive(char drive) {
    if (!IsAsciiLetter(drive)) return std::string();
    return std::string(1, platform::ToUpperAscii(drive)) + ":\\" + kFolderName;
}

char DriveOfPath(const std::string& path) {
    if (path.size() < 2 || !IsAsciiLetter(path[0]) || path[1] != ':') return 0;
    return platform::ToUpperAscii(path[0]);
}

std::string BatchName(unsigned year, unsigned month, unsigned day, unsigned hour, unsigned minute, unsigned second) {
    char name[64];
    std::snprintf(name, sizeof(name), "%04u%02u%02u-%02u%02u%02u", year, month, day, hour, minute, second);
    return name;
}

std::string StoredPath(const std::string& original, const std::string& batch) {
    // Every file call stops reading at a NUL: nothing after it is checked.
    if (original.find('\0') != std::string::npos || batch.find('\0') != std::string::npos) return std::string();
    const char drive = DriveOfPath(original);
    if (drive == 0 || original.size() < 4 || !IsSeparator(original[2])) return std::string();
    const std::string relative = original.substr(3);
    const std::vector<std::string> names = SplitNames(relative);
    // Moving the quarantine, or anything in it, into itself.
    if (IsQuarantineFolderName(names.front())) return std::string();
    for (const std::string& name : names) {
        if (!IsPlainName(name)) return std::string();
    }
    // One name, and still one when the separator follows it: a batch ending
    // in a lead byte would take that separator as its trail byte.
    const std::vector<std::string> batchNames = SplitNames(batch + "\\");
    if (batchNames.size() != 2 || batchNames.front() != batch || !IsBatchName(batch)) return std::string();
    return FolderOfDrive(drive) + "\\" + batch + "\\" + relative;
}

int DaysLeft(int64_t quarantined, int64_t now, int keepDays) {
    if (keepDays <= 0) return 0;
    // A clock set back: no day has passed yet.
    if (now <= quarantined) return keepDays;
    // Unsigned: the difference of any two times fits.
    const uint64_t daysPassed = (static_cast<uint64_t>(now) - static_cast<uint64_t>(quarantined)) / kSecondsPerDay;
    if (daysPassed >= static_cast<uint64_t>(keepDays)) return 0;
    return keepDays - static_cast<int>(daysPassed);
}

bool IsExpired(int64_t quarantined, int64_t now, int keepDays) { return DaysLeft(quarantined, now, keepDays) == 0; }

}  // namespace quarantine
