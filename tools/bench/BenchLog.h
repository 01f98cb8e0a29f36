// The program's log during a benchmark.
#pragma once

#include "comm/log/LogWriter.h"
#include "support/TempDir.h"

namespace bench {

// Sends the program's log to a file named "bench" in a temporary folder that
// goes with this object: the code under measurement logs as it always does,
// nothing reaches the console between the figures, and a run leaves no log
// behind.
class BenchLog {
public:
    BenchLog() {
        CLogWriter::Instance().SetLogDir(m_dir.Path());
        CLogWriter::Instance().SetLogName("bench");
        CLogWriter::Instance().SetOutput(2);  // the file only
    }

private:
    testsupport::TempDir m_dir;
};

}  // namespace bench
