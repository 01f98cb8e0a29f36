#include "DeletionFixture.h"

#include "RowTick.h"
#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "UI/Control/ListUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "comm/platform/WorkerThread.h"

using testsupport::CafeEntry;

namespace deletiontest {

const char kLongFolder[] = "网吧游戏更新临时目录_2023年12月_请勿手动删除_备份文件夹_第二批次_补丁包与旧版本存档";

namespace {

// ---- the steps ----

const DWORD kStepTimeoutMs = 15000;
// After a step timed out: how long the window gets to close once asked to.
const DWORD kAbortGraceMs = 10000;

struct StepRun {
    std::vector<Step> steps;
    size_t next = 0;
    DWORD since = 0;  // when the current step (or the wait for the end) began
    bool inTick = false;
    bool aborted = false;
    bool quitPosted = false;
};
StepRun* g_run = nullptr;

HWND MessageBoxWindow() {
    HWND box = ::FindWindowA("MsgBoxWnd", nullptr);
    return box && ::IsWindowVisible(box) ? box : nullptr;
}

// A step did not come: say which, then ask every window up to close so the
// modal loops end; as a last resort end them with a quit message.
void Abort(StepRun& run, const std::string& what) {
    ADD_FAILURE() << "timed out waiting for: " << what;
    run.aborted = true;
    run.since = ::GetTickCount();
    WorkerHold::ReleaseAll();
}

void AbortTick(StepRun& run) {
    if (CDelDirWnd* wnd = Deletion::Window()) ::PostMessageA(wnd->GetHWND(), WM_SYSCOMMAND, SC_CLOSE, 0);
    if (HWND box = MessageBoxWindow()) windowtest::PostKey(box, VK_ESCAPE);
    if (!run.quitPosted && ::GetTickCount() - run.since > kAbortGraceMs) {
        run.quitPosted = true;
        ::PostQuitMessage(0);
    }
}

// One step at most per tick: what a step posts is handled before the next
// timer message comes (timer messages come only when the queue is empty).
void CALLBACK OnStepTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_run || g_run->inTick) return;
    StepRun& run = *g_run;
    run.inTick = true;
    if (run.aborted) {
        AbortTick(run);
    } else if (run.next < run.steps.size()) {
        Step& step = run.steps[run.next];
        if (step.ready()) {
            step.act();
            ++run.next;
            run.since = ::GetTickCount();
        } else if (::GetTickCount() - run.since > kStepTimeoutMs) {
            Abort(run, step.what);
        }
    } else if (::GetTickCount() - run.since > kStepTimeoutMs) {
        Abort(run, "the modal windows to close after the last step");
    }
    run.inTick = false;
}

// ---- the café ----

