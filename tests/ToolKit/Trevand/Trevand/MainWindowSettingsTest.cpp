// The main window's remembered settings on plain values: the window kept on
// a monitor that is there, and the numbers taken from the ini file.
#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(PlaceOnWorkAreas, KeepsTheWindowWhollyOnAMonitorThatIsThere) {
    const TScreenRect primary{0, 0, 1280, 760};       // 1280x800 less a taskbar
    const TScreenRect right{1280, -200, 3200, 880};   // a second monitor, higher up
    const std::vector<TScreenRect> both = {primary, right};
    const struct {
        const char* what;
        TScreenRect saved;
        std::vector<TScreenRect> areas;
        TScreenRect placed;
    } cases[] = {
        {"inside the primary", {100, 50, 1220, 690}, both, {100, 50, 1220, 690}},
        {"mostly on the second: moved inside it", {1200, -300, 2320, 340}, both, {1280, -200, 2400, 440}},
        {"on a monitor since unplugged: onto the primary", {3400, 100, 4520, 740}, {primary}, {160, 100, 1280, 740}},
        {"far above everything", {100, -5000, 1220, -4360}, both, {100, 0, 1220, 640}},
        {"larger than the monitor: shrunk to it", {-50, -50, 2000, 1400}, {primary}, {0, 0, 1280, 760}},
        {"smaller than the smallest size: grown", {10, 10, 200, 100}, {primary}, {10, 10, 1090, 430}},
        {"no monitor known: as saved", {10, 10, 200, 100}, {}, {10, 10, 200, 100}},
        // Edges from a hand-edited ini file may lie further apart than an int
        // reaches.
        {"edges a whole int apart: shrunk to the monitor", {-2000000000, 0, 2000000000, 600}, {primary}, {0, 0, 1280, 600}},
        {"as far left as an int goes", {INT_MIN + 1, 100, INT_MIN + 1200, 740}, both, {0, 100, 1199, 740}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.placed, PlaceOnWorkAreas(c.saved, c.areas, 1080, 420)) << c.what;
}

TEST(ParseSettingNumber, TakesWholeNumbersInRangeAndNothingElse) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"0", 0},   {"4", 4},     {"-1", -1}, {"5", 99},  {"-2", 99}, {"", 99},      {"-", 99},
        {"1.5", 99}, {"+1", 99},  {" 1", 99}, {"1x", 99}, {"0x1", 99}, {"99999999999", 99},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value, ParseSettingNumber(c.text, -1, 4, 99)) << c.text;
    EXPECT_EQ(INT_MAX, ParseSettingNumber("2147483647", INT_MIN + 1, INT_MAX, 0));
    EXPECT_EQ(0, ParseSettingNumber("2147483648", INT_MIN + 1, INT_MAX, 0));
    EXPECT_EQ(-2147483647, ParseSettingNumber("-2147483647", INT_MIN + 1, INT_MAX, 0));
}

}  // namespace
