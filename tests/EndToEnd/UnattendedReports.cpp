#include "UnattendedReports.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <ctime>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"

#include "comm/platform/CodePage.h"
#include "support/TempDir.h"

namespace unattendedtest {

std::vector<CsvLine> ReadCsv(const std::string& path) {
    std::string bytes = testsupport::ReadFileBytes(path);
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    std::vector<CsvLine> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        const std::string text = bytes.substr(start, end - start);
        start = end == std::string::npos ? bytes.size() : end + 2;
        CsvLine fields(1);
        bool quoted = false;
        for (size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"' && quoted && i + 1 < text.size() && text[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = !quoted;
            } else if (c == ',' && !quoted) {
                fields.emplace_back();
            } else {
                fields.back() += c;
            }
        }
        lines.push_back(fields);
    }
    return lines;
}

std::string Utf8(const std::string& gbk) {
    std::string utf8;
    EXPECT_TRUE(platform::CodePage936ToUtf8(gbk, &utf8)) << gbk;
    return utf8;
}

std::string ThisMachine() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof(name);
    GetComputerNameA(name, &length);
    return std::string(name, length);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::string ReportFile(const std::string& folder, const std::string& suffix) {
    std::string found;
    int count = 0;
    for (const std::string& name : FilesIn(folder)) {
        // "<MACHINE>_YYYYMMDD_HHMMSS<suffix>"
        if (name.size() == ThisMachine().size() + 16 + suffix.size() && name.compare(0, ThisMachine().size() + 1, ThisMachine() + "_") == 0 &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            found = folder + "\\" + name;
            ++count;
        }
    }
    return count == 1 ? found : std::string();
}

uint64_t BytesBelow(const testsupport::DiskListing& listing, const std::string& folder) {
    uint64_t bytes = 0;
    for (const auto& entry : listing) {
        if (testsupport::IsAtOrBelow(entry.first, folder) && entry.first != folder && !entry.second.link &&
            (entry.second.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            bytes += entry.second.size;
        }
    }
    return bytes;
}

Ages AgesNow() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const int64_t seconds =
        static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000000ULL) -
        11644473600LL;
    return {seconds - 200 * kDay, seconds - kDay};
}

testsupport::CafeDescription PolicyCafe() {
    using testsupport::CafeEntry;
    const Ages ages = AgesNow();
    testsupport::CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}};
    desc.packages = {{1, "E:\\Games\\WoW", 1, ""}, {2, "F:\\Games\\Moved", 1, ""}};
    desc.drives = {
        {'E',
         {{CafeEntry::kFile, "Games\\WoW\\wow.exe"},
          CafeEntry(CafeEntry::kFile, "Games\\Old\\old.exe").Modified(ages.old),
          CafeEntry(CafeEntry::kHiddenFile, "Games\\Old\\hidden.ini").Modified(ages.old),
          CafeEntry(CafeEntry::kReadOnlyFile, "Games\\Old\\誠\\誠.dat").Modified(ages.old),
          CafeEntry(CafeEntry::kFolder, "Games\\Old\\誠").Modified(ages.old),
          CafeEntry(CafeEntry::kFolder, "Games\\Old").Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "Games\\Live\\deep\\save.dat").Modified(ages.recent),
          CafeEntry(CafeEntry::kFolder, "Games\\Live\\deep").Modified(ages.old),
          CafeEntry(CafeEntry::kFolder, "Games\\Live").Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "big.dat").Size(3 * 1024 * 1024).Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "old.txt").Modified(ages.old),
          CafeEntry(CafeEntry::kFile, "new.txt").Modified(ages.recent)}},
        {'F', {{CafeEntry::kFile, "Games\\Moved\\m.exe"}, CafeEntry(CafeEntry::kFile, "x.dat").Modified(ages.old)}},
    };
    return desc;
}

std::string OnlyBatch(char drive) {
    std::vector<std::string> batches;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((std::string(1, drive) + ":\\TrevandQuarantine\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return std::string();
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") batches.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return batches.size() == 1 ? batches[0] : std::string();
}

std::vector<std::vector<std::string>> MovedPaths(const std::string& movesCsv) {
    std::vector<std::vector<std::string>> moves;
    const std::vector<CsvLine> lines = ReadCsv(movesCsv);
    for (size_t i = 1; i < lines.size(); ++i) moves.push_back({lines[i][0], lines[i][4]});
    return moves;
}

void StartsSince(char drive, int64_t since) {
    CQuarantineDisk disk(drive);
    uint32_t error = 0;
    ASSERT_TRUE(disk.Open(false, &error)) << error;
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    for (int64_t start = since; start < now; start += 20 * 86400) EXPECT_TRUE(disk.KeepTime(start, 7).bTrusted);
    EXPECT_TRUE(disk.KeepTime(now, 7).bTrusted);
}

}  // namespace unattendedtest
