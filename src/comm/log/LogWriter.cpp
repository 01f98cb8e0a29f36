#include "comm/log/LogWriter.h"

#include <cstdio>
#include <cstring>

#include "comm/platform/PathSeparator.h"
#include "comm/platform/ThreadId.h"

namespace {

const int kSecondsPerDay = 86400;
// Days back that the purge looks at: files of ages keep+1 .. 31 days.
const int kOldestPurgedDay = 31;

void FormatDateName(char (&name)[16], const platform::LocalTime& time) {
    std::snprintf(name, sizeof(name), "%04u%02u%02u.log", time.year % 10000, time.month % 100, time.day % 100);
}

// Copies `text` to `out` as a text-mode stream writes it: every line feed as
// CR LF. `out` must hold twice `length` bytes. Returns the bytes written.
size_t ToTextMode(const char* text, int length, char* out) {
    size_t n = 0;
    for (int i = 0; i < length; ++i) {
        if (text[i] == '\n') {
            out[n++] = '\r';
        }
        out[n++] = text[i];
    }
    return n;
}

}  // namespace

CLogWriter::CLogWriter() : m_clock(&platform::NowWallClock) {}

CLogWriter& CLogWriter::Instance() {
    // A function-local static is created once even when two threads ask at once.
    static CLogWriter writer;
    return writer;
}

void CLogWriter::SetLogDir(const std::string& dir) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_strDir = dir;
    if (!platform::EndsWithSeparator(m_strDir)) {
        m_strDir += '\\';
    }
    platform::CreateOneFolder(m_strDir);
}

void CLogWriter::SetLogName(const std::string& name) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_strName = name;
}

void CLogWriter::SetOutput(int output) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_nOutput = output;
}

void CLogWriter::SetClockForTests(ClockFunction clock) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_clock = clock;
}

void CLogWriter::SetMaxFileSizeForTests(uint64_t bytes) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_nMaxFileSize = bytes;
}

void CLogWriter::LogWrite(int level, const char* file, int line, const char* func, const char* format, ...) {
    va_list args;
    va_start(args, format);
    LogWriteV(level, file, line, func, format, args);
    va_end(args);
}

void CLogWriter::LogWriteV(int level, const char*, int, const char*, const char* format, va_list args) {
    if ((level & m_nLevelMask) == 0) {
        return;
    }
    // One reading gives both the time in the line and the date of its file.
    const platform::LocalTime time = platform::ToLocalTime(m_clock.load()());

    char line[kMaxLineChars + 2];
    const int length = FormatLine(line, level, time, format, args);

    if (m_nOutput & 1) {
        std::fwrite(line, 1, static_cast<size_t>(length), stdout);
        std::fflush(stdout);
    }
    if (m_nOutput & 2) {
        std::lock_guard<std::mutex> guard(m_lock);
        AppendToFile(line, length, time);
    }
}

int CLogWriter::FormatLine(char* line, int level, const platform::LocalTime& time, const char* format,
                           va_list args) const {
    // The text part has room for kMaxLineChars characters and its NUL.
    const int room = kMaxLineChars + 1;
    int length = 0;
    if (m_nPrefix & 1) {
        length += std::snprintf(line + length, room - length, "[%02u:%02u:%02u.%03u]|", time.hour, time.minute,
                                time.second, time.millisecond);
    }
    if (m_nPrefix & 2) {
        length += std::snprintf(line + length, room - length, "[%04lx]|", platform::CurrentThreadId());
    }
    length += std::snprintf(line + length, room - length, "[%s]|", LogLevelWord(level));

    const int message = std::vsnprintf(line + length, room - length, format, args);
    if (message > 0) {
        // A longer message was cut by vsnprintf; count only what is in the buffer.
        length += message < room - length ? message : room - length - 1;
    } else {
        line[length] = '\0';
    }
    line[length++] = '\n';
    line[length] = '\0';
    return length;
}

void CLogWriter::AppendToFile(const char* line, int length, const platform::LocalTime& time) {
    char dateName[16];
    FormatDateName(dateName, time);
    if (std::strcmp(dateName, m_szDateName) != 0) {
        m_file.Close();
        PurgeOldFiles();
        OpenDayFile(dateName);
    }

    if (m_file.IsOpen()) {
        char text[2 * (kMaxLineChars + 1)];
        m_file.WriteAndFlush(text, ToTextMode(line, length, text));
    }

    // The count goes by the line's characters plus CR LF, as the format was
    // written; a line feed inside a message is not counted twice.
    m_nFileSize += static_cast<uint64_t>(length - 1) + 2;
    if (m_file.IsOpen() && m_nFileSize >= m_nMaxFileSize) {
        m_file.Truncate();
        m_nFileSize = 0;
    }
}

void CLogWriter::OpenDayFile(const char* dateName) {
    if (m_file.Open(DayFilePath(dateName))) {
        // A restart on the same day continues the same file.
        m_nFileSize = m_file.Size();
    }
    // Stored also after a failed open, so the next try is on the next day.
    std::snprintf(m_szDateName, sizeof(m_szDateName), "%s", dateName);
}

void CLogWriter::PurgeOldFiles() {
    if (m_nKeepDays > kOldestPurgedDay - 1) {
        return;
    }
    platform::WallClock day = m_clock.load()();
    day.seconds -= static_cast<int64_t>(m_nKeepDays + 1) * kSecondsPerDay;
    for (int age = m_nKeepDays + 1; age <= kOldestPurgedDay; ++age) {
        char dateName[16];
        FormatDateName(dateName, platform::ToLocalTime(day));
        platform::RemoveFile(DayFilePath(dateName));
        day.seconds -= kSecondsPerDay;
    }
}

std::string CLogWriter::TodaysFilePath() {
    char dateName[16];
    FormatDateName(dateName, platform::ToLocalTime(m_clock.load()()));
    std::lock_guard<std::mutex> lock(m_lock);
    return DayFilePath(dateName);
}

std::string CLogWriter::DayFilePath(const char* dateName) const { return m_strDir + m_strName + dateName; }

void LogWrite(int level, const char* file, int line, const char* func, const char* format, ...) {
    va_list args;
    va_start(args, format);
    CLogWriter::Instance().LogWriteV(level, file, line, func, format, args);
    va_end(args);
}
