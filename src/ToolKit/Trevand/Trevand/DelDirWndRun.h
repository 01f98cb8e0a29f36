// One run of the deletion window, whatever its job, from creation to the
// moment its worker is done and the window object is gone.
#pragma once

#include <windows.h>

#include <list>
#include <memory>
#include <string>

#include "ToolKit/Trevand/Trevand/DelDirJob.h"

struct TDelDirOutcome {
    std::string strSummary;  // the window's summary line; empty when it had nothing to say
    bool bEnding = false;    // a request to end the program came meanwhile
};

// UI thread. Shows the deletion window modal over `owner`, runs `job` on
// `paths` in this order and returns once the window has closed and its
// worker is done. When a request to end the program came meanwhile (a close
// request reaching the owner, a quit posted from outside), the worker was
// asked to stop as "closebtn" asks, the log says how far it got, and the
// quit message has been posted again for the caller's loop to see.
TDelDirOutcome RunDelDirWnd(HWND owner, std::unique_ptr<CDelDirJob> job, const std::list<std::string>& paths);
