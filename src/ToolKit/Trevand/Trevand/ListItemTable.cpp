#include "ToolKit/Trevand/Trevand/ListItemTable.h"

#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "comm/platform/CaseFold936.h"

const char kSizePendingText[] = "计算中…";

namespace {

// "45.2 MB", "45.2 MB+" for a folder only partly read, or the pending text.
std::string SizeText(const ListRowInfo& row) {
    if (!row.bSizeKnown) return kSizePendingText;
    return FormatSize(row.nSize) + (row.bSizePartial ? "+" : "");
}

}  // namespace

void CListItemTable::Sync(const UnLoadPathList& list) {
    SyncRows(
        list, [](const UnLoadPathInfo& info) -> const std::string& { return info.strPath; },
        [this](const UnLoadPathInfo& info, ListRowInfo& row, bool fresh) {
            // The time text costs a local-time conversion: on a reload of tens
            // of thousands of unchanged rows it is made again only where it
            // changed.
            const bool timeChanged = fresh || row.nModified != info.nModified;
            if (fresh) platform::FoldCase936(info.strPath, &row.strFoldedPath);
            static_cast<TCandidateFacts&>(row) = FactsOf(info);
            ShowCandidate(row, timeChanged);
            row.pRow->SetVisible(PassesRowFilter(row, row.strFoldedPath, m_filter));
        });
    CountShown();
}

bool CListItemTable::SetFolderSize(const std::string& strPath, uint64_t nSize, bool bPartial) {
    ListRowInfo* row = FindEntry(strPath);
    if (!row || !row->bDir) return false;
    row->nSize = nSize;
    row->bSizeKnown = true;
    row->bSizePartial = bPartial;
    row->pRow->SetText(kColumnSize, SizeText(*row).c_str());
    return true;
}

void CListItemTable::SetFilter(const TRowFilter& filter) {
    m_filter = filter;
    m_nShown = 0;
    for (const auto& entry : Entries()) {
        const ListRowInfo& row = entry.second;
        const bool shown = PassesRowFilter(row, row.strFoldedPath, m_filter);
        row.pRow->SetVisible(shown);
        m_nShown += shown ? 1 : 0;
    }
}

void CListItemTable::CountShown() {
    m_nShown = 0;
    for (const auto& entry : Entries()) m_nShown += entry.second.pRow->IsVisible() ? 1 : 0;
}

bool CListItemTable::RemoveRow(const std::string& key) {
    const ListRowInfo* row = Find(key);
    if (!row) return false;
    if (row->pRow->IsVisible()) --m_nShown;
    return Remove(key);
}

TSizeTotals CListItemTable::Totals() const {
    TSizeTotals totals;
    for (const auto& entry : Entries()) {
        const ListRowInfo& row = entry.second;
        if (!row.pRow->IsVisible()) continue;
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

std::vector<TListedCandidate> CListItemTable::ListedInOrder() const {
    std::vector<TListedCandidate> listed;
    for (const ListRowInfo* entry : InListOrder()) listed.push_back({*entry, entry->pRow->IsChecked()});
    return listed;
}

void CListItemTable::GetCheckedPaths(std::list<std::string>& paths) const {
    for (const ListRowInfo* entry : CheckedInListOrder()) paths.push_back(entry->strPath);
}

void CListItemTable::ShowCandidate(const ListRowInfo& row, bool showTime) {
    CListItemPaint* pRow = row.pRow;
    pRow->SetText(kColumnName, row.strName.c_str());
    pRow->SetText(kColumnPath, row.strPath.c_str());
    pRow->SetText(kColumnKind, KindText(row.bDir));
    pRow->SetText(kColumnSize, SizeText(row).c_str());
    if (showTime) pRow->SetText(kColumnModified, FormatModifiedTime(row.nModified).c_str());
}
