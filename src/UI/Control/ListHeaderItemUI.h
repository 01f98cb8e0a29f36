// CListHeaderItemUI: one column of a list header. Its width is the column's
// width; "itemtextalign" and "colfont" give the column's text alignment and
// font in the rows. With "dragable" its right edge ("sepwidth" pixels) can be
// dragged to resize the column. A click sends "headerclick". A change of
// what the column means for the rows (its place, width, visibility, font or
// alignment) is passed on to the list, which works its columns out again.
// A sort mark (SetSortMark) draws a small triangle at the right end of the
// item, pointing up for an ascending order and down for a descending one.
#pragma once

#include "UI/Control/LabelUI.h"

namespace Vellum {

class CListHeaderItemUI : public CLabelUI {
public:
    CListHeaderItemUI();

    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    UINT GetControlFlags() const override;

    // DT_LEFT / DT_CENTER / DT_RIGHT for the column's cells.
    UINT GetItemTextAlign() const { return m_uItemTextAlign; }
    bool HasItemTextAlign() const { return m_bItemTextAlign; }
    // The column's font in the rows, -1 when the list's item font applies.
    int GetColumnFont() const { return m_iColumnFont; }
    int GetSepWidth() const { return m_iSepWidth; }
    // 0: no mark; +1: ascending; -1: descending. Repaints when it changes.
    void SetSortMark(int iDirection);
    int GetSortMark() const { return m_iSortMark; }

    void SetVisible(bool bVisible = true) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(const char* pstrName, const char* pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;

private:
    // The strip at the right edge that resizes the column.
    RECT GetThumbRect() const;
    // The triangle of the sort mark, in the text colour.
    void PaintSortMark(HDC hDC);
    // Tells the list this column belongs to (through the header, or the list
    // itself while the skin builder fills it) that its columns changed.
    void ColumnsChanged();

    bool m_bDragable = true;
    int m_iSepWidth = 4;
    UINT m_uItemTextAlign = DT_LEFT;
    bool m_bItemTextAlign = false;
    int m_iColumnFont = -1;
    int m_iSortMark = 0;
    UINT m_uState = 0;
    POINT m_ptLastMouse = {0, 0};
    CImageAttribute m_strNormalImage, m_strHotImage, m_strPushedImage, m_strFocusedImage, m_strSepImage;
};

}  // namespace Vellum
