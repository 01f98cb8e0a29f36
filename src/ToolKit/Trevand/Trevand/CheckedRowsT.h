// CCheckedRowsT<Entry>: the rows of a check-box list, one entry per row, keyed
// by a string the row carries (CListItemPaint), in the order the operator
// chose. The main window keeps its candidates in one (CListItemTable, keyed by
// the candidate's path), the quarantine window its records (CQuarantineRows,
// keyed by the stored path): finding a row, sorting, ticking every row and
// reading the ticked ones work the same for both.
//
// Entry derives from TCandidateFacts (the plain values the rows are sorted on,
// CandidateOrder.h) and has a member `CListItemPaint* pRow`. Once an order is
// chosen (SetOrder) it holds for every later SyncRows: new rows take their
// sorted place.
//
// Invariant: every row in the list has exactly one entry and every entry
// points to a row in the list. The list owns the rows; the table only points.
// UI thread only.
#pragma once

#include <cassert>
#include <map>
#include <set>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "ToolKit/Trevand/Trevand/CandidateOrder.h"
#include "ToolKit/Trevand/Trevand/ListItemPaintT.h"
#include "UI/Control/ListUI.h"

template <class Entry>
class CCheckedRowsT {
public:
    CCheckedRowsT() = default;
    CCheckedRowsT(const CCheckedRowsT&) = delete;
    CCheckedRowsT& operator=(const CCheckedRowsT&) = delete;

    // The list control the rows live in; null until the window has found it.
    void SetList(Vellum::CListUI* pList) { m_pList = pList; }
    Vellum::CListUI* GetList() const { return m_pList; }

    // Sorts the rows by `order` and keeps that order in later syncs; ticks
    // and the selection stay with their rows.
    void SetOrder(const TCandidateOrder& order) {
        m_order = order;
        if (m_pList && m_order.IsSorted()) ApplyOrder();
    }
    const TCandidateOrder& GetOrder() const { return m_order; }
    // Puts the rows in the chosen order again (their values changed);
    // nothing without one.
    void Resort() { SetOrder(m_order); }

    // The entries of the rows, top to bottom.
    std::vector<const Entry*> InListOrder() const { return Collect(false); }
    // The entries of the ticked rows, top to bottom.
    std::vector<const Entry*> CheckedInListOrder() const { return Collect(true); }
    // Ticked, visible rows that have an entry.
    int CountChecked() const { return static_cast<int>(Collect(true).size()); }

    // Ticks or clears every shown row, repainting the rows that change. A
    // row a filter hides keeps its tick: what the operator cannot see is
    // never ticked for him.
    void SetAllChecked(bool bChecked) {
        for (const Entry* entry : Collect(false)) SetRowChecked(entry->pRow, bChecked);
    }

    // Whether rows are shown and every one of them is ticked: what "全选"
    // must say.
    // The entries are walked, not the list: order does not matter here, and
    // finding each row's entry by its key would cost more than the answer.
    bool AllShownChecked() const {
        bool anyShown = false;
        for (const auto& entry : m_mapRow) {
            const CListItemPaint* pRow = entry.second.pRow;
            if (!pRow->IsVisible()) continue;
            if (!pRow->IsChecked()) return false;
            anyShown = true;
        }
        return anyShown;
    }

    // The key of the shown row at list position `index`; "" when there is none.
    std::string KeyAt(int index) const {
        if (!m_pList || index < 0 || index >= m_pList->GetCount()) return std::string();
        const Entry* entry = EntryAt(index);
        return entry ? entry->pRow->GetKey() : std::string();
    }

    // Ticks or clears the row of `key`, repainting it when it changes; false,
    // changing nothing, when it is not a shown row.
    bool SetChecked(const std::string& key, bool bChecked) {
        const Entry* entry = Find(key);
        if (!entry || !entry->pRow->IsVisible()) return false;
        SetRowChecked(entry->pRow, bChecked);
        return true;
    }

    // Gives `bChecked` to the shown rows from the row of `from` to the row of
    // `to`, both included, whichever comes first in the list. False, changing
    // nothing, when either is not a shown row.
    bool SetRangeChecked(const std::string& from, const std::string& to, bool bChecked) {
        const std::vector<const Entry*> shown = Collect(false);
        int first = -1, last = -1;
        for (int i = 0; i < static_cast<int>(shown.size()); ++i) {
            const std::string& key = shown[i]->pRow->GetKey();
            if (key == from) first = i;
            if (key == to) last = i;
        }
        if (first < 0 || last < 0) return false;
        if (first > last) std::swap(first, last);
        for (int i = first; i <= last; ++i) SetRowChecked(shown[i]->pRow, bChecked);
        return true;
    }

    // Removes the row of `key`; false when the table has none.
    bool Remove(const std::string& key) {
        auto found = m_mapRow.find(key);
        if (found == m_mapRow.end()) return false;
        CListItemPaint* pRow = found->second.pRow;
        m_mapRow.erase(found);
        m_pList->Remove(pRow);  // the list destroys the row
        return true;
    }

