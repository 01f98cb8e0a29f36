// CWaitCursor: shows the wait cursor while the UI thread works without
// handling messages (a long load), and puts the previous cursor back.
#pragma once

#include <windows.h>

namespace Vellum {

class CWaitCursor {
public:
    CWaitCursor() : m_hOld(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOld); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOld;
};

}  // namespace Vellum
