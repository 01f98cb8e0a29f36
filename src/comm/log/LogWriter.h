// The process-wide log writer: one prefixed line per call, appended to a daily
// file "<folder><base name>YYYYMMDD.log".
//
// A line reads "[hh:mm:ss.mmm]|[tid]|[Word]|message" and ends in CR LF in the
// file (every line feed inside the message too, as a text-mode stream writes
// it). At most 2047 characters precede the line end. The file of the day 31
// days back is deleted when a new day's file is opened; the file is emptied in
// place when it reaches the maximum size. No call ever fails or throws because
// of a file problem.
//
// Thread safety: any thread may call LogWrite. Formatting runs on the caller's
// stack; one lock covers each file step, so lines never interleave.
#pragma once

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <mutex>
#include <string>

#include "comm/log/LogLevel.h"
#include "comm/platform/Clock.h"
#include "comm/platform/File.h"

#if defined(__GNUC__)
#define TREVAND_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define TREVAND_PRINTF_FORMAT(fmt, args)
#endif

class CLogWriter {
public:
    // Longest line text before its line end.
    static const int kMaxLineChars = 2047;

    CLogWriter();
    CLogWriter(const CLogWriter&) = delete;
    CLogWriter& operator=(const CLogWriter&) = delete;

    // The process-wide writer, created on first use (safe against two first
    // calls at once). It lives until the process ends.
    static CLogWriter& Instance();

    // Writes one line. `file`, `line` and `func` name the call site; they are
    // accepted and never written anywhere.
    void LogWrite(int level, const char* file, int line, const char* func, const char* format, ...)
        TREVAND_PRINTF_FORMAT(6, 7);
    void LogWriteV(int level, const char* file, int line, const char* func, const char* format, va_list args);

    // Stores the folder, ending it with a backslash, and creates that one folder
    // (an existing folder or a failure is ignored). REQUIRES: `dir` is not empty.
    void SetLogDir(const std::string& dir);
    void SetLogName(const std::string& name);
    // Bit 1: standard output; bit 2: the log file.
    void SetOutput(int output);
    // The path of the file lines written now go to: the folder, the name and
    // today's date ("log\Trevand20261211.log"). It may not exist yet.
    std::string TodaysFilePath();

    // For tests only; the program keeps the wall clock and 1 GiB.
    using ClockFunction = platform::WallClock (*)();
    void SetClockForTests(ClockFunction clock);
    void SetMaxFileSizeForTests(uint64_t bytes);

private:
    // Formats the prefix and message into `line`; returns the character count
    // including the final line feed.
    int FormatLine(char* line, int level, const platform::LocalTime& time, const char* format, va_list args) const;
    // The file step, under the lock.
    void AppendToFile(const char* line, int length, const platform::LocalTime& time);
    void OpenDayFile(const char* dateName);
    void PurgeOldFiles();
    std::string DayFilePath(const char* dateName) const;

    std::mutex m_lock;
    // Read outside the lock by every call, so atomic.
    std::atomic<int> m_nOutput{15};
    int m_nPrefix = 15;
    int m_nLevelMask = 127;
    int m_nKeepDays = 30;
    uint64_t m_nMaxFileSize = 1073741824ULL;
    uint64_t m_nFileSize = 0;
    std::string m_strDir = "./log";
    std::string m_strName = "N_A";
    char m_szDateName[16] = {0};
    platform::AppendFile m_file;
    std::atomic<ClockFunction> m_clock;
};

// The log call. Callers use the short form LOG_WRITE(level, format, ...).
void LogWrite(int level, const char* file, int line, const char* func, const char* format, ...)
    TREVAND_PRINTF_FORMAT(5, 6);

#define LOG_WRITE(level, ...) LogWrite((level), __FILE__, __LINE__, __func__, __VA_ARGS__)
