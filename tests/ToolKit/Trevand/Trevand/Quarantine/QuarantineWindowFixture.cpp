#include "QuarantineWindowFixture.h"

#include <algorithm>

#include "UI/Core/ControlUI.h"
#include "support/TempDir.h"

namespace quarantinetest {

namespace {

class CHeldJob : public CDelDirJob {
public:
    explicit CHeldJob(std::unique_ptr<CDelDirJob> job) : m_job(std::move(job)) {}

    const TDelDirTexts& Texts() const override { return m_job->Texts(); }
    Fate Process(const std::string& path, uint32_t attributes, CEntryDeleter& deleter, uint64_t* bytes) override {
        deletiontest::WorkerHold::Checkpoint(path);
        return m_job->Process(path, attributes, deleter, bytes);
    }
    void EntryGone(const std::string& path, CEntryDeleter& deleter) override { m_job->EntryGone(path, deleter); }
    void EntryFinished(const std::string& path) override { m_job->EntryFinished(path); }
    std::string SummaryText(const DeletionTally& tally) const override { return m_job->SummaryText(tally); }

private:
    const std::unique_ptr<CDelDirJob> m_job;
};

}  // namespace

std::unique_ptr<CDelDirJob> HeldBeforeEachEntry(std::unique_ptr<CDelDirJob> job) {
    return std::unique_ptr<CDelDirJob>(new CHeldJob(std::move(job)));
}

void QuarantineWindow::ChangeCafe(testsupport::CafeDescription* desc) {
    const int64_t kLarge = 100 * 1024 * 1024;
    for (testsupport::CafeDrive& drive : desc->drives) {
        std::vector<testsupport::CafeEntry>& entries = drive.entries;
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [kLarge](const testsupport::CafeEntry& entry) { return entry.size >= kLarge; }),
                      entries.end());
    }
}

void QuarantineWindow::BeforeMainWindow() {
    // Contents of their own, so that one file passing for another shows.
    testsupport::WriteFileBytes("E:\\Games\\Old\\单机游戏\\pal.exe", std::string(70000, 'p') + "end");
    testsupport::WriteFileBytes("E:\\a.txt", "a");
    testsupport::WriteFileBytes("E:\\b.txt", "bb");
}

void QuarantineWindow::SetUp() {
    Deletion::SetUp();
    if (HasFatalFailure()) return;
    // The upkeep the first load started, and the folder sizes, walk these
    // disks: they are done before a test moves anything.
    ASSERT_TRUE(windowtest::PumpUntil(
        [this] { return (!m_bWaitForUpkeep || UpkeepOver()) && !Main()->FolderSizesRunningForTests(); }));
}

void QuarantineWindow::TearDown() {
    Deletion::TearDown();
    if (!m_bIniSaved) return;
    const std::string ini = CTrevandWnd::SettingsFile();
    if (m_bIniExisted) testsupport::WriteFileBytes(ini, m_strIni);
    else ::DeleteFileA(ini.c_str());
}

testsupport::DiskListing QuarantineWindow::ContentListing() const {
    return QuarantineListing({"E:\\", "F:\\", m_outside->Path()});
}

TDelDirOutcome QuarantineWindow::RunJob(std::unique_ptr<CDelDirJob> job, const std::list<std::string>& paths,
                                        std::vector<deletiontest::Step> steps) {
    TDelDirOutcome outcome;
    RunDeletionWindow([&] { outcome = RunDelDirWnd(Main()->GetHWND(), std::move(job), paths); }, std::move(steps));
    return outcome;
}

void QuarantineWindow::SetKeepDays(int days) {
    const std::string ini = CTrevandWnd::SettingsFile();
    if (!m_bIniSaved) {
        m_bIniSaved = true;
        m_bIniExisted = testsupport::FileExists(ini);
        m_strIni = testsupport::ReadFileBytes(ini);
    }
    testsupport::WriteFileBytes(ini, "[Quarantine]\r\nKeepDays=" + std::to_string(days) + "\r\n");
}

bool QuarantineWindow::Enabled(const char* control) {
    Vellum::CControlUI* found = Main()->GetManager().FindControl(control);
    EXPECT_NE(nullptr, found) << control;
    return found && found->IsEnabled();
}

bool QuarantineWindow::UpkeepOver() { return Enabled("BtnQuarantineList"); }

std::string QuarantineWindow::LastRunLine() {
    Vellum::CControlUI* label = Main()->GetManager().FindControl("LastDeletionLabel");
    return label && label->IsVisible() ? label->GetText().ToStdString() : "";
}

}  // namespace quarantinetest
