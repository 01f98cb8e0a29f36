// The program's day log read from outside: "<folder>\Trevand<yyyymmdd>.log",
// lines "[hh:mm:ss.mmm]|[tid]|[level]|message" in code page 936, CR LF.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// "Trevand20240131.log" for today (local time, as the program names it).
std::string TodaysLogName();

// The lines of the log file `path` as "[level]|message" (time and thread
// parts and the CR LF cut off); empty when the file cannot be read.
std::vector<std::string> LogMessages(const std::string& path);

// How many lines of `path` are exactly `line` ("[level]|message").
int CountLogLines(const std::string& path, const std::string& line);

// Written as each load of the engine starts (more than once per load).
extern const char kLoadStartLine[];
// The deletion worker's lines for a folder and a file that are gone.
std::string DeletedFolderLine(const std::string& path);
std::string DeletedFileLine(const std::string& path);

// Waits up to `timeoutMs` for a line of `path` that is exactly "[level]|message"
// `line`, counting from line `from` (0: the first). True when it came.
bool WaitForLogLine(const std::string& path, const std::string& line, int timeoutMs, size_t from = 0);

}  // namespace testsupport
