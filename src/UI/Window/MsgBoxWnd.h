// CMsgBoxWnd: the framework's modal message box, drawn from "MsgBoxWnd.xml".
//
// Types: 0 information (only "BtnOk", with its skin text; the warning icon,
// as the boxes that report failures use it), kMsgBoxInformation (the same
// with the information icon: a report of something done), 1 OK/cancel
// ("确定"/"取消"), 4 yes/no ("是"/"否"); any other type leaves the skin as it
// is. Results: 1 "BtnOk", 2 "BtnCancel", 8 "closebtn", 0 when the box was
// destroyed without a close (or never created). Escape answers like
// "BtnCancel" where that button shows (types 1 and 4), else 1: the yes/no box
// before a deletion must never read the cancel key as yes.
#pragma once

#include "UI/Window/WindowImplBase.h"

namespace Vellum {

// The information box's type (MB_ICONINFORMATION's value).
const int kMsgBoxInformation = 0x40;

class CMsgBoxWnd : public WindowImplBase {
public:
    CMsgBoxWnd(const char* pstrText, const char* pstrCaption, int nType);

    const char* GetWindowClassName() const override;
    const char* GetSkinFile() override;
    void InitWindow() override;
    void OnClick(TNotification& msg) override;
    LRESULT OnDefaultKey(WPARAM wParam) override;

private:
    CUIString m_strText;
    CUIString m_strCaption;
    int m_nType;

    VELLUM_DECLARE_NOTIFY_MAP()
};

}  // namespace Vellum
