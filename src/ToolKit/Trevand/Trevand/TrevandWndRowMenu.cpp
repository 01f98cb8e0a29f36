// CTrevandWnd's row menu: a right click on a row (or the menu key on the
// selected one) offers 打开所在位置, 复制路径 and 勾选/取消勾选; a double
// click on a row outside its box column opens its place in Explorer.
#include <windowsx.h>

#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ListUI.h"
#include "UI/Win32/Win32Glue.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/Clipboard.h"
#include "comm/platform/ShellOpen.h"

namespace {

enum ERowMenuItem { kOpenPlace = 0, kCopyPath = 1, kToggleTick = 3 };

// The row `control` is or lies in, below `list`; null for anything else
// (the header, the scroll bar, the empty space under the rows).
CListItemPaint* RowOf(Vellum::CControlUI* control, const Vellum::CControlUI* list) {
    for (; control && control != list; control = control->GetParent()) {
        if (control->GetInterface("ListItem")) return reinterpret_cast<CListItemPaint*>(control->GetTag());
    }
    return nullptr;
}

POINT CentreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

}  // namespace

LRESULT CTrevandWnd::HandleOtherMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg == WM_CONTEXTMENU && reinterpret_cast<HWND>(wParam) == m_hWnd) {
        bHandled = OnRowMenu(lParam);
        return 0;
    }
    return CAppWindowBase::HandleOtherMessage(uMsg, wParam, lParam, bHandled);
}

bool CTrevandWnd::OnRowMenu(LPARAM lParam) {
    Vellum::CListUI* list = m_rows.GetList();
    if (!list) return false;
    std::string key;
    POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) {
        // From the keyboard: the selected row, the menu at its middle.
        key = m_rows.KeyAt(list->GetCurSel());
        if (key.empty()) return false;
        screen = CentreOf(m_rows.Find(key)->pRow->GetPos());
        ::ClientToScreen(m_hWnd, &screen);
    } else {
        POINT client = screen;
        ::ScreenToClient(m_hWnd, &client);
        const CListItemPaint* row = RowOf(m_pm.FindControl(client), list);
        if (!row || !m_rows.Find(row->GetKey())) return false;
        key = row->GetKey();
    }
    const bool ticked = m_rows.Find(key)->pRow->IsChecked();
    switch (Vellum::TrackPopupMenuAt(m_hWnd, screen, {"打开所在位置", "复制路径", "", ticked ? "取消勾选" : "勾选"})) {
    case kOpenPlace: OpenRowPlace(key); break;
    case kCopyPath:
        if (!platform::CopyTextToClipboard(m_hWnd, key))
            LOG_WRITE(LOG_WARNING, "Trevand  无法把路径复制到剪贴板：%s", key.c_str());
        break;
    case kToggleTick:
        // Still a row of the list: the menu's own loop may have let a row
        // removal through.
        if (!m_rows.Find(key)) break;
        m_rows.SetChecked(key, !ticked);
        m_strTickAnchor = key;
        AfterTicksChanged();
        break;
    default: break;
    }
    return true;
}

void CTrevandWnd::OnItemActivate(Vellum::TNotification& msg) {
    // Only the rows of the list; a press in the box column ticks, and never
    // activates.
    const CListItemPaint* row = RowOf(msg.pSender, m_rows.GetList());
    if (row && m_rows.Find(row->GetKey())) OpenRowPlace(row->GetKey());
}

void CTrevandWnd::OpenRowPlace(const std::string& path) {
    uint32_t error = 0;
    if (!platform::ShowInExplorer(path, &error))
        LOG_WRITE(LOG_WARNING, "Trevand  无法在资源管理器中打开 %s（错误码%lu）", path.c_str(),
                  static_cast<unsigned long>(error));
}
