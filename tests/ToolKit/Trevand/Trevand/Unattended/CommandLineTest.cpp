// The unattended switches on plain texts: how a command line splits into
// words, and which words are a run and which are refused before anything
// is loaded.
#include "ToolKit/Trevand/Trevand/Unattended/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, SplitsAsTheRuntimeSplitsArgv) {
    const struct {
        const char* line;
        Words words;
    } cases[] = {
        {"", {}},
        {"  \t ", {}},
        {"/report /role master", {"/report", "/role", "master"}},
        {"/out \"D:\\Trevand reports\" /x", {"/out", "D:\\Trevand reports", "/x"}},
        {"/out D:\\a\\b\\", {"/out", "D:\\a\\b\\"}},
        // 2n backslashes before a quote: n of them, the quote toggles.
        {"/out \"D:\\a\\\\\" /x", {"/out", "D:\\a\\", "/x"}},
        // 2n+1: n of them and a literal quote (a quoted path ending in one
        // backslash runs on, as in every Windows program).
        {"\"a\\\"b c\" d", {"a\"b c", "d"}},
        {"\"\" x", {"", "x"}},
        {"ab\"c d\"e", {"abc de"}},
        // 誠 is D5 5C: its trail byte is that of "\" and must not escape the
        // quote after it.
        {"/out \"D:\\誠\" /x", {"/out", "D:\\誠", "/x"}},
        {"/out D:\\誠\\ /x", {"/out", "D:\\誠\\", "/x"}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.words, SplitCommandLine(c.line)) << c.line;
}

TEST(ParseUnattendedArgs, ReadsEachRunItAccepts) {
    TUnattendedArgs args;
    std::string error;
    ASSERT_TRUE(ParseUnattendedArgs({}, &args, &error));
    EXPECT_EQ(TUnattendedArgs::EMode::kInteractive, args.mode);

    ASSERT_TRUE(ParseUnattendedArgs({"/REPORT", "/Role", "Secondary", "/out", "\\\\nas\\r"}, &args, &error)) << error;
    EXPECT_EQ(TUnattendedArgs::EMode::kReport, args.mode);
    EXPECT_EQ(2, args.nRole);
    EXPECT_EQ("\\\\nas\\r", args.strOut);

    ASSERT_TRUE(ParseUnattendedArgs({"/quarantine", "/role", "master", "/older-than", "0"}, &args, &error)) << error;
    EXPECT_EQ(TUnattendedArgs::EMode::kQuarantine, args.mode);
    EXPECT_EQ(1, args.nRole);
    EXPECT_EQ(0u, args.nOlderThanDays);
    EXPECT_EQ(0u, args.nMinSizeMB);
    EXPECT_EQ(0, args.chDrive);
    EXPECT_FALSE(args.bDryRun);

    ASSERT_TRUE(ParseUnattendedArgs({"/dry-run", "/drive", "f:\\", "/min-size", "4294967295", "/older-than", "90",
                                     "/role", "master", "/quarantine"},
                                    &args, &error))
        << error;
    EXPECT_EQ(90u, args.nOlderThanDays);
    EXPECT_EQ(4294967295u, args.nMinSizeMB);
    EXPECT_EQ('F', args.chDrive);
    EXPECT_TRUE(args.bDryRun);
    for (const char* drive : {"e", "E:", "e:\\"}) {
        ASSERT_TRUE(ParseUnattendedArgs({"/quarantine", "/role", "master", "/older-than", "1", "/drive", drive}, &args,
                                        &error));
        EXPECT_EQ('E', args.chDrive) << drive;
    }
}

TEST(ParseUnattendedArgs, RefusesEverythingElseWithAReason) {
    const Words report = {"/report", "/role", "master"};
    const Words policy = {"/quarantine", "/role", "master", "/older-than", "30"};
    auto with = [](Words words, const Words& more) {
        words.insert(words.end(), more.begin(), more.end());
        return words;
    };
    const struct {
        Words words;
        const char* reason;  // a part of the error text
    } cases[] = {
        {{"/role", "master"}, "需要 /report 或 /quarantine"},
        {{"/report"}, "缺少 /role"},
        {{"/report", "/quarantine", "/role", "master"}, "其中之一"},
        {with(report, {"/report"}), "其中之一"},
        {{"/report", "/role", "main"}, "master 或 secondary"},
        {{"/report", "/role"}, "缺少取值"},
        {with(report, {"/role", "master"}), "/role 重复"},
        {with(report, {"/verbose"}), "无法识别的参数：/verbose"},
        {with(report, {"report"}), "无法识别的参数：report"},
        {with(report, {"-out", "x"}), "无法识别的参数：-out"},
        {with(report, {"/out", ""}), "为空"},
        {with(report, {"/older-than", "3"}), "只用于 /quarantine"},
        {with(report, {"/dry-run"}), "只用于 /quarantine"},
        {with(report, {"/drive", "E"}), "只用于 /quarantine"},
        {{"/quarantine", "/role", "master"}, "需要 /older-than"},
        {with(policy, {"/older-than", "3"}), "/older-than 重复"},
        {with(policy, {"/dry-run", "/dry-run"}), "/dry-run 重复"},
        {with(policy, {"/drive", "E", "/drive", "F"}), "/drive 重复"},
        {{"/quarantine", "/role", "master", "/older-than", "-1"}, "整数天数：-1"},
        {{"/quarantine", "/role", "master", "/older-than", "+1"}, "整数天数"},
        {{"/quarantine", "/role", "master", "/older-than", "1.5"}, "整数天数"},
        {{"/quarantine", "/role", "master", "/older-than", "30d"}, "整数天数"},
        {{"/quarantine", "/role", "master", "/older-than", ""}, "整数天数"},
        {{"/quarantine", "/role", "master", "/older-than", "4294967296"}, "整数天数"},
        {{"/quarantine", "/role", "master", "/older-than", "99999999999999999999"}, "整数天数"},
        {{"/quarantine", "/role", "master", "/older-than"}, "缺少取值"},
        {with(policy, {"/min-size", "0x10"}), "整数（MB）"},
        {with(policy, {"/min-size", " 5"}), "整数（MB）"},
        {with(policy, {"/drive", "EF"}), "盘符"},
        {with(policy, {"/drive", "1"}), "盘符"},
        {with(policy, {"/drive", "E:\\Games"}), "盘符"},
        {with(policy, {"/drive", ""}), "盘符"},
    };
    for (const auto& c : cases) {
        TUnattendedArgs args;
        std::string error;
        std::string line;
        for (const std::string& word : c.words) line += word + " ";
        EXPECT_FALSE(ParseUnattendedArgs(c.words, &args, &error)) << line;
        EXPECT_NE(std::string::npos, error.find(c.reason)) << line << "→ " << error;
    }
}

}  // namespace
