#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"

#include <cstdlib>

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
