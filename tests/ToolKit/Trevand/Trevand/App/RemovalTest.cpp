// Removal as the main window runs it around the deletion window: the
// question first, then the ticked paths in list order, then a reload.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <list>
#include <thread>

#include "AppFixture.h"
#include "BoxAnswer.h"
#include "../RowTick.h"
#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/MsgBoxWnd.h"

namespace apptest {
namespace {

// A main window whose deletion step only records what it was given and
// deletes those entries' files itself, so the reload after it shows them gone.
class RecordingWnd : public CTrevandWnd {
public:
    // The window goes before the recorded runs, also when a failed assertion
    // left the test with the window open.
    ~RecordingWnd() override { ReleaseNativeWindow(); }

    std::vector<std::list<std::string>> m_runs;
    bool m_bRemoveEnabledDuringRun = true;
    bool m_bSizerRunningDuringRun = false;

protected:
    void RunDeletion(const std::list<std::string>& paths) override {
        m_runs.push_back(paths);
        m_bSizerRunningDuringRun = FolderSizesRunningForTests();
        m_bRemoveEnabledDuringRun = m_pm.FindControl("BtnRemove")->IsEnabled();
        for (const std::string& path : paths) ::DeleteFileA(path.c_str());
    }
};

class Removal : public App {
protected:
    void SetUp() override {
        Vellum::CShadowUI::Initialize(Vellum::CUIManager::GetInstance());
        m_skins.reset(new windowtest::SkinFolder);
        m_cafe.reset(new testsupport::Cafe(SecondaryCafe()));
        ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
        ASSERT_NE(nullptr,
                  m_wnd.Create(nullptr, "CTrevandWnd", WS_VISIBLE | WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0));
        m_wnd.CenterWindow();
        m_wnd.SelectRole(2);
        ::UpdateWindow(m_wnd.GetHWND());
    }
    void TearDown() override {
        if (::IsWindow(m_wnd.GetHWND())) ::DestroyWindow(m_wnd.GetHWND());
        App::TearDown();
    }
    void Tick(const std::string& path) { ASSERT_TRUE(ClickRowTick(m_wnd, path)) << path; }
    void Remove(Answer answer) {
        BoxAnswer::Arm(answer);
        Click(&m_wnd, "BtnRemove");
        windowtest::PumpUntil([] { return BoxAnswer::s_seen; }, 1000);
        BoxAnswer::Disarm();
        windowtest::PumpPending();
    }

    Vellum::CUIManager& Manager() { return m_wnd.GetManager(); }

    RecordingWnd m_wnd;
};

TEST_F(Removal, YesHandsTheTickedPathsInListOrderThenReloads) {
    // Ticked out of list order: the hand-over follows the list.
    for (const char* path : {"E:\\b.txt", "E:\\Games\\readme.txt", "E:\\a.txt"}) Tick(path);
    Remove(Answer::kYes);
    EXPECT_TRUE(BoxAnswer::s_seen);
    // The program's own question stays the first line; ours says what goes.
    EXPECT_EQ("确定是否删除文件！\n将彻底删除 3 个文件，共 12 B，删除后无法恢复。", BoxAnswer::s_text);
    ASSERT_EQ(1u, m_wnd.m_runs.size());
    EXPECT_EQ((std::list<std::string>{"E:\\Games\\readme.txt", "E:\\a.txt", "E:\\b.txt"}), m_wnd.m_runs[0]);
    EXPECT_FALSE(m_wnd.m_bRemoveEnabledDuringRun);
    EXPECT_TRUE(Manager().FindControl("BtnRemove")->IsEnabled());
    // Reloaded: the deleted entries are gone, the count recounted.
    for (const char* path : {"E:\\b.txt", "E:\\Games\\readme.txt", "E:\\a.txt"})
        EXPECT_EQ(nullptr, m_wnd.RowsForTests().Find(path)) << path;
    EXPECT_EQ(9u, m_wnd.RowsForTests().Size());
    EXPECT_EQ("游戏盘：E盘待删除文件共9个", Manager().FindControl("ClearCountLabel")->GetText().ToStdString());
}

TEST_F(Removal, AnythingButYesChangesNothing) {
    const struct {
        const char* name;
        Answer answer;
    } cases[] = {{"否", Answer::kNo}, {"Escape", Answer::kEscape}, {"closebtn", Answer::kClose}};
    Tick("E:\\a.txt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Remove(c.answer);
        EXPECT_TRUE(BoxAnswer::s_seen);
        EXPECT_TRUE(m_wnd.m_runs.empty());
        EXPECT_EQ(12u, m_wnd.RowsForTests().Size());
        EXPECT_EQ(1, m_wnd.RowsForTests().CountChecked());
        EXPECT_TRUE(testsupport::FileExists(m_cafe->DriveFolder('E') + "\\a.txt"));
        EXPECT_TRUE(Manager().FindControl("BtnRemove")->IsEnabled());
    }
}

TEST_F(Removal, NothingTickedShowsNoQuestion) {
    Remove(Answer::kNo);
    EXPECT_FALSE(BoxAnswer::s_seen);
    EXPECT_TRUE(m_wnd.m_runs.empty());
}

// Holds every sizer run at its first folder until it is stopped, for as
// long as it lives.
struct SizerHeld {
    std::atomic<bool> reached{false};
    SizerHeld() {
        CCandidateSizer::SetBeforeFolderHookForTests([this](const std::string&) {
            reached = true;
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!CCandidateSizer::IsStoppingForTests() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        });
    }
    ~SizerHeld() { CCandidateSizer::SetBeforeFolderHookForTests(nullptr); }
};

TEST_F(Removal, FolderSizesStopBeforeTheDeletionStarts) {
    SizerHeld held;
    ASSERT_TRUE(m_wnd.RefreshList(false));  // a run that stays busy
    ASSERT_TRUE(windowtest::PumpUntil([&] { return held.reached.load(); }));
    ASSERT_TRUE(m_wnd.FolderSizesRunningForTests());
    Tick("E:\\a.txt");
    Remove(Answer::kYes);
    ASSERT_EQ(1u, m_wnd.m_runs.size());
    EXPECT_FALSE(m_wnd.m_bSizerRunningDuringRun);
    // The reload after it sizes the folders again.
    EXPECT_TRUE(m_wnd.FolderSizesRunningForTests());
    m_wnd.StopFolderSizes();
}

}  // namespace
}  // namespace apptest
