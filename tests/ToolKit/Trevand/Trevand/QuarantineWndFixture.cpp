#include "QuarantineWndFixture.h"

#include "RowTick.h"
#include "ToolKit/Trevand/Trevand/CandidateText.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "ToolKit/Trevand/Trevand/QuarantineText.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListUI.h"
#include "comm/platform/Clock.h"
#include "comm/platform/PathSeparator.h"

using testsupport::DiskListing;

namespace quarantinewndtest {

namespace {

HWND VisibleWindow(const char* className) {
    HWND hWnd = ::FindWindowA(className, nullptr);
    return hWnd && ::IsWindowVisible(hWnd) ? hWnd : nullptr;
}

template <class Wnd>
Wnd* ObjectOf(HWND hWnd) {
    if (!hWnd) return nullptr;
    return dynamic_cast<Wnd*>(reinterpret_cast<Vellum::CWindowWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA)));
}

// Bytes of the plain files at or below `path` in `listing`.
uint64_t TreeBytes(const DiskListing& listing, const std::string& path) {
    uint64_t bytes = 0;
    for (const auto& entry : listing) {
        if (testsupport::IsAtOrBelow(entry.first, path) && !(entry.second.attributes & FILE_ATTRIBUTE_DIRECTORY))
            bytes += entry.second.size;
    }
    return bytes;
}

}  // namespace

void QuarantineWindow::SetUp() {
    Deletion::SetUp();
    if (HasFatalFailure()) return;
    // The café's large sparse files serve the deletion's space sums; here
    // they would only make every listing with content read gigabytes.
    for (const auto& entry : testsupport::TakeListing({"E:\\"})) {
        if (entry.second.size > 1024 * 1024) {
            ASSERT_TRUE(::DeleteFileA(entry.first.c_str())) << entry.first;
        }
    }
    // Contents of their own, so that one file passing for another shows.
    testsupport::WriteFileBytes("E:\\a.txt", "first a");
    testsupport::WriteFileBytes("E:\\b.txt", "the b file");
    testsupport::WriteFileBytes("E:\\Games\\Old\\单机游戏\\pal.exe", std::string(70000, 'p') + "end");
}

TQuarantineRecord QuarantineWindow::MoveIn(const std::string& original, const std::string& batch, int daysAgo) {
    const DiskListing listing = testsupport::TakeListing({original.substr(0, 3)});
    const uint32_t attributes = ::GetFileAttributesA(original.c_str());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes) << original;
    const bool dir = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    const uint64_t size = dir ? TreeBytes(listing, original) : listing.at(original).size;
    CQuarantineDisk disk(quarantine::DriveOfPath(original));
    uint32_t error = 0;
    TQuarantineRecord record;
    EXPECT_TRUE(disk.Open(true, &error)) << error;
    const int64_t when = platform::NowWallClock().seconds - daysAgo * 86400LL - 3600;
    EXPECT_TRUE(disk.MoveIn(original, dir, size, batch, when, &record, &error)) << original << ": " << error;
    return record;
}

DiskListing QuarantineWindow::ListingWithContent() const {
    return testsupport::WithoutDatabaseBytes(
        testsupport::TakeListingWithContent({"E:\\", "F:\\", m_outside->Path()}));
}

std::string QuarantineWindow::HeldDifference(const DiskListing& before, const DiskListing& after,
                                             const std::vector<TQuarantineRecord>& held) {
    std::vector<testsupport::HeldEntry> entries;
    for (const TQuarantineRecord& record : held) entries.push_back({record.strOriginalPath, record.strStoredPath});
    return testsupport::ListingDifference(testsupport::ExpectedWithHeld(before, entries), after);
}

bool QuarantineWindow::ShowWith(const std::vector<char>& drives, std::vector<Step> steps) {
    bool changed = false;
    RunWithSteps([&] { changed = CQuarantineWnd::ShowFor(*Main(), drives, kKeepDays); }, std::move(steps));
    EXPECT_EQ(nullptr, ::FindWindowA("CQuarantineWnd", nullptr)) << "the window outlived ShowFor";
    EXPECT_TRUE(::IsWindowEnabled(Main()->GetHWND())) << "the main window was left disabled";
    return changed;
}

CQuarantineWnd* QuarantineWindow::Window() { return ObjectOf<CQuarantineWnd>(VisibleWindow("CQuarantineWnd")); }

