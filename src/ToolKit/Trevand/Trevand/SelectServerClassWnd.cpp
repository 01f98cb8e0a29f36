#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"

#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "ToolKit/Trevand/Trevand/WindowInstance.h"
#include "UI/Control/OptionUI.h"

CSelectServerClassWnd* CSelectServerClassWnd::Instance() { return CWindowInstanceT<CSelectServerClassWnd>::Instance(); }

void CSelectServerClassWnd::ReleaseInstance() { CWindowInstanceT<CSelectServerClassWnd>::Release(); }

bool CSelectServerClassWnd::HasInstance() { return CWindowInstanceT<CSelectServerClassWnd>::Exists(); }

const char* CSelectServerClassWnd::GetWindowClassName() const { return "CSelectServerClass"; }

CSelectServerClassWnd::~CSelectServerClassWnd() = default;

const char* CSelectServerClassWnd::GetSkinFile() { return "SelectServerClass.xml"; }

void CSelectServerClassWnd::InitWindow() {
    if (Vellum::CControlUI* master = m_pm.FindControl("MasterServerCheck")) {
        if (auto* option = static_cast<Vellum::COptionUI*>(master->GetInterface("Option"))) option->Selected(true);
    }
}

void CSelectServerClassWnd::OnClick(Vellum::TNotification& msg) {
    const Vellum::CUIString& name = msg.pSender->GetName();
    if (name.IsEmpty()) return;
    if (name == "closebtn") {
        QuitApplication();
    } else if (name == "OkButton") {
        ShowWindow(false);
        // The main window shows itself first and then loads, so the operator
        // sees it (saying that it scans) instead of no window at all.
        CTrevandWnd* main = CTrevandWnd::Instance();
        main->ShowAsRemembered();
        main->SelectRole(m_nServerClass);
    } else if (name == "MasterServerCheck") {
        m_nServerClass = 1;
    } else if (name == "SecondaryServerCheck") {
        m_nServerClass = 2;
    }
}
