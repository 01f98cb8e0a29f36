// Which selected entries the registrations read again now cover, on a plain
// path map as the engine's load leaves it ("FALSE" a package, "TRUE" a folder
// holding one), matched as the scan matches.
#include "ToolKit/Trevand/Trevand/Unattended/RegisteredPaths.h"

#include <gtest/gtest.h>

namespace {

TEST(RegisteredPaths, CoversAPackageWhatHoldsOneAndWhatLiesInOne) {
    const GamePathMap paths = {
        {"E:\\Games", "TRUE"},          {"E:\\Games\\WoW", "FALSE"},
        {"E:\\Saves", "FALSE"},         {"E:\\PreDown", "FALSE"},
        {"E:\\Games\\誠", "TRUE"},      {"E:\\Games\\誠\\包", "FALSE"},
        // 誠 is D5 5C, its trail byte that of "\": split there, E:\Games\誠\其他
        // would seem to lie in this package.
        {"E:\\Games\\\xD5", "FALSE"},
        {"E:\\ＡＢ", "FALSE"},          // full-width Latin, which _mbsicmp folds
    };
    const CRegisteredPaths registered(paths);
    const struct {
        const char* path;
        bool covered;
    } cases[] = {
        {"E:\\Games\\WoW", true},              // a package itself
        {"e:\\games\\wow", true},              // in another case
        {"E:\\Games", true},                   // a folder that holds one
        {"E:\\Saves\\Old", true},              // inside a package
        {"E:\\Saves\\Old\\deep\\x.dat", true},
        {"E:\\Games\\WoW\\Data", true},
        {"E:\\PreDown\\x", true},
        {"E:\\Games\\誠\\包\\x", true},
        {"E:\\ａｂ\\x", true},
        {"E:\\Games\\Old", false},             // beside a package, in a folder that is only entered
        {"E:\\Games\\WoW2", false},            // a package's name as the start of its own
        {"E:\\SavesOld", false},
        {"E:\\Games\\誠\\其他", false},
        {"F:\\Saves\\Old", false},             // another disk
        {"E:\\old.txt", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.covered, registered.Covers(c.path)) << c.path;
}

TEST(RegisteredPaths, NothingRegisteredCoversNothing) {
    const GamePathMap none;
    const CRegisteredPaths registered(none);
    EXPECT_FALSE(registered.Covers("E:\\Games\\Old"));
    EXPECT_FALSE(registered.Covers("E:"));
}

}  // namespace
