#include "support/XMapLog.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <vector>

#include "support/WaitUntil.h"
#include "support/WineHost.h"

namespace testsupport {
namespace {

// The ids (xdotool's decimal form) of every X window named exactly `name`.
std::set<unsigned long> WindowIds(const std::string& name) {
    std::string output;
    RunUnixCommandOutput({"xdotool", "search", "--name", "^" + name + "$"}, &output);
    std::set<unsigned long> ids;
    std::istringstream lines(output);
    unsigned long id = 0;
    while (lines >> id) ids.insert(id);
    return ids;
}

// The windows mapped in an xev report, once per map. A notice reads
//   MapNotify event, serial 18, synthetic NO, window 0x50d,
//       event 0x50d, window 0xe00004, override NO
// where the first window is the root listened on and the second the one mapped.
std::vector<unsigned long> MappedIds(const std::string& report) {
    std::vector<unsigned long> ids;
    const std::string notice = "MapNotify event";
    const std::string mapped = ", window 0x";
    for (size_t at = report.find(notice); at != std::string::npos; at = report.find(notice, at + 1)) {
        const size_t nextLine = report.find('\n', at);
        if (nextLine == std::string::npos) break;
        const size_t window = report.find(mapped, nextLine);
        if (window == std::string::npos) break;
        ids.push_back(std::strtoul(report.c_str() + window + mapped.size(), nullptr, 16));
    }
    return ids;
}

}  // namespace

XMapLog::XMapLog(int timeoutMs) {
    const std::string report = UnixPathOf(m_dir.File("xev.txt"));
    const std::string pid = UnixPathOf(m_dir.File("xev.pid"));
    if (report.empty() || pid.empty() ||
        !RunUnixCommand(
            {"sh", "-c", "xev -root -event substructure > \"$1\" 2>/dev/null & echo $! > \"$2\"", "sh", report, pid})) {
        return;
    }
    m_pid = ReadFileBytes(m_dir.File("xev.pid"));
    while (!m_pid.empty() && (m_pid.back() == '\n' || m_pid.back() == '\r')) m_pid.pop_back();
    if (m_pid.empty()) return;

    // xev listens only some time after it was started: a window of ours,
    // shown again and again until one of its maps is in the report, says when.
    char title[64];
    std::snprintf(title, sizeof(title), "XMapLog probe %lu", ::GetCurrentProcessId());
    HWND probe =
        ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", title, WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    if (!probe) return;
    m_recording = WaitUntil(
        [&] {
            ::ShowWindow(probe, SW_HIDE);
            ::ShowWindow(probe, SW_SHOWNOACTIVATE);
            return TimesMapped(title) > 0;
        },
        timeoutMs, 50);
    ::DestroyWindow(probe);
}

XMapLog::~XMapLog() {
    if (!m_pid.empty()) RunUnixCommand({"kill", m_pid});
}

int XMapLog::TimesMapped(const std::string& name) const {
    const std::set<unsigned long> ids = WindowIds(name);
    int times = 0;
    for (unsigned long id : MappedIds(ReadFileBytes(m_dir.File("xev.txt")))) times += ids.count(id) != 0;
    return times;
}

}  // namespace testsupport
