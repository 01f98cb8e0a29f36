#include "ToolKit/Trevand/Trevand/WorkerLog.h"

#include <cstdio>

void WorkerLog(int level, const char* format, ...) {
    char message[CLogWriter::kMaxLineChars + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof(message), format, args);
    va_end(args);
    LogWrite(level, __FILE__, __LINE__, "CDelDirWnd::DelFileThread", "%s", message);
}
