#include "OperatorFixture.h"

#include <chrono>

#include "ToolKit/Trevand/Trevand/CandidateOrder.h"
#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "ToolKit/Trevand/Trevand/ListItemTable.h"
#include "UI/Control/ListHeaderItemUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"

using testsupport::CafeEntry;

namespace apptest {

const char kEmpty[] = "E:\\Games\\Empty";
const char kOld[] = "E:\\Games\\Old";
const char kComma[] = "E:\\Games\\a,b.txt";
const char kBig[] = "E:\\Games\\big.iso";
const char kOldVersion[] = "E:\\Games\\单机游戏\\旧版本";
const char kNote[] = "E:\\note.txt";
const char kTie[] = "E:\\tie.txt";
const char kStale[] = "F:\\Games\\Stale";

testsupport::CafeDescription SizedCafe() {
    testsupport::CafeDescription desc = SecondaryCafe();
    desc.vdiskPackages = {"E:\\Games\\WoW", "E:\\Games\\单机游戏\\仙剑", "F:\\Games\\Moved"};
    desc.drives = {
        {'E',
         {CafeEntry(CafeEntry::kFile, "Games\\WoW\\wow.exe").Size(4096),
          CafeEntry(CafeEntry::kFile, "Games\\单机游戏\\仙剑\\pal.exe").Size(2048),
          CafeEntry(CafeEntry::kFolder, "Games\\Empty").Modified(kTimeEmpty),
          CafeEntry(CafeEntry::kFile, "Games\\Old\\a.bin").Size(1000),
          CafeEntry(CafeEntry::kFile, "Games\\Old\\sub\\b.bin").Size(2500),
          CafeEntry(CafeEntry::kHiddenFile, "Games\\Old\\sub\\hidden.dat").Size(300),
          CafeEntry(CafeEntry::kReadOnlyFile, "Games\\Old\\ro.txt").Size(200),
          // Followed, it would add wow.exe's 4096 bytes of a registered package.
          CafeEntry(CafeEntry::kLink, "Games\\Old\\lnk", "E:\\Games\\WoW"),
          CafeEntry(CafeEntry::kFolder, "Games\\Old").Modified(kTimeOld),
          CafeEntry(CafeEntry::kFile, "Games\\a,b.txt").Size(10).Modified(kTimeComma),
          CafeEntry(CafeEntry::kFile, "Games\\big.iso").Size(static_cast<int64_t>(kBigBytes)).Modified(kTimeBig),
          CafeEntry(CafeEntry::kFile, "Games\\单机游戏\\旧版本\\data.pak").Size(700000),
          CafeEntry(CafeEntry::kFolder, "Games\\单机游戏\\旧版本").Modified(kTimeOldVersion),
          CafeEntry(CafeEntry::kFile, "note.txt").Size(1536).Modified(kTimeNote),
          CafeEntry(CafeEntry::kFile, "tie.txt").Size(1536).Modified(kTimeNote)}},
        {'F',
         {CafeEntry(CafeEntry::kFolder, "Games\\Moved"),
          CafeEntry(CafeEntry::kFile, "Games\\Stale\\s.bin").Size(3000)}},
    };
    return desc;
}

uint64_t DescribedBytes(const testsupport::CafeDescription& desc, const std::string& path) {
    uint64_t bytes = 0;
    for (const testsupport::CafeDrive& drive : desc.drives) {
        const std::string root = std::string(1, drive.letter) + ":\\";
        for (const CafeEntry& entry : drive.entries) {
            const bool file = entry.kind == CafeEntry::kFile || entry.kind == CafeEntry::kHiddenFile ||
                              entry.kind == CafeEntry::kReadOnlyFile;
            if (file && (root + entry.path).rfind(path + "\\", 0) == 0)
                bytes += entry.size < 0 ? 4 : static_cast<uint64_t>(entry.size);
        }
    }
    return bytes;
}

void OperatorView::StartSized() {
    m_desc = SizedCafe();
    InstallHook();
    StartWithRole(m_desc, 2);
}

void OperatorView::TearDown() {
    Release();
    App::TearDown();
    CCandidateSizer::SetBeforeFolderHookForTests(nullptr);
}

void OperatorView::InstallHook() {
    std::shared_ptr<Hold> hold = m_hold;
    CCandidateSizer::SetBeforeFolderHookForTests([hold](const std::string& folder) {
        std::function<void(const std::string&)> before;
        {
            std::lock_guard<std::mutex> lock(hold->lock);
            before = hold->before;
        }
        if (before) before(folder);
        std::unique_lock<std::mutex> lock(hold->lock);
        if (!hold->armed || (!hold->folder.empty() && hold->folder != folder)) return;
        const unsigned generation = hold->generation;
        hold->reached = true;
        hold->changed.notify_all();
        // Stop gives no signal to wait on: it is asked for now and then.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!hold->released && !CCandidateSizer::IsStoppingForTests() && std::chrono::steady_clock::now() < deadline)
            hold->changed.wait_for(lock, std::chrono::milliseconds(10));
        if (hold->generation == generation) hold->armed = false;
    });
}

void OperatorView::HoldSizerAt(const std::string& folder) {
    std::lock_guard<std::mutex> lock(m_hold->lock);
    ++m_hold->generation;
    m_hold->armed = true;
    m_hold->folder = folder;
    m_hold->reached = false;
    m_hold->released = false;
}

bool OperatorView::Reached() {
    std::unique_lock<std::mutex> lock(m_hold->lock);
    return m_hold->changed.wait_for(lock, std::chrono::seconds(5), [this] { return m_hold->reached; });
}

void OperatorView::Release() {
    std::lock_guard<std::mutex> lock(m_hold->lock);
    m_hold->released = true;
    m_hold->armed = false;
    m_hold->changed.notify_all();
}

void OperatorView::BeforeEachFolder(std::function<void(const std::string&)> step) {
    std::lock_guard<std::mutex> lock(m_hold->lock);
    m_hold->before = std::move(step);
}

std::string OperatorView::Cell(const std::string& path, int column) {
    const ListRowInfo* entry = Main()->RowsForTests().Find(path);
    return entry ? entry->pRow->GetText(column) : "(no row)";
}

std::string OperatorView::TotalText() { return MainControl("SizeTotalLabel")->GetText().ToStdString(); }

bool OperatorView::WaitForSizes() {
    return windowtest::PumpUntil([this] {
        for (const ListRowInfo* entry : Main()->RowsForTests().InListOrder()) {
            if (!entry->bSizeKnown) return false;
        }
        return true;
    });
}

void OperatorView::ClickHeader(int column) {
    Vellum::CListHeaderUI* header = Main()->RowsForTests().GetList()->GetHeader();
    ClickAt(Main()->GetHWND(), windowtest::CenterOf(header->GetItemAt(column)));
}

std::vector<int> OperatorView::SortMarks() {
    std::vector<int> marks;
    Vellum::CListHeaderUI* header = Main()->RowsForTests().GetList()->GetHeader();
    for (int i = 0; i < header->GetCount(); ++i)
        marks.push_back(static_cast<Vellum::CListHeaderItemUI*>(header->GetItemAt(i))->GetSortMark());
    return marks;
}

}  // namespace apptest
