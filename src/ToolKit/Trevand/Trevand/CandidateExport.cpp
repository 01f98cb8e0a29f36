#include "ToolKit/Trevand/Trevand/CandidateExport.h"

#include <cstdio>

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "comm/platform/CodePage.h"
#include "comm/platform/File.h"

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";
const char kLineEnd[] = "\r\n";

// A name that is not valid code page 936 (a stray byte on a damaged disk)
// still gets a line, its bytes above 0x7F shown as '?': the file must stay
// valid UTF-8 whatever one name holds.
std::string ToUtf8(const std::string& text) {
    std::string utf8;
    if (platform::CodePage936ToUtf8(text, &utf8)) return utf8;
    utf8 = text;
    for (char& c : utf8) {
        if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    }
    return utf8;
}

void AppendLine(std::string& csv, const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i) csv += ',';
        csv += CsvField(texts[i]);
    }
    csv += kLineEnd;
}

// Whether a spreadsheet would take a field beginning so for a formula and
// run it: a name on disk can begin with any of these.
bool StartsAFormula(const std::string& field) {
    return !field.empty() && std::string("=+-@\t\r").find(field[0]) != std::string::npos;
}

}  // namespace

std::string CsvField(const std::string& text) {
    std::string utf8 = ToUtf8(text);
    // A spreadsheet reads what follows an apostrophe as text and hides the
    // apostrophe itself.
    if (StartsAFormula(utf8)) utf8.insert(0, 1, '\'');
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string CsvText(const std::vector<std::vector<std::string>>& lines) {
    std::string csv = kUtf8Bom;
    for (const std::vector<std::string>& line : lines) AppendLine(csv, line);
    return csv;
}

std::string CandidateCsv(const std::vector<TListedCandidate>& rows) {
    std::vector<std::vector<std::string>> lines;
    lines.reserve(rows.size() + 1);
    lines.push_back({"名称", "路径", "类型", "大小（字节）", "修改时间", "勾选"});
    for (const TListedCandidate& row : rows) {
        // A size read only in part keeps its "+", as in the list: it must
        // not pass for the whole in a spreadsheet either.
        const std::string size =
            row.bSizeKnown ? std::to_string(row.nSize) + (row.bSizePartial ? "+" : "") : std::string();
        lines.push_back({row.strName, row.strPath, KindText(row.bDir), size, FormatModifiedTime(row.nModified),
                         row.bChecked ? "是" : "否"});
    }
    return CsvText(lines);
}

std::string CandidateCsvName(char drive, const platform::LocalTime& when) {
    char name[64];
    std::snprintf(name, sizeof(name), "候选_%c_%04u%02u%02u_%02u%02u%02u.csv", drive, when.year, when.month, when.day,
                  when.hour, when.minute, when.second);
    return name;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    platform::AppendFile file;
    if (!file.Open(path)) return false;
    // A file of the same name (an export in the same second) is replaced.
    return file.Truncate() && file.WriteAndFlush(bytes.data(), bytes.size());
}
