// The log lines of the workers that delete or move ticked entries.
#pragma once

#include "comm/log/LogWriter.h"

// Formats the message first and hands it over as "%s", so a per cent sign in
// a path is written as it is. A fixed buffer: logging cannot throw, even in
// an exception guard (the writer keeps at most 2047 characters anyway). The
// lines name the deletion worker's routine, whichever worker writes them:
// the operator reads them as one story.
void WorkerLog(int level, const char* format, ...) TREVAND_PRINTF_FORMAT(2, 3);
