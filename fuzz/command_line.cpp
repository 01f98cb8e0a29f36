// The command line of a run without a window, as the Task Scheduler or a
// script hands it over: split into words, then read as switches.
//
// Checked beyond "no crash": the words come back the same when written again
// the way the runtime reads them, and what the switches are read into obeys
// the rules ParseUnattendedArgs states.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Require.h"
#include "ToolKit/Trevand/Trevand/Unattended/CommandLine.h"
#include "comm/platform/CharNext936.h"

namespace {

// `word` in double quotes, its backslashes doubled before a quote and at the
// end and its quotes escaped, so that the split gives it back. Characters
// are stepped over whole, as the split steps over them.
std::string Quoted(const std::string& word) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char* p = word.c_str(); *p;) {
        const char* next = platform::CharNext936(p);
        if (next - p == 1 && *p == '\\') {
            ++backslashes;
        } else {
            if (next - p == 1 && *p == '"') quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted.append(p, next);
        p = next;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

// Whether `word` ends in a lead byte of its own: written before the closing
// quote it would take the quote as its trail byte.
bool EndsInLoneLeadByte(const std::string& word) {
    const char* last = nullptr;
    for (const char* p = word.c_str(); *p; p = platform::CharNext936(p)) last = p;
    if (last == nullptr) return false;
    const unsigned char c = static_cast<unsigned char>(*last);
    return c >= 0x81 && c <= 0xFE && last[1] == '\0';
}

void CheckSplit(const std::string& line, const std::vector<std::string>& words) {
    size_t bytes = 0;
    for (const std::string& word : words) {
        // Each word is read from the line (quotes and escapes only take away).
        FUZZ_REQUIRE(word.find('\0') == std::string::npos);
        bytes += word.size();
    }
    FUZZ_REQUIRE(bytes <= line.size());
    std::string again;
    for (const std::string& word : words) {
        if (EndsInLoneLeadByte(word)) return;
        again += (again.empty() ? "" : " ") + Quoted(word);
    }
    FUZZ_REQUIRE(SplitCommandLine(again) == words);
}

void CheckArgs(const std::vector<std::string>& words, bool ok, const TUnattendedArgs& args, const std::string& error) {
    using EMode = TUnattendedArgs::EMode;
    if (words.empty()) {
        FUZZ_REQUIRE(ok && args.mode == EMode::kInteractive);
        return;
    }
    if (!ok) {
        // A refusal always says why.
        FUZZ_REQUIRE(!error.empty());
        return;
    }
    FUZZ_REQUIRE(args.mode == EMode::kReport || args.mode == EMode::kQuarantine);
    FUZZ_REQUIRE(args.nRole == 1 || args.nRole == 2);
    FUZZ_REQUIRE(args.chDrive == 0 || (args.chDrive >= 'A' && args.chDrive <= 'Z'));
    FUZZ_REQUIRE(args.nMinSizeMB <= UINT32_MAX);
    if (args.mode == EMode::kReport) {
        // A report selects nothing: no switch of the policy was taken.
        FUZZ_REQUIRE(args.nOlderThanDays == 0 && args.nMinSizeMB == 0 && args.chDrive == 0 && !args.bDryRun);
    }
    // Every word is a switch or the value of the one before it.
    FUZZ_REQUIRE(words.size() <= 12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> words = SplitCommandLine(line);
    CheckSplit(line, words);
    TUnattendedArgs args;
    std::string error;
    const bool ok = ParseUnattendedArgs(words, &args, &error);
    CheckArgs(words, ok, args, error);
    return 0;
}
