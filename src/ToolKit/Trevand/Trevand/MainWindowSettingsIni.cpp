// The Windows half of MainWindowSettings.h: the ini file itself.
#include "ToolKit/Trevand/Trevand/MainWindowSettings.h"

#include "comm/log/LogWriter.h"
#include "comm/platform/IniFile.h"

namespace {

const char kWindow[] = "Window";
const char kList[] = "List";
const char kFilter[] = "Filter";

bool Write(const std::string& ini, const char* section, const char* key, const std::string& value) {
    uint32_t error = 0;
    if (platform::WriteIniString(ini, section, key, value.c_str(), &error)) return true;
    LOG_WRITE(LOG_WARNING, "Trevand  无法保存设置 [%s] %s 到 %s（错误码%lu）", section, key, ini.c_str(),
              static_cast<unsigned long>(error));
    return false;
}

}  // namespace

TMainWindowSettings ReadMainWindowSettings(const std::string& ini, int ageFilters) {
    return SettingsFromValues(
        [&ini](const char* section, const char* key, size_t chars) {
            return platform::ReadIniString(ini, section, key, "", chars);
        },
        ageFilters);
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
