#include "comm/log/LogWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "comm/platform/ThreadId.h"
#include "support/TempDir.h"

using testsupport::FileExists;
using testsupport::JoinPath;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

namespace {

// The clock every writer in these tests reads.
platform::WallClock g_now;
platform::WallClock FakeClock() { return g_now; }

// Sets the fake clock to a local time.
void SetNow(int year, int month, int day, int hour, int minute, int second, unsigned millisecond) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    g_now.seconds = static_cast<int64_t>(std::mktime(&tm));
    g_now.milliseconds = millisecond;
}

std::string ThreadPart() {
    char part[32];
    std::snprintf(part, sizeof(part), "[%04lx]|", platform::CurrentThreadId());
    return part;
}

// Splits a file's text at CR LF; a missing final CR LF shows as a last
// element that is not empty.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

class LogWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetNow(2024, 1, 31, 9, 5, 3, 42);
        Configure(writer);
    }

    void Configure(CLogWriter& w) {
        w.SetLogDir(dir.Path());
        w.SetLogName("T");
        w.SetOutput(2);
        w.SetClockForTests(&FakeClock);
    }

    std::string DayFile(const char* date) const { return dir.File(std::string("T") + date + ".log"); }

    TempDir dir;
    CLogWriter writer;
};

TEST_F(LogWriterTest, LineHasTimeThreadLevelAndMessageEndingInCrLf) {
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "abc %s %d", "中文", 7);
    // 中文 is D6D0 CEC4 in GBK and must reach the file unchanged.
    EXPECT_EQ(ReadFileBytes(DayFile("20240131")),
              "[09:05:03.042]|" + ThreadPart() + "[Info]|abc \xD6\xD0\xCE\xC4 7\r\n");
}

TEST_F(LogWriterTest, LevelMaskAndWords) {
    const struct {
        int level;
        const char* word;  // nullptr: nothing written
    } cases[] = {
        {0, nullptr},   {128, nullptr},   {1, "Startup"},  {2, "Shutdown"}, {4, "Info"},
        {8, "Warning"}, {16, "Trace"},    {32, "Error"},   {64, "Debug"},   {3, "Unknown"},
        {5, "Unknown"}, {129, "Unknown"}, {-1, "Unknown"},
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        writer.LogWrite(c.level, __FILE__, __LINE__, "Test", "level %d", c.level);
        if (c.word != nullptr) {
            expected.push_back("[09:05:03.042]|" + ThreadPart() + "[" + c.word + "]|level " + std::to_string(c.level));
        }
    }
    EXPECT_EQ(SplitLines(ReadFileBytes(DayFile("20240131"))), expected);
}

TEST_F(LogWriterTest, LongMessageIsCutAt2047Characters) {
    const std::string message(3000, 'x');
    writer.LogWrite(LOG_ERROR, __FILE__, __LINE__, "Test", "%s", message.c_str());
    const std::string text = ReadFileBytes(DayFile("20240131"));
    ASSERT_EQ(text.size(), 2047u + 2u);
    EXPECT_EQ(text.substr(0, 15), "[09:05:03.042]|");
    EXPECT_EQ(text.substr(2045), "xx\r\n");
}

TEST_F(LogWriterTest, LineFeedsInsideTheMessageAreWrittenAsCrLf) {
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "[Service] %s no Found !\n", "a\nb");
    EXPECT_EQ(ReadFileBytes(DayFile("20240131")),
              "[09:05:03.042]|" + ThreadPart() + "[Info]|[Service] a\r\nb no Found !\r\n\r\n");
}

TEST_F(LogWriterTest, FolderGetsItsBackslashAndIsCreatedOneLevelDeep) {
    CLogWriter w;
    w.SetLogDir(dir.Path() + "\\log");
    w.SetLogName("Trevand");
    w.SetOutput(2);
    w.SetClockForTests(&FakeClock);
    w.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "x");
    EXPECT_TRUE(FileExists(dir.File("log")));
    EXPECT_EQ(SplitLines(ReadFileBytes(JoinPath(dir.File("log"), "Trevand20240131.log"))).size(), 1u);
}

TEST_F(LogWriterTest, FirstLineOfANewDayPurgesTheFile31DaysBackAndOpensTheNewFile) {
    SetNow(2024, 3, 1, 23, 59, 59, 999);
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "old day");
    // 2 March 2024 minus 31 days is 31 January (2024 is a leap year).
    for (const char* date : {"20240130", "20240131", "20240201"}) {
        WriteFileBytes(DayFile(date), "kept?\r\n");
    }

    SetNow(2024, 3, 2, 0, 0, 0, 5);
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "new day");

    EXPECT_FALSE(FileExists(DayFile("20240131")));
    EXPECT_TRUE(FileExists(DayFile("20240130"))) << "files older than 31 days are never looked at";
    EXPECT_TRUE(FileExists(DayFile("20240201")));
    EXPECT_EQ(SplitLines(ReadFileBytes(DayFile("20240301"))),
              std::vector<std::string>{"[23:59:59.999]|" + ThreadPart() + "[Info]|old day"});
    EXPECT_EQ(SplitLines(ReadFileBytes(DayFile("20240302"))),
              std::vector<std::string>{"[00:00:00.005]|" + ThreadPart() + "[Info]|new day"});
}

