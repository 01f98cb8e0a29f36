// Windows only, under Wine on X: every top-level X window mapped on the display
// while the object lives, as the X server reports it — `xev` listening on the
// root window, its report in a file.
//
// Whether a window is shown now cannot tell a window never shown from one
// shown and hidden again a moment later (a blank flash before the window the
// operator should see). The X server's map notices keep that moment. Wine
// gives each top-level window its X window when the window is created, named
// after the window text, and maps it whenever the window is shown.
#pragma once

#include <string>

#include "support/TempDir.h"

namespace testsupport {

class XMapLog {
public:
    // Starts recording and waits, up to `timeoutMs`, until a window this
    // process shows for the purpose has been recorded: from then on no map
    // is missed. Recording() says whether that happened.
    explicit XMapLog(int timeoutMs = 10000);
    // Ends the recorder (the `xev` this object started, by its process id).
    ~XMapLog();
    XMapLog(const XMapLog&) = delete;
    XMapLog& operator=(const XMapLog&) = delete;

    bool Recording() const { return m_recording; }
    // How often the X windows named exactly `name` (shown or not) have been
    // mapped since recording began.
    int TimesMapped(const std::string& name) const;

private:
    TempDir m_dir;
    std::string m_pid;  // of the xev process
    bool m_recording = false;
};

}  // namespace testsupport
