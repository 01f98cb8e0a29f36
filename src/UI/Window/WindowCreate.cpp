// WindowImplBase::OnCreate: building the skin, and the failure path when the
// skin cannot be built.
#include <cstring>

#include "UI/Core/ControlUI.h"
#include "UI/Window/WindowImplBase.h"
#include "comm/log/LogWriter.h"

namespace Vellum {

namespace {

const char kSkinFailureText[] = "加载资源文件失败";
const char kSkinFailureCaption[] = "Vellum";

}  // namespace

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, bool&) {
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (style & ~WS_CAPTION) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    RECT rcClient = {0, 0, 0, 0};
    ::GetClientRect(m_hWnd, &rcClient);
    ::SetWindowPos(m_hWnd, nullptr, rcClient.left, rcClient.top, rcClient.right - rcClient.left,
                   rcClient.bottom - rcClient.top, SWP_FRAMECHANGED);

    m_pm.Init(m_hWnd);
    m_pm.AddMessageFilter(this);
    if (CUIManager::GetSkinPath().empty()) {
        CUIManager::SetSkinPath((CUIManager::GetExeFolder() + GetSkinFolder()).c_str());
    }
    switch (GetSkinSource()) {
    case UILIB_ZIP: CUIManager::SetSkinArchive(GetSkinArchive()); break;
    case UILIB_ZIPRESOURCE:
        // Skins packed into the executable are not a source this program
        // uses; such a window stays without controls.
        LOG_WRITE(LOG_ERROR, "skin resource [%s] is not supported", GetSkinResourceName());
        return 0;
    default: break;
    }

    CDialogBuilder builder;
    CControlUI* root = nullptr;
    if (GetSkinSource() == UILIB_RESOURCE) {
        const uintptr_t id = static_cast<uintptr_t>(std::strtoul(GetSkinFile(), nullptr, 10));
        root = builder.Build(reinterpret_cast<const char*>(id), "xml", this, &m_pm);
    } else {
        root = builder.Build(GetSkinFile(), nullptr, this, &m_pm);
    }
    if (!root) ReportSkinFailure();

    m_pm.AttachRoot(root);
    m_pm.AddNotifier(this);
    m_pm.SetBackgroundTransparent(true);
    if (CControlUI* ok = m_pm.FindControl("BtnOk")) m_pm.SetFocusControl(ok);
    InitWindow();
    return 0;
}

void WindowImplBase::ReportSkinFailure() {
    LOG_WRITE(LOG_ERROR, "skin [%s] cannot be built", GetSkinFile());
    // The message box is itself a skinned window: when its own skin is what
    // failed, another box of the same kind would fail again (and again), so
    // the platform's box reports it instead.
    if (std::strcmp(GetWindowClassName(), "MsgBoxWnd") == 0) {
        ::MessageBoxA(m_hWnd, kSkinFailureText, kSkinFailureCaption, MB_OK);
    } else {
        ShowMessageBox(kSkinFailureText, kSkinFailureCaption, 0);
    }
    ::ExitProcess(1);
}

}  // namespace Vellum