std::vector<CafeEntry> DriveE(const std::string& outside) {
    std::vector<CafeEntry> entries = {
        {CafeEntry::kFile, "Games\\WoW\\wow.exe"},
        {CafeEntry::kReadOnlyFile, "Games\\Old\\ro.txt"},
        {CafeEntry::kFile, "Games\\Old\\.hidden"},
        {CafeEntry::kHiddenFile, "Games\\Old\\hidden.dat"},
        {CafeEntry::kFile, "Games\\Old\\单机游戏\\pal.exe"},
        {CafeEntry::kReadOnlyFile, "Games\\Old\\Sub\\Deeper\\x.bin"},
        {CafeEntry::kHiddenFolder, "Games\\Old\\Sub\\Cache"},
        {CafeEntry::kFile, "Games\\Old\\Sub\\Cache\\c.dat"},
        {CafeEntry::kFolder, "Games\\Old\\Empty"},
        {CafeEntry::kReadOnlyFile, "readonly.txt"},
        {CafeEntry::kFile, "a.txt"},
        {CafeEntry::kFile, "b.txt"},
        {CafeEntry::kFile, "held.txt"},
        {CafeEntry::kFile, "gone.txt"},
        {CafeEntry::kFile, "Keep\\k.txt"},
        {CafeEntry::kFile, "LinkEmpty\\keep.txt"},
        {CafeEntry::kFile, "LinkEmpty\\Inner\\other.txt"},
        {CafeEntry::kLink, "LinkEmpty\\Inner\\to-empty", outside + "\\empty"},
        {CafeEntry::kFile, "LinkFull\\data.txt"},
        {CafeEntry::kLink, "LinkFull\\to-full", outside + "\\full"},
        {CafeEntry::kFile, "LinkFile\\data.txt"},
        {CafeEntry::kLink, "LinkFile\\to-file", outside + "\\file.txt"},
        {CafeEntry::kLink, "TopEmpty", outside + "\\top-empty"},
        {CafeEntry::kLink, "TopFull", outside + "\\top-full"},
        {CafeEntry::kLink, "TopFile", outside + "\\top-file.txt"},
        // A tree whose entries that stay are logged with paths inside it.
        {CafeEntry::kFile, "孤儿链\\a.txt"},
        {CafeEntry::kFile, "孤儿链\\sub\\b.txt"},
        {CafeEntry::kLink, "孤儿链\\sub\\外链空", outside + "\\empty"},
        {CafeEntry::kFile, "孤儿链\\深层\\更深\\c.txt"},
    };
    // Files of known lengths, for the space a deletion frees: a tree with a
    // folder inside, a loose file, a folder that keeps a file held open, a
    // folder holding a link, a tree to stop part way, and files over 4 GiB
    // (sparse: they cost no disk space).
    const int64_t kMiB = 1024 * 1024;
    for (const CafeEntry& entry : {
             CafeEntry(CafeEntry::kFile, "SumBig\\disk.img").Size(30 * kMiB),
             CafeEntry(CafeEntry::kFile, "SumBig\\Sub\\part.bin").Size(10 * kMiB),
             CafeEntry(CafeEntry::kFile, "sum-loose.dat").Size(3 * kMiB / 2),
             CafeEntry(CafeEntry::kFile, "SumHeld\\keep.dat").Size(100 * kMiB),
             CafeEntry(CafeEntry::kFile, "SumHeld\\gone.dat").Size(3 * kMiB),
             CafeEntry(CafeEntry::kFile, "SumLinked\\a.bin").Size(2 * kMiB),
             CafeEntry(CafeEntry::kLink, "SumLinked\\to-full", outside + "\\full"),
             CafeEntry(CafeEntry::kFile, "SumPart\\p1.bin").Size(4 * kMiB),
             CafeEntry(CafeEntry::kFile, "SumPart\\p2.bin").Size(4 * kMiB),
             CafeEntry(CafeEntry::kFile, "huge.img").Size(6656 * kMiB),
             CafeEntry(CafeEntry::kFile, "SumHuge\\disk.img").Size(4608 * kMiB),
         }) {
        entries.push_back(entry);
    }
    // A path too long for the window's text line, for the screenshots.
    for (const char* file : {"a.dat", "b.dat", "c.dat"})
        entries.push_back({CafeEntry::kFile, std::string(kLongFolder) + "\\" + file});
    // Trees to stop part way, each with files enough that the worker is
    // held at its first and has more to do after.
    for (int tree = 1; tree <= 4; ++tree) {
        for (int file = 1; file <= 5; ++file) {
            entries.push_back(
                {CafeEntry::kFile, "Cancel" + std::to_string(tree) + "\\f" + std::to_string(file) + ".dat"});
        }
    }
    return entries;
}

testsupport::CafeDescription DeletionCafe(const std::string& outside) {
    testsupport::CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}};
    desc.packages = {{1, "E:\\Games\\WoW", 1, "NetGames"}};
    desc.drives = {{'E', DriveE(outside)}, {'F', {{CafeEntry::kFile, "x.dat"}, {CafeEntry::kFolder, "Games\\Stale"}}}};
    return desc;
}

}  // namespace

void Deletion::SetUp() {
    Vellum::CShadowUI::Initialize(Vellum::CUIManager::GetInstance());
    m_skins.reset(new windowtest::SkinFolder);
    m_outside.reset(new testsupport::TempDir);
    for (const char* folder : {"empty", "full", "full\\sub", "top-empty", "top-full"})
        ASSERT_TRUE(::CreateDirectoryA(Outside(folder).c_str(), nullptr)) << folder;
    for (const char* file : {"full\\f1.txt", "full\\sub\\f2.txt", "file.txt", "top-full\\f3.txt", "top-file.txt"})
        testsupport::WriteFileBytes(Outside(file), "outside");
    testsupport::CafeDescription desc = DeletionCafe(m_outside->Path());
    ChangeCafe(&desc);
    m_cafe.reset(new testsupport::Cafe(desc));
    ASSERT_TRUE(m_cafe->Ready()) << m_cafe->Problem();
    // Until Wine reads its drive letters again, a folder of this café can
    // resolve through a letter an earlier test's folder had (inode numbers
    // are reused), and the listing could not tell links from plain entries.
    ASSERT_TRUE(m_cafe->WaitForDriveNames(3000));
    // Names whose last byte is 0x5C, the trail byte of 誠: made here, where
    // no path is split at a byte that only looks like a separator.
    ASSERT_TRUE(::CreateDirectoryA("E:\\Games\\Old\\单机游戏\\誠", nullptr));
    testsupport::WriteFileBytes("E:\\Games\\Old\\单机游戏\\誠\\誠.txt", "gbk");
    testsupport::WriteFileBytes("E:\\Games\\誠", "a file named 誠");
    BeforeMainWindow();
    if (HasFatalFailure()) return;

    // As the entry point and the role window do, with the master role.
    ASSERT_NE(nullptr,
              Main()->Create(nullptr, "CTrevandWnd", WS_VISIBLE | WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0));
    Main()->CenterWindow();
    CSelectServerClassWnd::Instance()->ShowWindow(false);
    Main()->ShowWindow(true);
    Main()->SelectRole(1);
    ::UpdateWindow(Main()->GetHWND());
    windowtest::PumpPending();
}

