#include "comm/log/LastErrorLog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "comm/platform/LastError.h"
#include "support/LogCapture.h"

namespace {

// Fails a real call, so the code logged is one the system actually set.
unsigned long FailAnOpen() {
    std::FILE* file = std::fopen("no-such-folder-here/no-such-file", "rb");
    EXPECT_EQ(nullptr, file);
    if (file) std::fclose(file);
    return platform::LastErrorCode();
}

TEST(LastErrorLogTest, NamesTheCallItsSubjectAndTheCodeAndReturnsFalse) {
    const struct {
        const char* subject;
        const char* expected;  // %lu: the code
    } cases[] = {
        {"a.png", "[Error]|fopen failed for a.png, error %lu"},
        {nullptr, "[Error]|fopen failed, error %lu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        testsupport::LogCapture log;
        const unsigned long code = FailAnOpen();
        ASSERT_NE(0ul, code);
        EXPECT_FALSE(LogLastError("fopen", c.subject));
        char expected[128];
        std::snprintf(expected, sizeof(expected), c.expected, code);
        EXPECT_EQ(std::vector<std::string>{expected}, log.Lines());
    }
}

}  // namespace
