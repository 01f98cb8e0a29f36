// CListTextElementExUI: a multi-column list row with a check box in front of
// its first column. A press in the first column toggles the tick (the row is
// not selected); a press in another column selects the row. Every press
// sends "itemclick" with the row's index and the column pressed; a press on
// the box then sends "itemcheck" with the index and the new tick (1 or 0). Column
// texts are always black, whatever the list's item colours say. The row's
// tool tip holds the texts its columns cut, one per line, as last painted.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "UI/Control/ListTextElementUI.h"

namespace Vellum {

class CListTextElementExUI : public CListTextElementUI {
public:
    CListTextElementExUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

    void ShowCheckBox(bool bShow) { m_bShowCheckBox = bShow; }
    bool IsCheckBoxShown() const { return m_bShowCheckBox; }
    bool IsChecked() const { return m_bChecked; }
    // Does not notify; the caller repaints.
    void SetChecked(bool bChecked) { m_bChecked = bChecked; }

    void DoEvent(TEventUI& event) override;
    void DrawItemText(HDC hDC, const RECT& rcItem) override;
    void DrawItemBk(HDC hDC, const RECT& rcItem) override;

private:
    // Whether `text`, column `iColumn`'s text in font `iFont`, is wider than
    // `width` pixels.
    bool IsCut(HDC hDC, int iColumn, const char* text, int iFont, int width);
    // The width of `text` in font `iFont`, measured again only when the
    // column's text or font changed since it was last measured: measuring
    // every text at every repaint cost a quarter of a list's paint.
    int TextWidth(HDC hDC, int iColumn, const char* text, int iFont);

    // The column whose last painted rectangle holds pt, or -1.
    int HitColumn(POINT pt) const;

    bool m_bShowCheckBox = false;
    bool m_bChecked = false;
    // The box images are the same for every row and read once for all of
    // them; a row that could not draw one stops trying it.
    bool m_bCheckedImageBroken = false;
    bool m_bUncheckedImageBroken = false;
    std::vector<DWORD> m_aColumnTextColor;  // stays 0: texts are drawn black
    std::map<int, RECT> m_mColumnRects;     // where each column was painted last
    // A column text's width as last measured, with what it was measured for:
    // a hash of the text (a collision costs a stale tip, nothing else) and
    // the font.
    struct TMeasuredText {
        uint64_t nTextHash = 0;
        int iFont = -1;
        int cxWidth = 0;
    };
    std::vector<TMeasuredText> m_aMeasured;
};

}  // namespace Vellum
