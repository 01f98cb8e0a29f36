// The Windows half of KeepDaysSetting.h: the ini file itself.
#include <string>

#include "ToolKit/Trevand/Trevand/Quarantine/KeepDaysSetting.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/EntryDeletion.h"
#include "comm/platform/IniFile.h"

namespace quarantine {
namespace {

const char kSection[] = "Quarantine";
const char kKey[] = "KeepDays";
// Room for any number an int holds, and a good deal more: a value that
// fills the buffer may have been cut, and is not taken.
const size_t kValueChars = 64;

}  // namespace

int ReadKeepDays(const std::string& iniPath) {
    if (!platform::EntryExists(iniPath)) {
        uint32_t error = 0;
        const std::string days = std::to_string(kDefaultKeepDays);
        if (!platform::WriteIniString(iniPath, kSection, kKey, days.c_str(), &error)) {
            LOG_WRITE(LOG_WARNING, "Trevand  未能创建设置文件%s（错误码%lu）", iniPath.c_str(),
                      static_cast<unsigned long>(error));
        }
        return kDefaultKeepDays;
    }
    const std::string value = platform::ReadIniString(iniPath, kSection, kKey, "", kValueChars);
    if (value.size() >= kValueChars - 1) return kDefaultKeepDays;
    return ParseKeepDays(value);
}

}  // namespace quarantine
