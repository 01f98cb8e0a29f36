#include "comm/log/LastErrorLog.h"

#include "comm/log/LogWriter.h"
#include "comm/platform/LastError.h"

bool LogLastError(const char* call, const char* subject) {
    const unsigned long code = platform::LastErrorCode();
    if (subject) {
        LOG_WRITE(LOG_ERROR, "%s failed for %s, error %lu", call, subject, code);
    } else {
        LOG_WRITE(LOG_ERROR, "%s failed, error %lu", call, code);
    }
    return false;
}
