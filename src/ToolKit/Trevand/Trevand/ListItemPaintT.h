// CListItemPaintT<Key>: a check-box list row that carries its own key, so
// that a row found by position in the list leads back to its table entry.
// The windows' rows (CListItemPaint) carry a string: the main window's the
// full path of their candidate, the quarantine window's the stored path of
// their record.
#pragma once

#include <string>

#include "UI/Control/ListTextElementExUI.h"

template <class Key>
class CListItemPaintT : public Vellum::CListTextElementExUI {
public:
    ~CListItemPaintT() override = default;

    const Key& GetKey() const { return m_key; }
    void SetKey(const Key& key) { m_key = key; }

private:
    Key m_key{};
};

using CListItemPaint = CListItemPaintT<std::string>;
