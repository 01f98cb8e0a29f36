#include "support/ProgramLog.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "support/TempDir.h"
#include "support/WaitUntil.h"

namespace testsupport {

std::string TodaysLogName() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char name[32];
    std::snprintf(name, sizeof(name), "Trevand%04u%02u%02u.log", now.wYear, now.wMonth, now.wDay);
    return name;
}

std::vector<std::string> LogMessages(const std::string& path) {
    std::vector<std::string> messages;
    std::istringstream in(ReadFileBytes(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        // Past the time and thread parts: the second '|'.
        size_t bar = line.find('|');
        bar = bar == std::string::npos ? bar : line.find('|', bar + 1);
        messages.push_back(bar == std::string::npos ? line : line.substr(bar + 1));
    }
    return messages;
}

int CountLogLines(const std::string& path, const std::string& line) {
    const std::vector<std::string> lines = LogMessages(path);
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

const char kLoadStartLine[] = "[Info]|Open Service Success!";

std::string DeletedFolderLine(const std::string& path) { return "[Info]|Trevand  删除目录" + path; }
std::string DeletedFileLine(const std::string& path) { return "[Info]|Trevand  删除文件" + path; }

bool WaitForLogLine(const std::string& path, const std::string& line, int timeoutMs, size_t from) {
    return WaitUntil(
        [&] {
            const std::vector<std::string> lines = LogMessages(path);
            return lines.size() > from && std::find(lines.begin() + from, lines.end(), line) != lines.end();
        },
        timeoutMs, 100);
}

}  // namespace testsupport
