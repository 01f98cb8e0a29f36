// CListTextElementUI: a multi-column list row, one text per column. The
// column geometry, fonts and alignments come from the owner list's header.
#pragma once

#include <vector>

#include "UI/Control/ListLabelElementUI.h"

namespace Vellum {

class CListTextElementUI : public CListLabelElementUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    using CListLabelElementUI::GetText;
    using CListLabelElementUI::SetText;
    // That column's text, or empty.
    const char* GetText(int iColumn) const;
    // Ignored without an owner list, for a column outside the list's columns
    // and for an unchanged text; repaints the row otherwise.
    void SetText(int iColumn, const char* pstrText);

    void DrawItemText(HDC hDC, const RECT& rcItem) override;

protected:
    // The text shown in a column: the owner's text callback when it has one.
    const char* GetColumnText(int iColumn) const;

    std::vector<CUIString> m_aTexts;
};

}  // namespace Vellum