    // Removes every row and entry.
    void Clear() {
        if (m_mapRow.empty()) return;
        m_mapRow.clear();
        if (m_pList) m_pList->RemoveAll();
    }

    size_t Size() const { return m_mapRow.size(); }
    // The entry of `key`, or null.
    const Entry* Find(const std::string& key) const {
        auto found = m_mapRow.find(key);
        return found == m_mapRow.end() ? nullptr : &found->second;
    }

protected:
    // Makes the rows match `items`: the rows of keys still there keep their
    // object, position and tick; new keys get an unticked row at the end (or,
    // once an order is chosen, in their sorted place); rows of keys no longer
    // there are removed. `keyOf(item)` gives an item's key; `show(item, entry,
    // fresh)` fills the entry's facts and the row's texts (`fresh` for a new
    // row). Keys given in ascending order are added at the cost of a hint.
    // Nothing without a list.
    template <class Items, class KeyOf, class Show>
    void SyncRows(const Items& items, KeyOf keyOf, Show show) {
        if (!m_pList) return;
        std::set<std::string> stale;
        for (const auto& entry : m_mapRow) stale.insert(stale.end(), entry.first);
        for (const auto& item : items) {
            const std::string& key = keyOf(item);
            auto found = m_mapRow.find(key);
            const bool fresh = found == m_mapRow.end();
            if (fresh) {
                Entry entry;
                entry.pRow = NewRow(key);
                found = m_mapRow.emplace_hint(found, key, entry);
            } else {
                stale.erase(key);
            }
            show(item, found->second, fresh);
        }
        RemoveRows(stale);
        if (m_order.IsSorted()) ApplyOrder();
    }

    // The entry of `key` for changing its facts, or null.
    Entry* FindEntry(const std::string& key) {
        auto found = m_mapRow.find(key);
        return found == m_mapRow.end() ? nullptr : &found->second;
    }
    // Every entry, in key order (not the list's).
    const std::map<std::string, Entry>& Entries() const { return m_mapRow; }

private:
    static void SetRowChecked(CListItemPaint* pRow, bool bChecked) {
        if (pRow->IsChecked() == bChecked) return;
        pRow->SetChecked(bChecked);
        pRow->Invalidate();
    }

    std::vector<const Entry*> Collect(bool checkedOnly) const {
        std::vector<const Entry*> entries;
        if (!m_pList) return entries;
        const int items = m_pList->GetCount();
        if (!checkedOnly) entries.reserve(items);
        for (int i = 0; i < items; ++i) {
            const Entry* entry = EntryAt(i);
            if (entry && (!checkedOnly || entry->pRow->IsChecked())) entries.push_back(entry);
        }
        return entries;
    }

    // The row at list position `i` when it leads to an entry of this table.
    const Entry* EntryAt(int i) const {
        auto* pRow = reinterpret_cast<CListItemPaint*>(m_pList->GetItemAt(i)->GetTag());
        if (!pRow || !pRow->IsVisible()) return nullptr;
        const Entry* entry = Find(pRow->GetKey());
        return entry && entry->pRow == pRow ? entry : nullptr;
    }

    CListItemPaint* NewRow(const std::string& key) {
        auto* pRow = new CListItemPaint;
        // A row only takes texts once it is in its list (the list gives it
        // its columns), so it is added first.
        m_pList->Add(pRow);
        pRow->SetTag(reinterpret_cast<UINT_PTR>(pRow));
        pRow->SetKey(key);
        pRow->SetPadding({1, 0, 1, 0});
        pRow->ShowCheckBox(true);
        return pRow;
    }

    // Removes the rows of `keys`, every one of which has an entry.
    void RemoveRows(const std::set<std::string>& keys) {
        if (keys.empty()) return;
        std::unordered_set<Vellum::CControlUI*> rows;
        for (const std::string& key : keys) {
            auto found = m_mapRow.find(key);
            rows.insert(found->second.pRow);
            m_mapRow.erase(found);
        }
        // One pass over the list: a drive switch replaces every row, and
        // removing tens of thousands one by one would renumber the list each time.
        m_pList->RemoveIf([&rows](Vellum::CControlUI* row) { return rows.count(row) != 0; });
    }

    // Puts the rows in m_order; one reorder of the list.
    void ApplyOrder() {
        std::vector<const Entry*> entries;
        entries.reserve(m_mapRow.size());
        for (const auto& entry : m_mapRow) entries.push_back(&entry.second);
        SortCandidates(entries, m_order);
        std::vector<Vellum::CControlUI*> rows;
        rows.reserve(entries.size());
        for (const Entry* entry : entries) rows.push_back(entry->pRow);
        // Every row has exactly one entry, so this is a full permutation.
        const bool reordered = m_pList->Reorder(rows);
        assert(reordered);
        (void)reordered;
    }

    Vellum::CListUI* m_pList = nullptr;
    std::map<std::string, Entry> m_mapRow;
    TCandidateOrder m_order;
};
