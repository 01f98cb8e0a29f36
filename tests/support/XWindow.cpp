#include "support/XWindow.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "support/WaitUntil.h"
#include "support/WineHost.h"

namespace testsupport {
namespace {

// The ids xdotool prints, one a line, in the order the X server keeps its
// windows (oldest first).
std::vector<std::string> SearchShown(const std::string& name) {
    std::string output;
    RunUnixCommandOutput({"xdotool", "search", "--onlyvisible", "--name", "^" + name + "$"}, &output);
    std::vector<std::string> ids;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty()) {
            ids.push_back(line);
        }
    }
    return ids;
}

}  // namespace

XWindow XWindow::Find(const std::string& name) {
    const std::vector<std::string> ids = SearchShown(name);
    return ids.empty() ? XWindow() : XWindow(ids.back(), name);
}

XWindow XWindow::WaitFor(const std::string& name, int timeoutMs) {
    XWindow found;
    WaitUntil([&] { return (found = Find(name)).Valid(); }, timeoutMs, 100);
    return found;
}

bool XWindow::WaitGone(const std::string& name, int timeoutMs) {
    return WaitUntil([&] { return SearchShown(name).empty(); }, timeoutMs, 100);
}

ScreenRect XWindow::Geometry() const {
    ScreenRect rect;
    std::string output;
    if (!Valid() || !RunUnixCommandOutput({"xdotool", "getwindowgeometry", "--shell", m_id}, &output)) {
        return rect;
    }
    // Lines "X=12", "Y=34", "WIDTH=420", "HEIGHT=260".
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, equals);
        const int value = std::atoi(line.c_str() + equals + 1);
        if (key == "X") rect.x = value;
        else if (key == "Y") rect.y = value;
        else if (key == "WIDTH") rect.width = value;
        else if (key == "HEIGHT") rect.height = value;
    }
    return rect;
}

bool XWindow::MoveTo(int x, int y) const {
    const ScreenRect at = Geometry();
    if (at.width == 0) {
        return false;
    }
    return RunUnixCommand({"xdotool", "mousemove", std::to_string(at.x + x), std::to_string(at.y + y)});
}

bool XWindow::Click(int x, int y) const {
    const ScreenRect at = Geometry();
    if (at.width == 0) {
        return false;
    }
    return RunUnixCommand({"xdotool", "mousemove", std::to_string(at.x + x), std::to_string(at.y + y), "click", "1"});
}

bool XWindow::PressKey(const std::string& keys) const {
    return Valid() && RunUnixCommand({"xdotool", "windowfocus", m_id, "key", keys});
}

}  // namespace testsupport
