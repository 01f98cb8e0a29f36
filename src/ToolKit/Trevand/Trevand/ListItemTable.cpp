#include "ToolKit/Trevand/Trevand/ListItemTable.h"

#include <cassert>
#include <unordered_set>

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "UI/Control/ListUI.h"

const char kSizePendingText[] = "计算中…";

namespace {

// "45.2 MB", "45.2 MB+" for a folder only partly read, or the pending text.
std::string SizeText(const ListRowInfo& row) {
    if (!row.bSizeKnown) return kSizePendingText;
    return FormatSize(row.nSize) + (row.bSizePartial ? "+" : "");
}

}  // namespace

void CListItemTable::Sync(const UnLoadPathList& list) {
    if (!m_pList) return;
    std::set<std::string> stale;
    for (const auto& entry : m_mapRow) stale.insert(stale.end(), entry.first);

    for (const UnLoadPathInfo& info : list) {
        auto found = m_mapRow.find(info.strPath);
        const bool fresh = found == m_mapRow.end();
        if (fresh) {
            ListRowInfo row;
            row.pRow = NewRow(info.strPath);
            found = m_mapRow.emplace_hint(found, info.strPath, row);
        } else {
            stale.erase(info.strPath);
        }
        ListRowInfo& row = found->second;
        // The time text costs a local-time conversion: on a reload of tens of
        // thousands of unchanged rows it is made again only where it changed.
        const bool timeChanged = fresh || row.nModified != info.nModified;
        row.strPath = info.strPath;
        row.strName = info.strName;
        row.bDir = info.bDir;
        row.nSize = info.bDir ? 0 : info.nSize;
        row.bSizeKnown = !info.bDir;
        row.bSizePartial = false;
        row.nModified = info.nModified;
        ShowCandidate(row, timeChanged);
    }
    RemoveRows(stale);
    if (m_order.IsSorted()) ApplyOrder();
}

void CListItemTable::SetOrder(const TCandidateOrder& order) {
    m_order = order;
    if (m_pList && m_order.IsSorted()) ApplyOrder();
}

void CListItemTable::ApplyOrder() {
    std::vector<const ListRowInfo*> entries;
    entries.reserve(m_mapRow.size());
    for (const auto& entry : m_mapRow) entries.push_back(&entry.second);
    SortCandidates(entries, m_order);
    std::vector<Vellum::CControlUI*> rows;
    rows.reserve(entries.size());
    for (const ListRowInfo* entry : entries) rows.push_back(entry->pRow);
    // Every row has exactly one entry, so this is a full permutation.
    const bool reordered = m_pList->Reorder(rows);
    assert(reordered);
    (void)reordered;
}

bool CListItemTable::SetFolderSize(const std::string& strPath, uint64_t nSize, bool bPartial) {
    auto found = m_mapRow.find(strPath);
    if (found == m_mapRow.end() || !found->second.bDir) return false;
    ListRowInfo& row = found->second;
    row.nSize = nSize;
    row.bSizeKnown = true;
    row.bSizePartial = bPartial;
    row.pRow->SetText(kColumnSize, SizeText(row).c_str());
    return true;
}

TSizeTotals CListItemTable::Totals() const {
    TSizeTotals totals;
    for (const auto& entry : m_mapRow) {
        const ListRowInfo& row = entry.second;
        const bool checked = row.pRow->IsChecked();
        const bool partial = !row.bSizeKnown || row.bSizePartial;
        totals.nListed += row.nSize;
        totals.bListedPartial |= partial;
        if (!checked) continue;
        totals.nChecked += row.nSize;
        totals.bCheckedPartial |= partial;
    }
    return totals;
}

std::vector<const ListRowInfo*> CListItemTable::InListOrder() const {
    std::vector<const ListRowInfo*> entries;
    if (!m_pList) return entries;
    const int items = m_pList->GetCount();
    entries.reserve(items);
    for (int i = 0; i < items; ++i) {
        if (const ListRowInfo* entry = EntryAt(i)) entries.push_back(entry);
    }
    return entries;
}

