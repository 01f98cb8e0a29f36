// The values of Trevand.ini, which the operator (or anything else) may have
// edited: each read as the ini reader hands it over (at most the buffer's
// size less one, cut at a NUL), then taken by the same parsers the program
// uses, and the remembered window placed on a set of monitors.
//
// Checked beyond "no crash": every value that comes out is one the program
// can use, and the placed window lies wholly on a monitor.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "Require.h"
#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"
#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"
#include "ToolKit/Trevand/Trevand/RowFilter.h"
#include "ToolKit/Trevand/Trevand/WindowPlacement.h"

namespace {

// What GetPrivateProfileStringA gives for a value of `chars` characters of
// buffer: the text up to a NUL, at most chars - 1 of it.
std::string AsTheIniReaderGivesIt(std::string value, size_t chars) {
    value = value.substr(0, value.find('\0'));
    if (chars > 0 && value.size() > chars - 1) value.resize(chars - 1);
    return value;
}

// Monitors as the system reports them: a few real layouts, or work areas of
// any place and a size a screen can have.
std::vector<TScreenRect> WorkAreas(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return {};
    case 1: return {{0, 0, 1280, 760}};
    case 2: return {{0, 0, 1920, 1040}, {-2560, -400, 0, 1040}};
    default: break;
    }
    std::vector<TScreenRect> areas;
    const int count = input.ConsumeIntegralInRange<int>(1, 4);
    for (int i = 0; i < count; ++i) {
        TScreenRect area;
        area.left = input.ConsumeIntegralInRange<int>(-32768, 32767);
        area.top = input.ConsumeIntegralInRange<int>(-32768, 32767);
        area.right = area.left + input.ConsumeIntegralInRange<int>(1, 16384);
        area.bottom = area.top + input.ConsumeIntegralInRange<int>(1, 16384);
        areas.push_back(area);
    }
    return areas;
}

bool Inside(const TScreenRect& rect, const TScreenRect& area) {
    return rect.left >= area.left && rect.top >= area.top && rect.right <= area.right && rect.bottom <= area.bottom;
}

void CheckPlacement(const TMainWindowSettings& settings, FuzzedDataProvider& input) {
    const std::vector<TScreenRect> areas = WorkAreas(input);
    const int minWidth = input.ConsumeIntegralInRange<int>(0, 4096);
    const int minHeight = input.ConsumeIntegralInRange<int>(0, 4096);
    const TScreenRect placed = PlaceOnWorkAreas(settings.rcWindow, areas, minWidth, minHeight);
    if (areas.empty()) {
        FUZZ_REQUIRE(placed == settings.rcWindow);
        return;
    }
    bool onOne = false;
    for (const TScreenRect& area : areas) onOne = onOne || Inside(placed, area);
    FUZZ_REQUIRE(onOne);
    FUZZ_REQUIRE(placed.right > placed.left && placed.bottom > placed.top);
}

void CheckFilter(const TMainWindowSettings& settings, int64_t now) {
    const TRowFilter filter = MakeRowFilter(settings.strTextFilter, settings.nAgeFilter, now);
    FUZZ_REQUIRE(filter.strFoldedText.empty() == settings.strTextFilter.empty());
    TCandidateFacts row;
    row.strName = "Old";
    const std::string path = "E:\\GAMES\\OLD";
    // A row matches the filter text it holds whatever the case.
    if (!filter.strFoldedText.empty() && ContainsAtCharacter(path, filter.strFoldedText))
        FUZZ_REQUIRE(path.find(filter.strFoldedText) != std::string::npos);
    PassesRowFilter(row, path, filter);
    FUZZ_REQUIRE(ContainsAtCharacter(filter.strFoldedText, filter.strFoldedText) || filter.strFoldedText.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string keepDays = AsTheIniReaderGivesIt(input.ConsumeRandomLengthString(80), 64);
    const int days = quarantine::ParseKeepDays(keepDays);
    FUZZ_REQUIRE(days >= 0);
    if (keepDays.empty() || keepDays.find_first_not_of("0123456789") != std::string::npos)
        FUZZ_REQUIRE(days == quarantine::kDefaultKeepDays);

    const TMainWindowSettings settings = SettingsFromValues(
        [&input](const char*, const char*, size_t chars) {
            return AsTheIniReaderGivesIt(input.ConsumeRandomLengthString(chars + 8), chars);
        },
        kAgeFilterCount);
    if (settings.bHasPlacement)
        FUZZ_REQUIRE(settings.rcWindow.right > settings.rcWindow.left && settings.rcWindow.bottom > settings.rcWindow.top);
    FUZZ_REQUIRE(settings.order.nColumn >= -1 && settings.order.nColumn < kColumnCount);
    FUZZ_REQUIRE(settings.nAgeFilter >= 0 && settings.nAgeFilter < kAgeFilterCount);
    FUZZ_REQUIRE(settings.strTextFilter.size() < 1023);
    if (settings.bHasPlacement) CheckPlacement(settings, input);
    // The clock of a machine set anywhere from 1601 to a few centuries ahead.
    CheckFilter(settings, input.ConsumeIntegralInRange<int64_t>(-11644473600LL, 1LL << 36));
    return 0;
}
