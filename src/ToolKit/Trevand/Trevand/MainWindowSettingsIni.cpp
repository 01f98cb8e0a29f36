// The Windows half of MainWindowSettings.h: the ini file itself.
#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"

#include <climits>

#include "comm/log/LogWriter.h"
#include "comm/platform/IniFile.h"

namespace {

const char kWindow[] = "Window";
const char kList[] = "List";
const char kFilter[] = "Filter";
const size_t kNumberChars = 32;
// A filter text longer than any path the scan offers is no use.
const size_t kTextChars = 1024;

int ReadNumber(const std::string& ini, const char* section, const char* key, int low, int high, int fallback) {
    return ParseSettingNumber(platform::ReadIniString(ini, section, key, "", kNumberChars), low, high, fallback);
}

bool Write(const std::string& ini, const char* section, const char* key, const std::string& value) {
    uint32_t error = 0;
    if (platform::WriteIniString(ini, section, key, value.c_str(), &error)) return true;
    LOG_WRITE(LOG_WARNING, "Trevand  无法保存设置 [%s] %s 到 %s（错误码%lu）", section, key, ini.c_str(),
              static_cast<unsigned long>(error));
    return false;
}

}  // namespace

TMainWindowSettings ReadMainWindowSettings(const std::string& ini, int ageFilters) {
    TMainWindowSettings settings;
    const int kUnset = INT_MIN;
    const int left = ReadNumber(ini, kWindow, "Left", INT_MIN + 1, INT_MAX, kUnset);
    const int top = ReadNumber(ini, kWindow, "Top", INT_MIN + 1, INT_MAX, kUnset);
    const int right = ReadNumber(ini, kWindow, "Right", INT_MIN + 1, INT_MAX, kUnset);
    const int bottom = ReadNumber(ini, kWindow, "Bottom", INT_MIN + 1, INT_MAX, kUnset);
    settings.bHasPlacement = left != kUnset && top != kUnset && right != kUnset && bottom != kUnset &&
                             right > left && bottom > top;
    if (settings.bHasPlacement) settings.rcWindow = {left, top, right, bottom};
    settings.bMaximized = ReadNumber(ini, kWindow, "Maximized", 0, 1, 0) == 1;
    settings.order.nColumn = ReadNumber(ini, kList, "SortColumn", -1, kColumnCount - 1, -1);
    settings.order.bAscending = ReadNumber(ini, kList, "SortAscending", 0, 1, 1) == 1;
    settings.nAgeFilter = ReadNumber(ini, kFilter, "Age", 0, ageFilters - 1, 0);
    const std::string text = platform::ReadIniString(ini, kFilter, "Text", "", kTextChars);
    if (text.size() < kTextChars - 1) settings.strTextFilter = text;
    return settings;
}

bool WriteMainWindowSettings(const std::string& ini, const TMainWindowSettings& settings) {
    bool ok = true;
    if (settings.bHasPlacement) {
        ok &= Write(ini, kWindow, "Left", std::to_string(settings.rcWindow.left));
        ok &= Write(ini, kWindow, "Top", std::to_string(settings.rcWindow.top));
        ok &= Write(ini, kWindow, "Right", std::to_string(settings.rcWindow.right));
        ok &= Write(ini, kWindow, "Bottom", std::to_string(settings.rcWindow.bottom));
        ok &= Write(ini, kWindow, "Maximized", settings.bMaximized ? "1" : "0");
    }
    ok &= Write(ini, kList, "SortColumn", std::to_string(settings.order.nColumn));
    ok &= Write(ini, kList, "SortAscending", settings.order.bAscending ? "1" : "0");
    ok &= Write(ini, kFilter, "Age", std::to_string(settings.nAgeFilter));
    // In quotes: the ini reader trims blanks around a value, and takes one
    // pair of quotes off — a filter " x" keeps its blank.
    ok &= Write(ini, kFilter, "Text", "\"" + settings.strTextFilter + "\"");
    return ok;
}