std::string QuarantineWindow::Text(const char* control) {
    CQuarantineWnd* wnd = Window();
    Vellum::CControlUI* found = wnd ? wnd->GetManager().FindControl(control) : nullptr;
    return found ? found->GetText().ToStdString() : std::string("<no ") + control + ">";
}

std::vector<std::vector<std::string>> QuarantineWindow::RowTexts() {
    std::vector<std::vector<std::string>> rows;
    CQuarantineWnd* wnd = Window();
    if (!wnd) return rows;
    Vellum::CListUI* list = wnd->RowsForTests().GetList();
    for (int i = 0; i < list->GetCount(); ++i) {
        auto* row = reinterpret_cast<CListItemPaint*>(list->GetItemAt(i)->GetTag());
        std::vector<std::string> texts;
        for (int column = 0; column < kQuarantineColumnCount; ++column) texts.push_back(row->GetText(column));
        rows.push_back(texts);
    }
    return rows;
}

std::vector<std::string> QuarantineWindow::RowPaths() {
    std::vector<std::string> paths;
    for (const auto& texts : RowTexts()) paths.push_back(texts[kColumnPath]);
    return paths;
}

Step QuarantineWindow::WaitForWindow() {
    return {"the quarantine window", [] { return Window() != nullptr; },
            [] { ::UpdateWindow(Window()->GetHWND()); }};
}

Step QuarantineWindow::Tick(const TQuarantineRecord& record, bool ticked) {
    return {"the row of " + record.strStoredPath, [] { return Window() != nullptr; },
            [record, ticked] {
                CQuarantineWnd* wnd = Window();
                const TQuarantineRow* row = wnd->RowsForTests().Find(record.strStoredPath);
                ASSERT_NE(nullptr, row) << record.strStoredPath;
                apptest::ClickRowCheckBox(wnd->GetHWND(), wnd->RowsForTests().GetList(), row->pRow);
                EXPECT_EQ(ticked, row->pRow->IsChecked()) << record.strStoredPath;
            }};
}

Step QuarantineWindow::Click(const char* control) {
    return {std::string("a click on ") + control, [] { return Window() != nullptr; },
            [control] { ClickIn(Window(), control); }};
}

Step QuarantineWindow::ClickHeader(int column) {
    return {"a click on the title of column " + std::to_string(column), [] { return Window() != nullptr; },
            [column] {
                CQuarantineWnd* wnd = Window();
                ::UpdateWindow(wnd->GetHWND());
                Vellum::CControlUI* item = wnd->RowsForTests().GetList()->GetHeader()->GetItemAt(column);
                windowtest::SendClick(wnd->GetHWND(), windowtest::CenterOf(item));
            }};
}

Step QuarantineWindow::AfterPurge(const std::string& what, std::function<void()> check) {
    // The window says what the purge did once the purge has returned.
    return {what, [] { return Window() != nullptr && Text("LastPurgeLabel").find("上次删除：") == 0; },
            std::move(check)};
}

Step QuarantineWindow::PressEscape() {
    return {"Escape", [] { return Window() != nullptr; }, [] { windowtest::PostKey(Window()->GetHWND(), VK_ESCAPE); }};
}

Step QuarantineWindow::AnswerBox(std::string* text, bool yes) {
    return {"the message box", [] { return VisibleWindow("MsgBoxWnd") != nullptr; },
            [text, yes] {
                auto* box = ObjectOf<Vellum::WindowImplBase>(VisibleWindow("MsgBoxWnd"));
                ASSERT_NE(nullptr, box);
                ::UpdateWindow(box->GetHWND());
                *text = box->GetManager().FindControl("TextContent")->GetText().ToStdString();
                ClickIn(box, yes ? "BtnOk" : "BtnCancel");
            }};
}

std::vector<std::string> QuarantineWindow::ExpectedTexts(const TQuarantineRecord& record, int64_t now) {
    return {platform::EntryName(record.strOriginalPath),
            record.strOriginalPath,
            KindText(record.bDir),
            FormatSize(record.nSize),
            FormatModifiedTime(record.nQuarantined),
            DaysLeftText(quarantine::DaysLeft(record.nQuarantined, now, kKeepDays))};
}

}  // namespace quarantinewndtest
