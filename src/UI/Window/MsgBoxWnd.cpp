#include "UI/Window/MsgBoxWnd.h"

#include <algorithm>
#include <cstdio>

#include "UI/Core/ControlUI.h"

namespace Vellum {

namespace {

// The icon cell of "MsgBoxIcon.png" for each type, placed at a computed top.
const char* IconDescriptor(int nType) {
    switch (nType) {
    case 0: return "file='MsgBoxIcon.png' source='32,0,64,32' dest='0,%d,32,%d'";
    case 1: return "file='MsgBoxIcon.png' source='0,0,32,32' dest='0,%d,32,%d'";
    case 4: return "file='MsgBoxIcon.png' source='64,0,96,32' dest='0,%d,32,%d'";
    case kMsgBoxInformation: return "file='MsgBoxIcon.png' source='0,0,32,32' dest='0,%d,32,%d'";
    default: return nullptr;
    }
}

}  // namespace

VELLUM_BEGIN_NOTIFY_MAP(CMsgBoxWnd, WindowImplBase)
VELLUM_ON_NOTIFY("click", "", &CMsgBoxWnd::OnClick)
VELLUM_END_NOTIFY_MAP()

CMsgBoxWnd::CMsgBoxWnd(const char* pstrText, const char* pstrCaption, int nType)
    : m_strText(pstrText), m_strCaption(pstrCaption), m_nType(nType) {}

const char* CMsgBoxWnd::GetWindowClassName() const { return "MsgBoxWnd"; }
const char* CMsgBoxWnd::GetSkinFile() { return "MsgBoxWnd.xml"; }

void CMsgBoxWnd::InitWindow() {
    CControlUI* text = m_pm.FindControl("TextContent");
    SIZE size = {0, 0};
    if (text) {
        // Each line break becomes a blank line, so paragraphs stand apart.
        CUIString shown = m_strText;
        shown.Replace("\r\n", "\r\n\r\n");
        text->SetText(shown);
        size = text->EstimateSize({1000, 1000});
    }
    if (CControlUI* title = m_pm.FindControl("LabelTitle")) title->SetText(m_strCaption);

    const unsigned width = std::max(static_cast<unsigned>(size.cx + 130), 200u);
    const unsigned height = static_cast<unsigned>(size.cy + 130);
    ResizeClient(static_cast<int>(width), static_cast<int>(height));
    CenterWindow();

    const unsigned top = (height - 100) >> 1;
    const char* descriptor = IconDescriptor(m_nType);
    CControlUI* icon = m_pm.FindControl("CtrlIcon");
    if (icon && descriptor) {
        char image[128];
        std::snprintf(image, sizeof(image), descriptor, static_cast<int>(top), static_cast<int>(top + 32));
        icon->SetBkImage(image);
    }

    CControlUI* ok = m_pm.FindControl("BtnOk");
    CControlUI* cancel = m_pm.FindControl("BtnCancel");
    if (m_nType == 0 || m_nType == kMsgBoxInformation) {
        if (cancel) cancel->SetVisible(false);
    } else if (m_nType == 1 || m_nType == 4) {
        if (cancel) {
            cancel->SetVisible(true);
            cancel->SetText(m_nType == 1 ? "取消" : "否");
        }
        if (ok) ok->SetText(m_nType == 1 ? "确定" : "是");
    }
}

void CMsgBoxWnd::OnClick(TNotification& msg) {
    const CUIString& name = msg.pSender->GetName();
    if (!name.IsEmpty()) {
        if (name == "BtnOk") Close(1);
        else if (name == "BtnCancel") Close(2);
    }
    WindowImplBase::OnClick(msg);
}

LRESULT CMsgBoxWnd::OnDefaultKey(WPARAM wParam) {
    if (wParam == VK_ESCAPE) {
        CControlUI* cancel = m_pm.FindControl("BtnCancel");
        Close(cancel && cancel->IsVisible() ? 2 : 1);
        return 1;
    }
    return WindowImplBase::OnDefaultKey(wParam);
}

int WindowImplBase::ShowMessageBox(const char* pstrText, const char* pstrCaption, int nType) {
    CMsgBoxWnd box(pstrText, pstrCaption, nType);
    if (!box.Create(m_hWnd, "MsgBoxWnd", WS_POPUP, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT)) {
        return 0;
    }
    return static_cast<int>(box.ShowModal());
}

}  // namespace Vellum
