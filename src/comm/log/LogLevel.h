// Log levels: single bits, tested against the writer's level mask.
#pragma once

enum LogLevel : int {
    LOG_STARTUP = 1,
    LOG_SHUTDOWN = 2,
    LOG_INFO = 4,
    LOG_WARNING = 8,
    LOG_TRACE = 16,
    LOG_ERROR = 32,
    LOG_DEBUG = 64,
};

// The word a line shows for `level`: looked up by the whole value, so a
// combination such as 3, or anything outside the seven levels, is "Unknown".
const char* LogLevelWord(int level);
