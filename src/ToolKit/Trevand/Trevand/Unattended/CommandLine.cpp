#include "ToolKit/Trevand/Trevand/Unattended/CommandLine.h"

#include <cstring>
#include <limits>

#include "comm/platform/AsciiCase.h"
#include "comm/platform/CharNext936.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The backslashes starting at `p` and what follows them, read the runtime's
// way; appends to *word and returns where reading goes on. *quoted toggles
// when the run ends at a quote that is not escaped.
const char* TakeBackslashes(const char* p, std::string* word, bool* quoted) {
    size_t count = 0;
    while (p[count] == '\\') ++count;
    if (p[count] != '"') {
        word->append(count, '\\');
        return p + count;
    }
    word->append(count / 2, '\\');
    if (count % 2 == 1) {
        word->push_back('"');
    } else {
        *quoted = !*quoted;
    }
    return p + count + 1;
}

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = platform::ToUpperAscii(c);
    return upper;
}

// A whole non-negative number of digits only, within 32 bits.
bool ReadWholeNumber(const std::string& text, uint32_t* value) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    if (number > std::numeric_limits<uint32_t>::max()) return false;
    *value = static_cast<uint32_t>(number);
    return true;
}

bool ReadDrive(const std::string& text, char* drive) {
    const char letter = platform::ToUpperAscii(text.empty() ? '\0' : text[0]);
    if (letter < 'A' || letter > 'Z') return false;
    if (text.size() == 1 || text == std::string(1, text[0]) + ":" || text == std::string(1, text[0]) + ":\\") {
        *drive = letter;
        return true;
    }
    return false;
}

bool Refuse(std::string* error, const std::string& reason) {
    *error = reason;
    return false;
}

// What each switch has been given so far, to refuse repeats.
struct TSeen {
    bool role = false, out = false, olderThan = false, minSize = false, drive = false, dryRun = false;
};

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> words;
    const char* p = line.c_str();
    for (;;) {
        while (IsBlank(*p)) ++p;
        if (*p == '\0') return words;
        std::string word;
        bool quoted = false;
        while (*p != '\0' && (quoted || !IsBlank(*p))) {
            if (*p == '\\') {
                p = TakeBackslashes(p, &word, &quoted);
            } else if (*p == '"') {
                quoted = !quoted;
                ++p;
            } else {
                const char* next = platform::CharNext936(p);
                word.append(p, next);
                p = next;
            }
        }
        words.push_back(word);
    }
}

bool ParseUnattendedArgs(const std::vector<std::string>& words, TUnattendedArgs* args, std::string* error) {
    *args = TUnattendedArgs();
    if (words.empty()) return true;
    TSeen seen;
    bool anyPolicy = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string name = Upper(words[i]);
        const bool hasValue = i + 1 < words.size();
        const std::string value = hasValue ? words[i + 1] : std::string();
        if (name == "/REPORT" || name == "/QUARANTINE") {
            if (args->mode != TUnattendedArgs::EMode::kInteractive) return Refuse(error, "只能给出 /report 或 /quarantine 其中之一");
            args->mode = name == "/REPORT" ? TUnattendedArgs::EMode::kReport : TUnattendedArgs::EMode::kQuarantine;
        } else if (name == "/DRY-RUN") {
            if (seen.dryRun) return Refuse(error, "开关 /dry-run 重复");
            seen.dryRun = anyPolicy = args->bDryRun = true;
        } else if (name == "/ROLE" || name == "/OUT" || name == "/OLDER-THAN" || name == "/MIN-SIZE" || name == "/DRIVE") {
            if (!hasValue) return Refuse(error, "开关 " + words[i] + " 缺少取值");
            ++i;
            if (name == "/ROLE") {
                if (seen.role) return Refuse(error, "开关 /role 重复");
                seen.role = true;
                const std::string role = Upper(value);
                if (role == "MASTER") args->nRole = 1;
                else if (role == "SECONDARY") args->nRole = 2;
                else return Refuse(error, "/role 只能是 master 或 secondary：" + value);
            } else if (name == "/OUT") {
                if (seen.out) return Refuse(error, "开关 /out 重复");
                if (value.empty()) return Refuse(error, "/out 的目录为空");
                seen.out = true;
                args->strOut = value;
            } else if (name == "/OLDER-THAN") {
                if (seen.olderThan) return Refuse(error, "开关 /older-than 重复");
                if (!ReadWholeNumber(value, &args->nOlderThanDays))
                    return Refuse(error, "/older-than 需要不小于 0 的整数天数：" + value);
                seen.olderThan = anyPolicy = true;
            } else if (name == "/MIN-SIZE") {
                uint32_t megabytes = 0;
                if (seen.minSize) return Refuse(error, "开关 /min-size 重复");
                if (!ReadWholeNumber(value, &megabytes))
                    return Refuse(error, "/min-size 需要不小于 0 的整数（MB）：" + value);
                args->nMinSizeMB = megabytes;
                seen.minSize = anyPolicy = true;
            } else {
                if (seen.drive) return Refuse(error, "开关 /drive 重复");
                if (!ReadDrive(value, &args->chDrive)) return Refuse(error, "/drive 需要一个盘符（如 E）：" + value);
                seen.drive = anyPolicy = true;
            }
        } else {
            return Refuse(error, "无法识别的参数：" + words[i]);
        }
    }
    if (args->mode == TUnattendedArgs::EMode::kInteractive) return Refuse(error, "需要 /report 或 /quarantine");
    if (!seen.role) return Refuse(error, "缺少 /role master 或 /role secondary");
    if (args->mode == TUnattendedArgs::EMode::kReport && anyPolicy)
        return Refuse(error, "/older-than、/min-size、/drive、/dry-run 只用于 /quarantine");
    if (args->mode == TUnattendedArgs::EMode::kQuarantine && !seen.olderThan)
        return Refuse(error, "/quarantine 需要 /older-than <天数>");
    return true;
}

const char* UnattendedUsage() {
    return "用法：\r\n"
           "  Trevand.exe /report /role master|secondary [/out <目录>]\r\n"
           "  Trevand.exe /quarantine /role master|secondary /older-than <天数> [/min-size <MB>]\r\n"
           "              [/drive <盘符>] [/dry-run] [/out <目录>]\r\n"
           "退出码：0 完成，1 参数错误，2 加载失败，3 另一个 Trevand 正在运行，4 报告无法写入，5 有项目未能隔离\r\n";
}
