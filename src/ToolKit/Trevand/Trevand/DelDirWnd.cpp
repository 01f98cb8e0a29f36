// Placeholder until the deletion worker lands: deletes nothing.
#include "ToolKit/Trevand/Trevand/DelDirWnd.h"

CDelDirWnd::CDelDirWnd() = default;
CDelDirWnd::~CDelDirWnd() = default;
const char* CDelDirWnd::GetWindowClassName() const { return "CDelDirWnd"; }
const char* CDelDirWnd::GetSkinFile() { return "DelDirWnd.xml"; }
void CDelDirWnd::InitWindow() {}
void CDelDirWnd::OnClick(Vellum::TNotification& msg) { WindowImplBase::OnClick(msg); }
void CDelDirWnd::Start(std::list<std::string> paths) {
    m_listPath = std::move(paths);
    Close(1);
}
