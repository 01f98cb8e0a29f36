// CTrevandWnd's filters: the text box ("FilterText") and the modified-time
// drop-down ("FilterAge") narrow the rows shown; the count line says how
// many of the drive's rows are shown while they hide any (after a failed
// reload too, beside the failure it keeps showing).
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/EditUI.h"
#include "UI/Control/ListLabelElementUI.h"
#include "comm/platform/Clock.h"

#include <algorithm>

void CTrevandWnd::InitFilters() {
    if (Vellum::CControlUI* edit = m_pm.FindControl("FilterText"))
        m_pFilterText = static_cast<Vellum::CEditUI*>(edit->GetInterface("Edit"));
    if (Vellum::CControlUI* combo = m_pm.FindControl("FilterAge"))
        m_pFilterAge = static_cast<Vellum::CComboUI*>(combo->GetInterface("Combo"));
    if (m_pFilterAge) {
        for (int age = 0; age < kAgeFilterCount; ++age) {
            auto* entry = new Vellum::CListLabelElementUI;
            entry->SetText(AgeFilterText(age));
            m_pFilterAge->Add(entry);
        }
        m_pFilterAge->SelectItem(m_settings.nAgeFilter, false);
    }
    if (m_pFilterText) m_pFilterText->SetText(m_settings.strTextFilter.c_str());
    ApplyFilters();
}

void CTrevandWnd::OnFilterChanged(Vellum::TNotification&) {
    ApplyFilters();
    ShowListCount();
    AfterTicksChanged();
}

void CTrevandWnd::ReadFilterControls() {
    m_settings.strTextFilter = m_pFilterText ? m_pFilterText->GetText().ToStdString() : std::string();
    m_settings.nAgeFilter = m_pFilterAge ? std::max(0, m_pFilterAge->GetCurSel()) : 0;
}

void CTrevandWnd::ApplyFilters() {
    ReadFilterControls();
    m_rows.SetFilter(MakeRowFilter(m_settings.strTextFilter, m_settings.nAgeFilter, platform::NowWallClock().seconds));
}

std::string CTrevandWnd::ShownOfText() const {
    const size_t shown = m_rows.ShownCount();
    if (shown == m_rows.Size()) return std::string();
    return "，显示 " + std::to_string(shown) + " / " + std::to_string(m_rows.Size());
}