void Deletion::TearDown() {
    WorkerHold::Disarm();
    platform::ReplaceStartThreadCallForTests(nullptr);
    if (CTrevandWnd::HasInstance() && ::IsWindow(Main()->GetHWND())) ::DestroyWindow(Main()->GetHWND());
    if (CSelectServerClassWnd::HasInstance() && ::IsWindow(CSelectServerClassWnd::Instance()->GetHWND()))
        ::DestroyWindow(CSelectServerClassWnd::Instance()->GetHWND());
    windowtest::PumpPending();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    CTrevandWnd::ReleaseInstance();
    CSelectServerClassWnd::ReleaseInstance();
    m_cafe.reset();
    m_outside.reset();
    m_skins.reset();
}

void Deletion::RunWithSteps(const std::function<void()>& body, std::vector<Step> steps) {
    StepRun run;
    run.steps = std::move(steps);
    run.since = ::GetTickCount();
    g_run = &run;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &OnStepTimer);
    body();
    ::KillTimer(nullptr, timer);
    g_run = nullptr;
    if (!run.aborted && run.next < run.steps.size())
        ADD_FAILURE() << "the windows closed before the step: " << run.steps[run.next].what;
    // A quit message that ended the modal loops is not the test's to keep.
    m_bQuitAfterRun = false;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        if (msg.message == WM_QUIT) m_bQuitAfterRun = true;
    }
}

namespace {

// What a deletion window was like as its object went.
struct AtDestroy {
    bool seen = false;
    bool done = false;        // its worker had set the done flag
    bool nativeGone = false;  // its native window was gone already
    std::string summary;      // "DelDirWndSummary"
    std::string summaryText;  // SummaryText(), what the main window keeps
    std::string headline;     // "DelDirWndFinal"
    std::string status;       // "DelDirWndStatus"
};
AtDestroy g_atDestroy;

void RecordAtDestroy(CDelDirWnd& wnd) {
    g_atDestroy.seen = true;
    g_atDestroy.done = wnd.IsDone();
    g_atDestroy.nativeGone = !::IsWindow(wnd.GetHWND());
    // The controls live as long as the object, past the native window.
    Vellum::CControlUI* summary = wnd.GetManager().FindControl("DelDirWndSummary");
    g_atDestroy.summary = summary ? summary->GetText().ToStdString() : "<no DelDirWndSummary>";
    g_atDestroy.summaryText = wnd.SummaryText();
    Vellum::CControlUI* headline = wnd.GetManager().FindControl("DelDirWndFinal");
    g_atDestroy.headline = headline ? headline->GetText().ToStdString() : "<no DelDirWndFinal>";
    Vellum::CControlUI* status = wnd.GetManager().FindControl("DelDirWndStatus");
    g_atDestroy.status = status ? status->GetText().ToStdString() : "<no DelDirWndStatus>";
}

}  // namespace

void Deletion::RunDeletion(const std::list<std::string>& paths, std::vector<Step> steps) {
    RunDeletionWindow([this, &paths] { Main()->RunDeletion(paths); }, std::move(steps));
}

