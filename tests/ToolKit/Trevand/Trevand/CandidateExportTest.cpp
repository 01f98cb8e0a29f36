// The export's CSV text, made from plain candidate values.
#include "ToolKit/Trevand/Trevand/CandidateExport.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
