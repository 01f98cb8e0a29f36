// Windows only, under Wine on X: a top-level window of another process seen
// from outside, through the X server, and driven the way an operator drives
// it — XTEST pointer clicks and key presses sent with xdotool.
//
// Wine gives each top-level window an X window named after its window text,
// so a window is found by that text ("CTrevandWnd"). Points are given in the
// window's client coordinates: the program's skinned windows draw their own
// frame, so their client area is the whole X window.
#pragma once

#include <string>
#include <utility>

namespace testsupport {

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class XWindow {
public:
    XWindow() = default;

    // The shown window whose name is exactly `name`; invalid when there is
    // none. With several, the most recently created one.
    static XWindow Find(const std::string& name);
    // Waits up to `timeoutMs` for such a window to be shown.
    static XWindow WaitFor(const std::string& name, int timeoutMs);
    // Waits up to `timeoutMs` until no window of that name is shown; true
    // when none is.
    static bool WaitGone(const std::string& name, int timeoutMs);

    bool Valid() const { return !m_id.empty(); }
    const std::string& Id() const { return m_id; }
    const std::string& Name() const { return m_name; }

    // Where the window is on the screen now; all zero when it cannot be read.
    ScreenRect Geometry() const;
    // Moves the pointer to the client point (x, y) and clicks the left button.
    bool Click(int x, int y) const;
    // Moves the pointer to the client point (x, y) without clicking.
    bool MoveTo(int x, int y) const;
    // Gives the window the keyboard focus and presses `keys` (xdotool key
    // names, e.g. "Escape", "Down"). Wine hands keys to a newly shown window
    // only once it has the focus.
    bool PressKey(const std::string& keys) const;

private:
    XWindow(std::string id, std::string name) : m_id(std::move(id)), m_name(std::move(name)) {}

    std::string m_id;
    std::string m_name;
};

}  // namespace testsupport
