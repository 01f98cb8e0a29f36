// The export on plain candidate values: its CSV text byte for byte, the
// file name and the write that replaces an earlier file.
#include "ToolKit/Trevand/Trevand/CandidateExport.h"

#include <gtest/gtest.h>

#include <string>

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "support/TempDir.h"

namespace {

TEST(CsvField, TextsASpreadsheetWouldRunAsFormulasGetAnApostrophe) {
    // Inputs are code page 936, outputs UTF-8 as the file holds them.
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"+z", "'+z"},
        {"-x", "'-x"},
        {"@y", "'@y"},
        {"\tx", "'\tx"},
        {"-", "'-"},
        {"=誠.txt", u8"'=誠.txt"},  // a GBK name (誠: D5 5C)
        // Guarded first, then quoted as any field with these characters is.
        {"\rx", "\"'\rx\""},
        {"=a,b", "\"'=a,b\""},
        {"=\"x\"", "\"'=\"\"x\"\"\""},
        // Anything else stays byte for byte what the list shows.
        {"", ""},
        {"a=b", "a=b"},
        {" =x", " =x"},
        {"'x", "'x"},
        {"\n=x", "\"\n=x\""},
        {"E:\\Games\\=x", "E:\\Games\\=x"},
        {"1536", "1536"},
        {"单机游戏", u8"单机游戏"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(c.field, CsvField(c.text));
    }
}

TEST(CandidateCsv, SizeColumnIsEmptyWhileUnknownAndMarkedWhenReadInPart) {
    const struct {
        const char* name;
        bool known, partial;
        const char* size;
    } cases[] = {{"known", true, false, "300"}, {"read in part", true, true, "300+"}, {"unknown", false, false, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TListedCandidate row;
        row.strPath = "E:\\Deep";
        row.strName = "Deep";
        row.bDir = true;
        row.nSize = c.known ? 300 : 0;
        row.bSizeKnown = c.known;
        row.bSizePartial = c.partial;
        const std::string csv = CandidateCsv({row});
        // The row's line: name, path, kind, size, time, tick.
        const std::string line = csv.substr(csv.find("\r\n") + 2);
        const std::string head = std::string("Deep,E:\\Deep,") + u8"目录," + c.size + ",";
        EXPECT_EQ(head, line.substr(0, head.size()));
    }
}

TEST(CandidateCsv, ByteOrderMarkTitleLineThenOneCrLfLinePerRowAsGiven) {
    const int64_t kDecember = 1765375392, kSeptember = 1000000000;
    // path, name, folder, size, size known, read in part, modified; ticked
    const std::vector<TListedCandidate> rows = {
        {{"E:\\Games\\单机游戏\\旧版本", "旧版本", true, 700000, true, true, kDecember}, true},
        {{"E:\\a,b.txt", "a,b.txt", false, 4294967301, true, false, kSeptember}, false},  // beyond 32 bits
        {{"E:\\=1+2.txt", "=1+2.txt", false, 10, true, false, kSeptember}, false},
        {{"E:\\say \"hi\".txt", "say \"hi\".txt", false, 0, true, false, kDecember}, true},
        {{"E:\\Deep", "Deep", true, 0, false, false, 0}, false},
    };
    // The list's own time text; this machine's time zone decides it.
    const std::string december = FormatModifiedTime(kDecember), september = FormatModifiedTime(kSeptember);
    ASSERT_FALSE(december.empty());
    ASSERT_FALSE(september.empty());

    const std::string title = std::string("\xEF\xBB\xBF") + u8"名称,路径,类型,大小（字节）,修改时间,勾选\r\n";
    // Written in UTF-8 here, not taken from the program; the rows stay in the
    // order given, which is the list's.
    const std::string lines[] = {
        u8"旧版本,E:\\Games\\单机游戏\\旧版本,目录,700000+," + december + u8",是",
        u8"\"a,b.txt\",\"E:\\a,b.txt\",文件,4294967301," + september + u8",否",
        u8"'=1+2.txt,E:\\=1+2.txt,文件,10," + september + u8",否",
        u8"\"say \"\"hi\"\".txt\",\"E:\\say \"\"hi\"\".txt\",文件,0," + december + u8",是",
        u8"Deep,E:\\Deep,目录,,,否",
    };
    std::string expected = title;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(expected, CandidateCsv(rows));
    // A drive with no candidates still gets its title line.
    EXPECT_EQ(title, CandidateCsv({}));
}

TEST(CsvField, TextThatIsNotCodePage936KeepsItsFieldWithQuestionMarks) {
    // The file must stay valid UTF-8 whatever one name on a damaged disk holds.
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"ab\xB5", "ab?"},        // a lead byte with no trail byte
        {"\xB5\xA5\xB5", "???"},  // 单 and then a stray lead byte: the whole text goes
        {"=\xB5", "'=?"},         // still guarded
        {"\xB5,x", "\"?,x\""},    // still quoted
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.text)));
        EXPECT_EQ(c.field, CsvField(c.text));
    }
}

TEST(CandidateCsvName, DriveAndLocalTimeToTheSecondWithLeadingZeros) {
    const struct {
        char drive;
        platform::LocalTime when;  // year, month, day, hour, minute, second, millisecond
        const char* name;
    } cases[] = {
        {'E', {2026, 12, 10, 14, 3, 12, 999}, "候选_E_20261210_140312.csv"},
        {'D', {2026, 1, 2, 0, 0, 5, 0}, "候选_D_20260102_000005.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.name, CandidateCsvName(c.drive, c.when));
    }
}

TEST(WriteWholeFile, ReplacesAnEarlierFileAndFailsWhereTheFolderIsMissing) {
    testsupport::TempDir dir;
    const std::string path = dir.File("out.csv");
    ASSERT_TRUE(WriteWholeFile(path, "a longer first content\r\n"));
    // An export in the same second takes the same name.
    ASSERT_TRUE(WriteWholeFile(path, "second\r\n"));
    EXPECT_EQ("second\r\n", testsupport::ReadFileBytes(path));

    EXPECT_FALSE(WriteWholeFile(testsupport::JoinPath(dir.File("missing"), "out.csv"), "x"));
    EXPECT_FALSE(testsupport::FileExists(dir.File("missing")));
}

}  // namespace
