// Reads what the process-wide log writer writes during one test.
//
// The first capture of a process points the writer at a private folder with
// file-only output; each capture then reads the lines added after its
// construction. Lines are returned without their time and thread parts:
// "[Info]|message" (message without its CR LF).
#pragma once

#include <string>
#include <vector>

namespace testsupport {

class LogCapture {
public:
    LogCapture();
    std::vector<std::string> Lines() const;

private:
    std::string m_file;
    size_t m_start = 0;
};

}  // namespace testsupport
