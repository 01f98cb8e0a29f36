#include "support/LogCapture.h"

#include <cstdio>
#include <memory>

#include "comm/log/LogWriter.h"
#include "support/TempDir.h"

namespace testsupport {
namespace {

// One folder for the whole test process: the writer keeps its day's file open
// once the first line is written, whatever folder is set later.
const TempDir& CaptureDir() {
    static TempDir* dir = [] {
        auto* created = new TempDir();
        CLogWriter::Instance().SetLogDir(created->Path());
        CLogWriter::Instance().SetLogName("T");
        CLogWriter::Instance().SetOutput(2);
        return created;
    }();
    return *dir;
}

std::string TodaysFileName() {
    const platform::LocalTime now = platform::ToLocalTime(platform::NowWallClock());
    char name[32];
    std::snprintf(name, sizeof(name), "T%04u%02u%02u.log", now.year, now.month, now.day);
    return name;
}

}  // namespace

LogCapture::LogCapture() : m_file(CaptureDir().File(TodaysFileName())) { m_start = ReadFileBytes(m_file).size(); }

std::vector<std::string> LogCapture::Lines() const {
    const std::string text = ReadFileBytes(m_file);
    std::vector<std::string> lines;
    size_t pos = m_start;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(pos, end - pos);
        // Drop "[hh:mm:ss.mmm]|[tid]|": the level part starts at the third '['.
        size_t level = 0;
        for (int i = 0; i < 3 && level != std::string::npos; ++i) {
            level = line.find('[', i == 0 ? 0 : level + 1);
        }
        lines.push_back(level == std::string::npos ? line : line.substr(level));
        pos = end + 2;
    }
    return lines;
}

}  // namespace testsupport
