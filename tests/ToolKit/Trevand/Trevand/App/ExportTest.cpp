// "导出": the drive's candidate list as a CSV file, read back and compared
// field by field, and the message box that says where it went or that it
// could not be written.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "BoxAnswer.h"
#include "OperatorFixture.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "support/TempDir.h"

namespace apptest {
namespace {

using Record = std::vector<std::string>;

// RFC 4180 as a spreadsheet reads it: fields split at commas, a quoted field
// may hold commas, line breaks and doubled quotes; records end with CR LF.
// Sets *ok to false on anything malformed.
std::vector<Record> ParseCsv(const std::string& text, bool* ok) {
    std::vector<Record> records;
    Record record;
    std::string field;
    size_t i = 0;
    *ok = true;
    while (i < text.size()) {
        if (text[i] == '"') {
            for (++i;; ++i) {
                if (i >= text.size()) return *ok = false, records;
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        ++i;
                    } else {
                        ++i;
                        break;
                    }
                } else {
                    field += text[i];
                }
            }
        }
        while (i < text.size() && text[i] != ',' && text[i] != '\r') {
            if (text[i] == '"' || text[i] == '\n') return *ok = false, records;
            field += text[i++];
        }
        record.push_back(field);
        field.clear();
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        if (text.compare(i, 2, "\r\n") != 0) return *ok = false, records;
        i += 2;
        records.push_back(record);
        record.clear();
    }
    return records;
}

// A name that no Windows disk can hold (a double quote), put into the
// engine's candidates as a scan of a damaged disk might report it.
const char kQuoted[] = "E:\\say \"hi\", twice.txt";

class Export : public OperatorView {
protected:
    // Puts a file into the engine's candidates as a scan might report it.
    void AddCandidate(const std::string& name, const std::string& path, uint64_t size) {
        UnLoadPathInfo info;
        info.strName = name;
        info.strPath = path;
        info.nSize = size;
        info.nModified = kTimeComma;
        Main()->EngineForTests()->m_mapUnLoadPath[info.strPath] = info;
    }
    void StartWithExtras() {
        StartSized();
        AddCandidate("say \"hi\", twice.txt", kQuoted, 42);
        ASSERT_TRUE(Main()->RefreshList(false));
        ASSERT_TRUE(WaitForSizes());
        Main()->SetExportFolder(m_out.Path() + "\\");
    }
    // Clicks "导出", answers the box with its OK button and returns its text.
    std::string ExportByClick() {
        BoxAnswer::Arm(Answer::kYes);
        Click(Main(), "BtnExport");
        windowtest::PumpUntil([] { return BoxAnswer::s_seen; }, 3000);
        BoxAnswer::Disarm();
        windowtest::PumpPending();
        return BoxAnswer::s_text;
    }
    // Names of the files in the output folder.
    std::vector<std::string> OutputFiles() {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((m_out.Path() + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
        return names;
    }

    testsupport::TempDir m_out;
};

TEST_F(Export, ButtonWritesTheListInItsShownOrderAsUtf8Csv) {
    StartWithExtras();
    ClickTick(kOld);
    ClickTick(kQuoted);
    ClickHeader(3);  // by size: the file follows the order on screen
    const std::string text = ExportByClick();

    const std::vector<std::string> files = OutputFiles();
    ASSERT_EQ(1u, files.size());
    const std::string& name = files[0];
    // 候选_E_YYYYMMDD_HHMMSS.csv
    ASSERT_EQ(std::string("候选_E_").size() + 15 + 4, name.size()) << name;
    EXPECT_EQ(0u, name.find("候选_E_"));
    EXPECT_EQ(".csv", name.substr(name.size() - 4));
    const std::string stamp = name.substr(std::string("候选_E_").size(), 15);
    EXPECT_EQ('_', stamp[8]);
    EXPECT_EQ(stamp.substr(0, 8).find_first_not_of("0123456789"), std::string::npos) << stamp;
    const std::string path = m_out.Path() + "\\" + name;
    EXPECT_EQ("候选列表已导出到：" + path, text);

    const std::string bytes = testsupport::ReadFileBytes(path);
    ASSERT_EQ(0u, bytes.find("\xEF\xBB\xBF")) << "no byte order mark";
    bool ok = false;
    const std::vector<Record> records = ParseCsv(bytes.substr(3), &ok);
    ASSERT_TRUE(ok);
    // Expected texts written in UTF-8 here, not taken from the program.
    const std::vector<Record> expected = {
        {u8"名称", u8"路径", u8"类型", u8"大小（字节）", u8"修改时间", u8"勾选"},
        {"Empty", "E:\\Games\\Empty", u8"目录", "0", FormatModifiedTime(kTimeEmpty), u8"否"},
        {"a,b.txt", "E:\\Games\\a,b.txt", u8"文件", "10", FormatModifiedTime(kTimeComma), u8"否"},
        {"say \"hi\", twice.txt", "E:\\say \"hi\", twice.txt", u8"文件", "42", FormatModifiedTime(kTimeComma), u8"是"},
        {"note.txt", "E:\\note.txt", u8"文件", "1536", FormatModifiedTime(kTimeNote), u8"否"},
        {"tie.txt", "E:\\tie.txt", u8"文件", "1536", FormatModifiedTime(kTimeNote), u8"否"},
        {"Old", "E:\\Games\\Old", u8"目录", "4000", FormatModifiedTime(kTimeOld), u8"是"},
        {u8"旧版本", u8"E:\\Games\\单机游戏\\旧版本", u8"目录", "700000", FormatModifiedTime(kTimeOldVersion), u8"否"},
        {"big.iso", "E:\\Games\\big.iso", u8"文件", "5368709243", FormatModifiedTime(kTimeBig), u8"否"},
    };
    ASSERT_EQ(expected.size(), records.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i], records[i]);
    }
    // The quoting itself, byte for byte.
    EXPECT_NE(std::string::npos, bytes.find("\r\n\"a,b.txt\",\"E:\\Games\\a,b.txt\","));
    EXPECT_NE(std::string::npos, bytes.find("\r\n\"say \"\"hi\"\", twice.txt\","));
}

