#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"

#include <climits>
#include <cstdlib>

namespace {

const char kWindow[] = "Window";
const char kList[] = "List";
const char kFilter[] = "Filter";
const size_t kNumberChars = 32;
// A filter text longer than any path the scan offers is no use.
const size_t kTextChars = 1024;

}  // namespace

int ParseSettingNumber(const std::string& text, int low, int high, int fallback) {
    const size_t digitsFrom = !text.empty() && text[0] == '-' ? 1 : 0;
    // Ten digits at most: anything an int holds, nothing that overflows the
    // long below.
    if (text.size() == digitsFrom || text.size() - digitsFrom > 10) return fallback;
    for (size_t i = digitsFrom; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
    }
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return value < low || value > high ? fallback : static_cast<int>(value);
}

TMainWindowSettings SettingsFromValues(const TSettingValueReader& read, int ageFilters) {
    const auto number = [&read](const char* section, const char* key, int low, int high, int fallback) {
        return ParseSettingNumber(read(section, key, kNumberChars), low, high, fallback);
    };
    TMainWindowSettings settings;
    const int kUnset = INT_MIN;
    const int left = number(kWindow, "Left", INT_MIN + 1, INT_MAX, kUnset);
    const int top = number(kWindow, "Top", INT_MIN + 1, INT_MAX, kUnset);
    const int right = number(kWindow, "Right", INT_MIN + 1, INT_MAX, kUnset);
    const int bottom = number(kWindow, "Bottom", INT_MIN + 1, INT_MAX, kUnset);
    settings.bHasPlacement = left != kUnset && top != kUnset && right != kUnset && bottom != kUnset &&
                             right > left && bottom > top;
    if (settings.bHasPlacement) settings.rcWindow = {left, top, right, bottom};
    settings.bMaximized = number(kWindow, "Maximized", 0, 1, 0) == 1;
    settings.order.nColumn = number(kList, "SortColumn", -1, kColumnCount - 1, -1);
    settings.order.bAscending = number(kList, "SortAscending", 0, 1, 1) == 1;
    settings.nAgeFilter = number(kFilter, "Age", 0, ageFilters - 1, 0);
    const std::string text = read(kFilter, "Text", kTextChars);
    if (text.size() < kTextChars - 1) settings.strTextFilter = text;
    return settings;
}
