// The log folder from the executable's name as the platform call returns it.
#include "ToolKit/Trevand/Trevand/LogFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A full path of exactly `length` characters ending in "\Trevand.exe".
std::string PathOfLength(size_t length) {
    const std::string file = "\\Trevand.exe";
    return "C:" + std::string(length - 2 - file.size(), 'a') + file;
}

TEST(LogFolder, BesideTheExecutableOrAtTheDriveRootNeverInTheCurrentFolder) {
    const std::string longest = PathOfLength(kModuleNameSize - 1);
    const std::string cut = PathOfLength(kModuleNameSize + 40).substr(0, kModuleNameSize - 1);
    const struct {
        const char* what;
        std::string name;      // what the buffer holds
        unsigned long length;  // what the call returned
        std::string folder;
    } cases[] = {
        {"the call failed", "", 0, "\\log\\"},
        {"a usual path", "C:\\Cafe\\Trevand.exe", 19, "C:\\Cafe\\log\\"},
        {"at a drive root", "C:\\Trevand.exe", 14, "C:\\log\\"},
        {"a network path", "\\\\server\\share\\Trevand.exe", 26, "\\\\server\\share\\log\\"},
        {"the longest name that fits", longest, kModuleNameSize - 1, longest.substr(0, longest.size() - 12) + "\\log\\"},
        // The name was cut to fit: its folder may be another one.
        {"cut at the buffer's size", cut, kModuleNameSize, "\\log\\"},
        {"a result past the buffer", cut, kModuleNameSize + 1, "\\log\\"},
        {"a cut name that still holds a backslash", "C:\\Cafe\\Trevand.exe", kModuleNameSize, "\\log\\"},
        {"a name without a backslash", "Trevand.exe", 11, "\\log\\"},
        // 誠 is D5 5C: its trail byte is no backslash.
        {"an executable named 誠", "C:\\Cafe\\\xD5\x5C.exe", 14, "C:\\Cafe\\log\\"},
        {"a folder named 誠", "C:\\\xD5\x5C\\Trevand.exe", 17, "C:\\\xD5\x5C\\log\\"},
        {"誠 and no backslash", "\xD5\x5C.exe", 6, "\\log\\"},
        // Only what the call returned is read.
        {"bytes past the result", "C:\\Cafe\\Trevand.exe\\x", 19, "C:\\Cafe\\log\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Padded to the buffer's size, as the call's buffer is.
        std::string buffer = c.name;
        buffer.resize(std::max<size_t>(buffer.size(), kModuleNameSize + 64), '\0');
        EXPECT_EQ(c.folder, LogFolderOfModuleName(buffer.data(), c.length));
    }
}

}  // namespace