void Deletion::RunDeletionWindow(const std::function<void()>& body, std::vector<Step> steps) {
    g_atDestroy = AtDestroy();
    CDelDirWnd::SetDestroyHookForTests(&RecordAtDestroy);
    RunWithSteps(body, std::move(steps));
    CDelDirWnd::SetDestroyHookForTests(nullptr);
    ASSERT_TRUE(g_atDestroy.seen) << "the deletion window object was never deleted";
    // Whatever ended its modal loop, the object goes only once the worker is
    // done with it, and after its window.
    EXPECT_TRUE(g_atDestroy.done) << "deleted while its worker still ran";
    EXPECT_TRUE(g_atDestroy.nativeGone);
    m_strSummaryAtClose = g_atDestroy.summary;
    m_strHeadlineAtClose = g_atDestroy.headline;
    m_strStatusAtClose = g_atDestroy.status;
    // The main window keeps the same line after this window has gone.
    EXPECT_EQ(m_strSummaryAtClose, g_atDestroy.summaryText);
}

CDelDirWnd* Deletion::Window() {
    HWND hWnd = ::FindWindowA("CDelDirWnd", nullptr);
    if (!hWnd) return nullptr;
    auto* base = reinterpret_cast<Vellum::CWindowWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    return dynamic_cast<CDelDirWnd*>(base);
}

std::string Deletion::Text(const char* control) {
    CDelDirWnd* wnd = Window();
    Vellum::CControlUI* found = wnd ? wnd->GetManager().FindControl(control) : nullptr;
    return found ? found->GetText().ToStdString() : std::string("<no ") + control + ">";
}

void Deletion::ClickIn(Vellum::WindowImplBase* wnd, const char* control) {
    ::UpdateWindow(wnd->GetHWND());
    Vellum::CControlUI* found = wnd->GetManager().FindControl(control);
    ASSERT_NE(nullptr, found) << control;
    windowtest::PostClick(wnd->GetHWND(), windowtest::CenterOf(found));
}

Step Deletion::WaitFinishedThenClose(const std::string& headline) {
    return {"the completion texts", [headline] { return Window() && Text("DelDirWndFinal") == headline; },
            [] { ClickIn(Window(), "closebtn"); }};
}

Step Deletion::WaitHeldThen(const std::string& what, std::function<void()> act) {
    return {"the worker held: " + what, [] { return WorkerHold::Entered() && Window(); }, std::move(act)};
}

Step Deletion::CheckThen(const std::string& what, std::function<void()> check) {
    return {what, [] { return true; }, std::move(check)};
}

Step Deletion::ReleaseWorker(const std::string& what) {
    return {"release the worker: " + what, [] { return true; }, [] { WorkerHold::Release(); }};
}

namespace {

Step Answer(const char* button, std::string* text) {
    return {"the yes/no box", [] { return MessageBoxWindow() != nullptr; },
            [button, text] {
                HWND box = MessageBoxWindow();
                auto* wnd = dynamic_cast<Vellum::WindowImplBase*>(
                    reinterpret_cast<Vellum::CWindowWnd*>(::GetWindowLongPtrA(box, GWLP_USERDATA)));
                ASSERT_NE(nullptr, wnd);
                if (text) *text = wnd->GetManager().FindControl("TextContent")->GetText().ToStdString();
                Deletion::ClickIn(wnd, button);
            }};
}

}  // namespace

Step Deletion::AnswerYes(std::string* text) { return Answer("BtnOk", text); }

Step Deletion::AnswerNo(std::string* text) { return Answer("BtnCancel", text); }

void Deletion::ExpectCancelling(const std::string& headline) {
    CDelDirWnd* wnd = Window();
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ("请稍后！", Text("DelDirWndStatus"));
    EXPECT_EQ(headline, Text("DelDirWndFinal"));
    EXPECT_EQ("", Text("DelDirWndText"));
    EXPECT_FALSE(wnd->IsRunningForTests());
    EXPECT_FALSE(wnd->CanCancelForTests());
    EXPECT_FALSE(wnd->IsDone());
    // Still modal over the main window.
    EXPECT_FALSE(::IsWindowEnabled(CTrevandWnd::Instance()->GetHWND()));
}

void Deletion::Tick(const std::string& path) {
    ASSERT_TRUE(apptest::ClickRowTick(*Main(), path)) << path;
    ASSERT_TRUE(Main()->RowsForTests().Find(path)->pRow->IsChecked()) << path;
}

std::string Deletion::CountText() {
    Vellum::CControlUI* label = Main()->GetManager().FindControl("ClearCountLabel");
    return label ? label->GetText().ToStdString() : "";
}

std::vector<std::string> Deletion::DeletionLines(const testsupport::LogCapture& since) {
    std::vector<std::string> lines;
    for (const std::string& line : since.Lines()) {
        if (line.find("|Trevand  ") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

testsupport::DiskListing Deletion::Listing() const {
    return testsupport::TakeListing({"E:\\", "F:\\", m_outside->Path()});
}

}  // namespace deletiontest
