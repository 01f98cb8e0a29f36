// What the main window remembers across runs in Trevand.ini beside the
// executable: where it was and how large (and whether maximised), the column
// and direction the rows were sorted by, and the filters. A value missing or
// not one the program can use gives its default: the file is never required.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "ToolKit/Trevand/Trevand/CandidateOrder.h"
#include "ToolKit/Trevand/Trevand/WindowPlacement.h"

struct TMainWindowSettings {
    bool bHasPlacement = false;  // the four edges were all there
    TScreenRect rcWindow;
    bool bMaximized = false;
    TCandidateOrder order;  // unsorted by default
    int nAgeFilter = 0;     // an index of the modified-time filter; 0 shows all
    std::string strTextFilter;
};

// The number `text` (an ini value) stands for when it is a whole number of
// digits, with an optional "-", within [low, high]; otherwise `fallback`.
int ParseSettingNumber(const std::string& text, int low, int high, int fallback);

// One value of the ini file as the ini reader gives it: `section`, `key`,
// and the size in characters of the buffer it is read into.
using TSettingValueReader = std::function<std::string(const char* section, const char* key, size_t chars)>;

// The settings made of the values `read` gives, each checked as the file is
// never trusted: a value out of range, not a number, or that filled its
// buffer (it may have been cut) gives its default; a placement needs all
// four edges, right of left and below top. `ageFilters`: how many choices
// the modified-time filter has.
TMainWindowSettings SettingsFromValues(const TSettingValueReader& read, int ageFilters);

// Windows only: the settings in the ini file `iniPath`, and writing them
// back (all of them, creating the file when needed; false when it cannot
// be written).
TMainWindowSettings ReadMainWindowSettings(const std::string& iniPath, int ageFilters);
bool WriteMainWindowSettings(const std::string& iniPath, const TMainWindowSettings& settings);
