#include "comm/log/LogLevel.h"

const char* LogLevelWord(int level) {
    switch (level) {
    case LOG_STARTUP: return "Startup";
    case LOG_SHUTDOWN: return "Shutdown";
    case LOG_INFO: return "Info";
    case LOG_WARNING: return "Warning";
    case LOG_TRACE: return "Trace";
    case LOG_ERROR: return "Error";
    case LOG_DEBUG: return "Debug";
    default: return "Unknown";
    }
}
