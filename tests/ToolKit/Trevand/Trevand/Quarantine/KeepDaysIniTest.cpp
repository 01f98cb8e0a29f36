// The KeepDays setting read from a real ini file, and the file written with
// the default when there is none.
#include <windows.h>

#include "QuarantineFixture.h"
#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"

namespace {

TEST(KeepDaysIni, AMissingFileIsWrittenWithTheDefaultAndAnExistingOneIsOnlyRead) {
    testsupport::LogCapture log;
    testsupport::TempDir dir;
    const std::string ini = dir.File("Trevand.ini");
    EXPECT_EQ(7, quarantine::ReadKeepDays(ini));
    EXPECT_EQ("[Quarantine]\r\nKeepDays=7\r\n", testsupport::ReadFileBytes(ini));

    const struct {
        const char* name;
        std::string text;
        int days;
    } cases[] = {
        {"zero", "[Quarantine]\r\nKeepDays=0\r\n", 0},
        {"blanks and quotes", "[quarantine]\r\nkeepdays = \"30\" \r\n", 30},
        {"not a number", "[Quarantine]\r\nKeepDays=abc\r\n", 7},
        {"negative", "[Quarantine]\r\nKeepDays=-2\r\n", 7},
        {"empty", "[Quarantine]\r\nKeepDays=\r\n", 7},
        {"no such key", "[Quarantine]\r\nOther=3\r\n", 7},
        {"no such section", "[Window]\r\nKeepDays=3\r\n", 7},
        // Too long for the buffer: cut, it would read as 0.
        {"a value too long to read whole", "[Quarantine]\r\nKeepDays=" + std::string(80, '0') + "5\r\n", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::WriteFileBytes(ini, c.text);
        EXPECT_EQ(c.days, quarantine::ReadKeepDays(ini));
        EXPECT_EQ(c.text, testsupport::ReadFileBytes(ini));
    }

    // A folder of that name: the default, and nothing written.
    const std::string folder = dir.File("Folder.ini");
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_EQ(7, quarantine::ReadKeepDays(folder));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY), ::GetFileAttributesA(folder.c_str()));
}

}  // namespace