TEST_F(LogWriterTest, RestartOnTheSameDayAppendsAndCountsFromTheFileLength) {
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "first run");
    {
        CLogWriter second;
        Configure(second);
        second.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "second run");
    }
    const std::string twoLines = ReadFileBytes(DayFile("20240131"));
    ASSERT_EQ(SplitLines(twoLines).size(), 2u);

    // The running size starts at the file's length: one more short line
    // crosses a limit just above that length and empties the file.
    CLogWriter third;
    Configure(third);
    third.SetMaxFileSizeForTests(twoLines.size() + 10);
    third.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "third run");
    EXPECT_EQ(ReadFileBytes(DayFile("20240131")), "");
}

TEST_F(LogWriterTest, FileIsEmptiedInPlaceWhenItReachesTheMaximumSize) {
    // Each line is 15 + thread part + 7 ("[Info]|") + 4 characters + CR LF.
    const size_t lineSize = 15 + ThreadPart().size() + 7 + 4 + 2;
    writer.SetMaxFileSizeForTests(3 * lineSize);
    const std::string file = DayFile("20240131");
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "one ");
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "two ");
    EXPECT_EQ(ReadFileBytes(file).size(), 2 * lineSize);
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "thre");
    EXPECT_EQ(ReadFileBytes(file), "") << "the line that reaches the limit goes with the rest";
    writer.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "four");
    EXPECT_EQ(SplitLines(ReadFileBytes(file)),
              std::vector<std::string>{"[09:05:03.042]|" + ThreadPart() + "[Info]|four"});
}

TEST_F(LogWriterTest, UnopenableFileFailsNoCallAndIsTriedAgainTheNextDay) {
    const std::string missing = dir.File("missing");
    CLogWriter w;
    w.SetLogDir(missing + "\\deeper");  // one level only: "missing" is never made
    w.SetLogName("T");
    w.SetOutput(2);
    w.SetClockForTests(&FakeClock);
    w.LogWrite(LOG_ERROR, __FILE__, __LINE__, "Test", "lost");
    EXPECT_FALSE(FileExists(missing));

    // Same day: the failed date is remembered, so there is no new try even
    // though the folder exists now.
    const std::string deeper = JoinPath(missing, "deeper");
    ASSERT_TRUE(platform::CreateOneFolder(missing));
    ASSERT_TRUE(platform::CreateOneFolder(deeper));
    w.LogWrite(LOG_ERROR, __FILE__, __LINE__, "Test", "still lost");
    EXPECT_FALSE(FileExists(JoinPath(deeper, "T20240131.log")));

    SetNow(2024, 2, 1, 0, 0, 1, 0);
    w.LogWrite(LOG_ERROR, __FILE__, __LINE__, "Test", "found");
    EXPECT_EQ(SplitLines(ReadFileBytes(JoinPath(deeper, "T20240201.log"))),
              std::vector<std::string>{"[00:00:01.000]|" + ThreadPart() + "[Error]|found"});
}

TEST_F(LogWriterTest, OutputSelectionChoosesStandardOutputAndFile) {
    const struct {
        int output;
        bool toStdout;
        bool toFile;
    } cases[] = {{2, false, true}, {1, true, false}, {3, true, true}, {0, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "output " << c.output);
        TempDir own;
        CLogWriter w;
        w.SetLogDir(own.Path());
        w.SetLogName("T");
        w.SetOutput(c.output);
        w.SetClockForTests(&FakeClock);
        ::testing::internal::CaptureStdout();
        w.LogWrite(LOG_INFO, __FILE__, __LINE__, "Test", "out");
        const std::string printed = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(printed.find("[Info]|out") != std::string::npos, c.toStdout);
        EXPECT_EQ(FileExists(own.File("T20240131.log")), c.toFile);
    }
}

TEST_F(LogWriterTest, ConcurrentWritersNeverTearALine) {
    const int kThreads = 4;
    const int kLinesEach = 400;
    const std::string padding(100, '.');
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kLinesEach; ++i) {
                writer.LogWrite(LOG_TRACE, __FILE__, __LINE__, "Test", "t%d n%d %s", t, i, padding.c_str());
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }

    std::set<std::string> seen;
    for (const std::string& line : SplitLines(ReadFileBytes(DayFile("20240131")))) {
        const size_t message = line.find("[Trace]|");
        ASSERT_NE(message, std::string::npos) << line;
        ASSERT_EQ(line.substr(0, 16), "[09:05:03.042]|[") << line;
        const std::string body = line.substr(message + 8);
        ASSERT_EQ(body.substr(body.size() - padding.size()), padding) << line;
        seen.insert(body);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kLinesEach));
}

}  // namespace
