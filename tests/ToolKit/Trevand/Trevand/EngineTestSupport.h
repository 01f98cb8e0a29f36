// Helpers shared by the engine's Windows tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DB/TrevandTypes.h"
#include "support/LogCapture.h"

namespace enginetest {

using Lines = std::vector<std::string>;

// The LOG_ERROR lines written since `log` was made, as "[Error]|message".
inline Lines ErrorLines(const testsupport::LogCapture& log) {
    Lines errors;
    for (const std::string& line : log.Lines()) {
        if (line.rfind("[Error]|", 0) == 0) {
            errors.push_back(line);
        }
    }
    return errors;
}

// Whether `log` holds `line` exactly.
inline bool HasLine(const testsupport::LogCapture& log, const std::string& line) {
    for (const std::string& written : log.Lines()) {
        if (written == line) {
            return true;
        }
    }
    return false;
}

// A candidate as the tests write it: the path and whether it is a folder.
struct Candidate {
    std::string path;
    bool dir;
    bool operator==(const Candidate& other) const { return path == other.path && dir == other.dir; }
};

// The scan result as candidates, checking that each record is consistent: the
// key is strPath, which ends in a backslash and strName.
inline std::vector<Candidate> Candidates(const UnLoadPathMap& result) {
    std::vector<Candidate> candidates;
    for (const auto& entry : result) {
        const std::string& path = entry.first;
        const std::string tail = "\\" + entry.second.strName;
        const bool nameFits = !entry.second.strName.empty() && path.size() > tail.size() &&
                              path.compare(path.size() - tail.size(), tail.size(), tail) == 0;
        candidates.push_back(
            {path + (entry.second.strPath == path ? "" : " <path differs>") + (nameFits ? "" : " <name differs>"),
             entry.second.bDir});
    }
    return candidates;
}

// GoogleTest's printer for failure messages.
inline void PrintTo(const Candidate& c, std::ostream* os) { *os << (c.dir ? "dir " : "file ") << c.path; }

}  // namespace enginetest
