// CTrevandWnd in the operator's hands: keys on the list (Space ticks the
// selected row, Ctrl+A ticks every row shown, Delete asks to delete, F5
// reloads), a Shift+click on a box ticking a whole range, and "全选" that
// always says whether every row shown is ticked.
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ButtonUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Control/OptionUI.h"

namespace {

// Whether `control` is `list` or lies inside it (one of its rows).
bool IsInside(const Vellum::CControlUI* control, const Vellum::CControlUI* list) {
    for (; control; control = control->GetParent()) {
        if (control == list) return true;
    }
    return false;
}

bool IsEnabledButton(const Vellum::CButtonUI* button) { return button && button->IsEnabled(); }

}  // namespace

void CTrevandWnd::OnItemCheck(Vellum::TNotification& msg) {
    const std::string key = m_rows.KeyAt(static_cast<int>(msg.wParam));
    if (key.empty()) return;
    // The rows between the last box pressed and this one take this one's
    // new state, as in Explorer's check boxes.
    if (::GetKeyState(VK_SHIFT) < 0 && !m_strTickAnchor.empty())
        m_rows.SetRangeChecked(m_strTickAnchor, key, msg.lParam != 0);
    m_strTickAnchor = key;
    AfterTicksChanged();
}

void CTrevandWnd::AfterTicksChanged() {
    UpdateTotals();
    ShowSelectAllTruth();
}

void CTrevandWnd::ShowSelectAllTruth() {
    if (!m_pChkSelectAll) return;
    const bool all = m_rows.AllShownChecked();
    if (m_pChkSelectAll->IsSelected() != all) m_pChkSelectAll->Selected(all);
}

bool CTrevandWnd::OnSelectAllTruth() {
    ShowSelectAllTruth();
    return true;
}

LRESULT CTrevandWnd::OnKeyDown(UINT, WPARAM wParam, LPARAM, bool& bHandled) {
    bHandled = OnListKey(wParam);
    return 0;
}

bool CTrevandWnd::OnListKey(WPARAM key) {
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    Vellum::CListUI* list = m_rows.GetList();
    switch (key) {
    case VK_SPACE: {
        // Elsewhere Space presses the focused button or box.
        if (control || !list || !IsInside(m_pm.GetFocus(), list)) return false;
        const std::string selected = m_rows.KeyAt(list->GetCurSel());
        if (selected.empty()) return true;
        const ListRowInfo* row = m_rows.Find(selected);
        m_rows.SetChecked(selected, !row->pRow->IsChecked());
        m_strTickAnchor = selected;
        AfterTicksChanged();
        return true;
    }
    case 'A':
        if (!control) return false;
        m_rows.SetAllChecked(true);
        AfterTicksChanged();
        return true;
    case VK_DELETE:
        if (IsEnabledButton(m_pBtnRemove)) OnRemove();
        return true;
    case VK_F5:
        if (IsEnabledButton(m_pBtnFlush)) RefreshList(true);
        return true;
    default: return false;
    }
}
