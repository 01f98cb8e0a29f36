// What the program relies on when it acts on a quarantine record that
// IsConsistent accepts: the entry it restores, purges or tidies is a place
// of its own below the record's batch in its own drive's quarantine folder,
// and it goes back to the same drive. Checked on the path as the file
// system reads it, so that no name in it is taken for another one.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "Require.h"
#include "ToolKit/Trevand/Trevand/DB/QuarantineFolderName.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"
#include "comm/platform/CharNext936.h"

namespace fuzzquarantine {

// The names of `path` between its separators ("\" and "/", which the system
// takes alike), found character by character.
inline std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> names(1);
    for (const char* p = path.c_str(); *p;) {
        const char* next = platform::CharNext936(p);
        if (next - p == 1 && (*p == '\\' || *p == '/')) names.emplace_back();
        else names.back().append(p, next);
        p = next;
    }
    return names;
}

// Whether `name` is one entry's own name: not empty, no "." or "..". (A name
// ending in a dot or a blank is one: every file call addresses it exactly.)
inline bool NamesItself(const std::string& name) { return !name.empty() && name != "." && name != ".."; }

// The batch is the program's own name: never one the usual form of a path
// would trim of a trailing dot or blank.
inline bool IsBatchName(const std::string& name) {
    return NamesItself(name) && name.back() != '.' && name.back() != ' ';
}

// Aborts unless `record`, which IsConsistent accepted, is stored where the
// program may act on it.
inline void CheckConsistentRecord(const TQuarantineRecord& record) {
    const std::string& original = record.strOriginalPath;
    const std::string& stored = record.strStoredPath;
    // Every file call reads a path up to its first NUL: a record must not
    // say more than the system reads.
    FUZZ_REQUIRE(original.find('\0') == std::string::npos);
    FUZZ_REQUIRE(stored.find('\0') == std::string::npos);
    FUZZ_REQUIRE(record.strBatch.find('\0') == std::string::npos);
    const char drive = quarantine::DriveOfPath(original);
    FUZZ_REQUIRE(drive != 0 && quarantine::DriveOfPath(stored) == drive);

    // "E:", the quarantine folder, the batch, then the original's names.
    const std::vector<std::string> storedNames = Names(stored);
    const std::vector<std::string> originalNames = Names(original);
    FUZZ_REQUIRE(storedNames.size() >= 4 && originalNames.size() >= 2);
    FUZZ_REQUIRE(storedNames[0] == std::string(1, drive) + ":");
    FUZZ_REQUIRE(storedNames[1] == quarantine::kFolderName);
    FUZZ_REQUIRE(storedNames[2] == record.strBatch);
    FUZZ_REQUIRE(IsBatchName(record.strBatch));
    FUZZ_REQUIRE(storedNames.size() - 3 == originalNames.size() - 1);
    for (size_t i = 2; i < storedNames.size(); ++i) FUZZ_REQUIRE(NamesItself(storedNames[i]));
    for (size_t i = 1; i < originalNames.size(); ++i) FUZZ_REQUIRE(originalNames[i] == storedNames[i + 2]);
    // Nothing of the quarantine is ever moved into it.
    FUZZ_REQUIRE(!quarantine::IsQuarantineFolderName(originalNames[1]));
}

}  // namespace fuzzquarantine