std::vector<TListedCandidate> CListItemTable::ListedInOrder() const {
    std::vector<TListedCandidate> listed;
    for (const ListRowInfo* entry : InListOrder()) listed.push_back({*entry, entry->pRow->IsChecked()});
    return listed;
}

void CListItemTable::RemoveRows(const std::set<std::string>& paths) {
    if (paths.empty()) return;
    std::unordered_set<Vellum::CControlUI*> rows;
    for (const std::string& path : paths) {
        auto found = m_mapRow.find(path);
        rows.insert(found->second.pRow);
        m_mapRow.erase(found);
    }
    // One pass over the list: a drive switch replaces every row, and
    // removing tens of thousands one by one would renumber the list each time.
    m_pList->RemoveIf([&rows](Vellum::CControlUI* row) { return rows.count(row) != 0; });
}

CListItemPaint* CListItemTable::NewRow(const std::string& strPath) {
    auto* pRow = new CListItemPaint;
    // A row only takes texts once it is in its list (the list gives it
    // its columns), so it is added first.
    m_pList->Add(pRow);
    pRow->SetTag(reinterpret_cast<UINT_PTR>(pRow));
    pRow->SetKey(strPath);
    return pRow;
}

void CListItemTable::ShowCandidate(const ListRowInfo& row, bool showTime) {
    CListItemPaint* pRow = row.pRow;
    pRow->SetText(kColumnName, row.strName.c_str());
    pRow->SetText(kColumnPath, row.strPath.c_str());
    pRow->SetText(kColumnKind, row.bDir ? "目录" : "文件");
    pRow->SetText(kColumnSize, SizeText(row).c_str());
    if (showTime) pRow->SetText(kColumnModified, FormatModifiedTime(row.nModified).c_str());
    pRow->SetPadding({1, 0, 1, 0});
    pRow->ShowCheckBox(true);
}

const ListRowInfo* CListItemTable::EntryAt(int i) const {
    auto* pRow = reinterpret_cast<CListItemPaint*>(m_pList->GetItemAt(i)->GetTag());
    if (!pRow || !pRow->IsVisible()) return nullptr;
    const ListRowInfo* entry = Find(pRow->GetKey());
    return entry && entry->pRow == pRow ? entry : nullptr;
}

int CListItemTable::CountChecked() const {
    if (!m_pList) return 0;
    int count = 0;
    const int items = m_pList->GetCount();
    for (int i = 0; i < items; ++i) {
        const ListRowInfo* entry = EntryAt(i);
        if (entry && entry->pRow->IsChecked()) ++count;
    }
    return count;
}

void CListItemTable::GetCheckedPaths(std::list<std::string>& paths) const {
    if (!m_pList) return;
    const int items = m_pList->GetCount();
    for (int i = 0; i < items; ++i) {
        const ListRowInfo* entry = EntryAt(i);
        if (entry && entry->pRow->IsChecked()) paths.push_back(entry->strPath);
    }
}

void CListItemTable::SetAllChecked(bool bChecked) {
    for (auto& entry : m_mapRow) {
        CListItemPaint* pRow = entry.second.pRow;
        if (pRow->IsChecked() == bChecked) continue;
        pRow->SetChecked(bChecked);
        pRow->Invalidate();
    }
}

bool CListItemTable::Remove(const std::string& strPath) {
    auto found = m_mapRow.find(strPath);
    if (found == m_mapRow.end()) return false;
    CListItemPaint* pRow = found->second.pRow;
    m_mapRow.erase(found);
    m_pList->Remove(pRow);  // the list destroys the row
    return true;
}

void CListItemTable::Clear() {
    if (m_mapRow.empty()) return;
    m_mapRow.clear();
    if (m_pList) m_pList->RemoveAll();
}

const ListRowInfo* CListItemTable::Find(const std::string& strPath) const {
    auto found = m_mapRow.find(strPath);
    return found == m_mapRow.end() ? nullptr : &found->second;
}