TEST_F(Export, NamesASpreadsheetWouldRunAsFormulasAreWrittenAsText) {
    StartSized();
    for (const char* name : {"=cmd.txt", "-x", "@y", "+z"}) AddCandidate(name, std::string("E:\\") + name, 7);
    ASSERT_TRUE(Main()->RefreshList(false));
    ASSERT_TRUE(WaitForSizes());
    Main()->SetExportFolder(m_out.Path() + "\\");
    ExportByClick();

    const std::vector<std::string> files = OutputFiles();
    ASSERT_EQ(1u, files.size());
    const std::string bytes = testsupport::ReadFileBytes(m_out.Path() + "\\" + files[0]);
    bool ok = false;
    const std::vector<Record> records = ParseCsv(bytes.substr(3), &ok);
    ASSERT_TRUE(ok);
    for (const char* name : {"=cmd.txt", "-x", "@y", "+z"}) {
        SCOPED_TRACE(name);
        const Record expected = {
            std::string("'") + name, std::string("E:\\") + name, u8"文件", "7", FormatModifiedTime(kTimeComma), u8"否"};
        EXPECT_EQ(1, std::count(records.begin(), records.end(), expected));
        // Byte for byte: the apostrophe, then the name as it is, unquoted.
        EXPECT_NE(std::string::npos, bytes.find("\r\n'" + std::string(name) + ",E:\\" + name + ","));
    }
}

TEST_F(Export, FolderThatCannotBeWrittenSaysSoAndLogs) {
    StartWithExtras();
    const std::string folder = m_out.Path() + "\\missing\\";
    Main()->SetExportFolder(folder);
    const std::string text = ExportByClick();
    const std::string prefix = "候选列表导出失败，无法写入文件：" + folder + "候选_E_";
    EXPECT_EQ(0u, text.find(prefix)) << text;
    EXPECT_TRUE(OutputFiles().empty());
    bool logged = false;
    for (const std::string& line : m_log.Lines())
        logged |= line.find("[Error]") == 0 && line.find(folder + "候选_E_") != std::string::npos;
    EXPECT_TRUE(logged);
}

}  // namespace
}  // namespace apptest
