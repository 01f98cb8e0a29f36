// CListItemPaintT<Key>: a check-box list row that carries its own key. The
// main window's rows use the full path of their candidate, so that a row
// found by position in the list leads back to its table entry.
#pragma once

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
