// The main window's remembered settings on plain values: the window kept on
// a monitor that is there, and the numbers taken from the ini file.
#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

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

// The settings made of an ini file's values: each value the program cannot
// use gives its default, the others are kept.
TEST(SettingsFromValues, ValuesTheProgramCannotUseGiveTheirDefaults) {
    using Values = std::map<std::string, std::string>;  // "Section/Key" -> value
    const auto read = [](const Values& values) {
        return SettingsFromValues(
            [&values](const char* section, const char* key, size_t chars) {
                const auto found = values.find(std::string(section) + "/" + key);
                // As the ini reader gives it: at most the buffer less one.
                return found == values.end() ? std::string() : found->second.substr(0, chars - 1);
            },
            4);
    };
    const Values good = {{"Window/Left", "10"},  {"Window/Top", "20"},       {"Window/Right", "1090"},
                         {"Window/Bottom", "660"}, {"Window/Maximized", "1"}, {"List/SortColumn", "3"},
                         {"List/SortAscending", "0"}, {"Filter/Age", "2"},   {"Filter/Text", "Games"}};
    const TMainWindowSettings kept = read(good);
    EXPECT_TRUE(kept.bHasPlacement);
    EXPECT_EQ((TScreenRect{10, 20, 1090, 660}), kept.rcWindow);
    EXPECT_TRUE(kept.bMaximized);
    EXPECT_EQ(3, kept.order.nColumn);
    EXPECT_FALSE(kept.order.bAscending);
    EXPECT_EQ(2, kept.nAgeFilter);
    EXPECT_EQ("Games", kept.strTextFilter);

    const struct {
        const char* what;
        Values changes;
    } bad[] = {
        {"an edge missing", {{"Window/Top", ""}}},
        {"right of nothing", {{"Window/Right", "10"}}},
        {"bottom above top", {{"Window/Bottom", "19"}}},
        {"out of every range", {{"Window/Maximized", "2"}, {"List/SortColumn", "5"}, {"Filter/Age", "4"}}},
        {"not numbers", {{"List/SortAscending", "no"}, {"Filter/Age", "1.0"}}},
        // A text that filled its buffer may have been cut: not taken.
        {"a text as long as its buffer", {{"Filter/Text", std::string(1100, 'x')}}},
    };
    for (const auto& c : bad) {
        SCOPED_TRACE(c.what);
        Values values = good;
        for (const auto& change : c.changes) values[change.first] = change.second;
        const TMainWindowSettings settings = read(values);
        const bool edges = c.changes.count("Window/Left") + c.changes.count("Window/Top") +
                               c.changes.count("Window/Right") + c.changes.count("Window/Bottom") !=
                           0;
        EXPECT_EQ(!edges, settings.bHasPlacement);
        EXPECT_EQ(c.changes.count("Window/Maximized") == 0, settings.bMaximized);
        EXPECT_EQ(c.changes.count("List/SortColumn") ? -1 : 3, settings.order.nColumn);
        EXPECT_EQ(c.changes.count("List/SortAscending") != 0, settings.order.bAscending);
        EXPECT_EQ(c.changes.count("Filter/Age") ? 0 : 2, settings.nAgeFilter);
        EXPECT_EQ(c.changes.count("Filter/Text") ? "" : "Games", settings.strTextFilter);
    }
}

}  // namespace
