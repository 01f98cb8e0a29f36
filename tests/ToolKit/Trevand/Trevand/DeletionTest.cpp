// The deletion window and its worker: exactly the ticked entries go, the log
// says truthfully what became of each, the rows leave the main window, and a
// cancel (from "closebtn", Escape, the system close or another program)
// stops the worker with the window kept until it has.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "DeletionFixture.h"
#include "comm/platform/WorkerThread.h"

using testsupport::ChangesBesideDeleted;
using testsupport::ListingDifference;
using testsupport::WithoutDeleted;

namespace deletiontest {
namespace {

std::list<std::string> AsList(const std::vector<std::string>& paths) { return {paths.begin(), paths.end()}; }

const char kLinkLeftTail[] = "（链接不会被跟随，也不会被删除）";

TEST_F(Deletion, EmptyListShowsTheCompletionAtOnceAndOneCloseClosesIt) {
    const testsupport::DiskListing before = Listing();
    RunDeletion({}, {{"the completion texts", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                      [] {
                          EXPECT_EQ("", Text("DelDirWndStatus"));
                          EXPECT_EQ("", Text("DelDirWndText"));
                          EXPECT_TRUE(Window()->IsRunningForTests());
                          EXPECT_TRUE(Window()->CanCancelForTests());
                          EXPECT_TRUE(Window()->IsDone());
                      }},
                     // Finished, the window stays until the operator closes it.
                     CheckThen("still open, one close", [] {
                         ASSERT_NE(nullptr, Window());
                         ClickIn(Window(), "closebtn");
                     })});
    EXPECT_EQ(nullptr, Window());
    EXPECT_TRUE(DeletionLines().empty());
    EXPECT_EQ("", ListingDifference(before, Listing()));
}

TEST_F(Deletion, TickedEntriesAreDeletedWithOneLineEachAndLeaveTheList) {
    // A read-only file, a tree (read-only and hidden files, a hidden folder,
    // GBK names with 0x5C as a trail byte, nested and empty folders), and a
    // file whose name ends in that byte.
    const std::vector<std::string> ticked = {"E:\\readonly.txt", "E:\\Games\\Old", "E:\\Games\\誠"};
    for (const std::string& path : ticked) ASSERT_TRUE(HasRow(path)) << path;
    const size_t rows = Main()->RowsForTests().Size();
    const testsupport::DiskListing before = Listing();

    RunDeletion(AsList(ticked), {WaitFinishedThenClose()});

    EXPECT_EQ(
        (std::vector<std::string>{"[Info]|Trevand  删除文件E:\\readonly.txt", "[Info]|Trevand  删除目录E:\\Games\\Old",
                                  "[Info]|Trevand  删除文件E:\\Games\\誠"}),
        DeletionLines());
    EXPECT_EQ("", ListingDifference(WithoutDeleted(before, ticked), Listing()));
    for (const std::string& path : ticked) EXPECT_FALSE(HasRow(path)) << path;
    EXPECT_EQ(rows - ticked.size(), Main()->RowsForTests().Size());
    EXPECT_EQ("游戏盘：E盘待删除文件共" + std::to_string(rows - ticked.size()) + "个", CountText());
}

TEST_F(Deletion, VanishedPathGivesNoLineAndItsRowStillLeaves) {
    ASSERT_TRUE(HasRow("E:\\gone.txt"));
    ASSERT_TRUE(::DeleteFileA("E:\\gone.txt"));
    RunDeletion({"E:\\gone.txt", "E:\\a.txt"}, {WaitFinishedThenClose()});
    EXPECT_EQ((std::vector<std::string>{"[Info]|Trevand  删除文件E:\\a.txt"}), DeletionLines());
    EXPECT_FALSE(HasRow("E:\\gone.txt"));
    EXPECT_FALSE(HasRow("E:\\a.txt"));
}

TEST_F(Deletion, EntriesHeldOpenAreReportedAsLeftAndListedAgainAfterTheRefresh) {
    // Held without sharing, as a running program holds its files: under Wine
    // a handle of this process refuses the delete as another process's does.
    // b.txt is held with delete sharing: deleted now, it would stay until its
    // holder let go, and a success line would not be true.
    HANDLE held = ::CreateFileA("E:\\held.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE inner = ::CreateFileA("E:\\Keep\\k.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE shared = ::CreateFileA("E:\\b.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_NE(INVALID_HANDLE_VALUE, inner);
    ASSERT_NE(INVALID_HANDLE_VALUE, shared);
    const std::map<std::string, std::vector<std::string>> linesOf = {
        {"E:\\held.txt", {"[Error]|Trevand  未能删除文件E:\\held.txt（错误码32）"}},
        {"E:\\b.txt", {"[Error]|Trevand  未能删除文件E:\\b.txt（错误码32）"}},
        {"E:\\Keep",
         {"[Error]|Trevand  未能删除文件E:\\Keep\\k.txt（错误码32）",
          "[Error]|Trevand  未能删除目录E:\\Keep（错误码145）"}},
        {"E:\\a.txt", {"[Info]|Trevand  删除文件E:\\a.txt"}},
    };
    for (const auto& entry : linesOf) Tick(entry.first);
    std::list<std::string> order;
    Main()->RowsForTests().GetCheckedPaths(order);
    std::vector<std::string> expected;
    for (const std::string& path : order)
        expected.insert(expected.end(), linesOf.at(path).begin(), linesOf.at(path).end());
    const testsupport::DiskListing before = Listing();

    RunWithSteps(
        [this] {
            ClickIn(Main(), "BtnRemove");
            windowtest::PumpPending();
        },
        {AnswerYes(), WaitFinishedThenClose()});
    ::CloseHandle(held);
    ::CloseHandle(inner);
    ::CloseHandle(shared);

    EXPECT_EQ(expected, DeletionLines());
    EXPECT_EQ("", ListingDifference(WithoutDeleted(before, {"E:\\a.txt"}), Listing()));
    // The refresh after the window closed lists what is still there.
    EXPECT_TRUE(HasRow("E:\\held.txt"));
    EXPECT_TRUE(HasRow("E:\\b.txt"));
    EXPECT_TRUE(HasRow("E:\\Keep"));
    EXPECT_FALSE(HasRow("E:\\a.txt"));
}

TEST_F(Deletion, SecondCloseWhileCancellingChangesNothingAndTheWorkerClosesTheWindow) {
    WorkerHold::Arm("Cancel1");
    const std::vector<std::string> ticked = {"E:\\Cancel1", "E:\\a.txt"};
    const testsupport::DiskListing before = Listing();

    RunDeletion(AsList(ticked), {WaitHeldThen("first close", [] { ClickIn(Window(), "closebtn"); }),
                                 CheckThen("cancelling; a second close",
                                           [] {
                                               ExpectCancelling();
                                               ClickIn(Window(), "closebtn");
                                           }),
                                 CheckThen("nothing changed", [] { ExpectCancelling(); }),
                                 ReleaseWorker("it stops and closes the window")});

    EXPECT_EQ((std::vector<std::string>{"[Warning]|Trevand  已取消删除，目录未删完E:\\Cancel1"}), DeletionLines());
    EXPECT_EQ("", ChangesBesideDeleted(before, Listing(), ticked));
    EXPECT_TRUE(testsupport::FileExists("E:\\a.txt"));
    // No row leaves for the tree stopped part way nor for what was not reached.
    EXPECT_TRUE(HasRow("E:\\Cancel1"));
    EXPECT_TRUE(HasRow("E:\\a.txt"));
}

TEST_F(Deletion, PathTextQueuedBeforeTheCancelLeavesTheCancelTextsAlone) {
    // The click is queued first; the UI thread is kept busy until the worker
    // has finished the first tree and queued the next path behind the click.
    WorkerHold::Arm(std::vector<std::string>{"Cancel1", "Cancel2"});
    RunDeletion({"E:\\Cancel1", "E:\\Cancel2"}, {WaitHeldThen("click while the worker goes on",
                                                              [] {
                                                                  ClickIn(Window(), "closebtn");
                                                                  WorkerHold::Release();
                                                                  ASSERT_TRUE(WorkerHold::WaitEntered(1, 10000));
                                                              }),
                                                 CheckThen("the cancel texts stay", [] { ExpectCancelling(); }),
                                                 ReleaseWorker("it stops and closes the window")});
    EXPECT_EQ((std::vector<std::string>{"[Info]|Trevand  删除目录E:\\Cancel1",
                                        "[Warning]|Trevand  已取消删除，目录未删完E:\\Cancel2"}),
              DeletionLines());
    EXPECT_FALSE(HasRow("E:\\Cancel1"));
    EXPECT_TRUE(HasRow("E:\\Cancel2"));
}

TEST_F(Deletion, CloseRequestsWhileRunningAreAnsweredLikeTheFirstCloseButton) {
    const struct {
        const char* name;
        const char* tree;
        void (*request)(HWND);
    } cases[] = {
        {"closebtn", "Cancel1", [](HWND) { ClickIn(Window(), "closebtn"); }},
        {"Escape", "Cancel2", [](HWND hWnd) { windowtest::PostKey(hWnd, VK_ESCAPE); }},
        {"system close", "Cancel3", [](HWND hWnd) { ::PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE from another program", "Cancel4", [](HWND hWnd) { ::PostMessageA(hWnd, WM_CLOSE, 0, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::LogCapture log;
        WorkerHold::Arm(c.tree);
        const std::string tree = std::string("E:\\") + c.tree;
        auto request = c.request;
        RunDeletion({tree, "E:\\b.txt"}, {WaitHeldThen(c.name, [request] { request(Window()->GetHWND()); }),
                                          CheckThen("cancelling", [] { ExpectCancelling(); }),
                                          ReleaseWorker("it stops and closes the window")});
        EXPECT_EQ((std::vector<std::string>{"[Warning]|Trevand  已取消删除，目录未删完" + tree}), DeletionLines(log));
        EXPECT_TRUE(testsupport::FileExists("E:\\b.txt"));
        EXPECT_TRUE(HasRow(tree));
    }
}

TEST_F(Deletion, LinksAreLeftAndWhatTheyPointAtIsUntouched) {
    // Folders holding a link to an empty folder, to a full one and to a file
    // outside every disk, and ticked entries that are such links themselves
    // (Wine shows a link to a file as a plain file).
    const std::vector<std::string> ticked = {"E:\\LinkEmpty", "E:\\LinkFull", "E:\\LinkFile",
                                             "E:\\TopEmpty",  "E:\\TopFull",  "E:\\TopFile"};
    const testsupport::DiskListing before = Listing();
    for (const char* link : {"E:\\LinkEmpty\\Inner\\to-empty", "E:\\LinkFull\\to-full", "E:\\LinkFile\\to-file",
                             "E:\\TopEmpty", "E:\\TopFull", "E:\\TopFile"}) {
        ASSERT_TRUE(before.count(link) && before.at(link).link) << link;
    }

    RunDeletion(AsList(ticked), {WaitFinishedThenClose()});

    EXPECT_EQ("", ListingDifference(WithoutDeleted(before, ticked), Listing()));
    const std::string tail = kLinkLeftTail;
    EXPECT_EQ((std::vector<std::string>{
                  "[Error]|Trevand  未删除链接E:\\LinkEmpty\\Inner\\to-empty" + tail,
                  "[Error]|Trevand  未能删除目录E:\\LinkEmpty（错误码145）",
                  "[Error]|Trevand  未删除链接E:\\LinkFull\\to-full" + tail,
                  "[Error]|Trevand  未能删除目录E:\\LinkFull（错误码145）",
                  "[Error]|Trevand  未删除链接E:\\LinkFile\\to-file" + tail,
                  "[Error]|Trevand  未能删除目录E:\\LinkFile（错误码145）",
                  "[Error]|Trevand  未删除链接E:\\TopEmpty" + tail,
                  "[Error]|Trevand  未删除链接E:\\TopFull" + tail,
                  "[Error]|Trevand  未删除链接E:\\TopFile" + tail,
              }),
              DeletionLines());
}

TEST_F(Deletion, PathsLoggedFromInsideATreeUseBackslashesOnly) {
    // Nested folders; a link two levels down; a file held open in a folder
    // whose name ends in the GBK trail byte 0x5C (誠), which the café cannot
    // make. Each of the two stays and is logged by its path inside the tree.
    ASSERT_TRUE(::CreateDirectoryA("E:\\孤儿链\\深层\\誠", nullptr));
    const std::string heldPath = "E:\\孤儿链\\深层\\誠\\held.txt";
    testsupport::WriteFileBytes(heldPath, "held");
    HANDLE held = ::CreateFileA(heldPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const std::vector<std::string> ticked = {"E:\\孤儿链"};
    const testsupport::DiskListing before = Listing();
    ASSERT_TRUE(before.count("E:\\孤儿链\\sub\\外链空") && before.at("E:\\孤儿链\\sub\\外链空").link);

    RunDeletion(AsList(ticked), {WaitFinishedThenClose()});
    ::CloseHandle(held);

    std::vector<std::string> lines = DeletionLines();
    // No GBK trail byte is 0x2F, so a byte search finds separators only.
    for (const std::string& line : lines) EXPECT_EQ(std::string::npos, line.find('/')) << line;
    // The two inner lines come in the order the folder lists its entries.
    std::sort(lines.begin(), lines.end());
    std::vector<std::string> expected = {
        "[Error]|Trevand  未删除链接E:\\孤儿链\\sub\\外链空" + std::string(kLinkLeftTail),
        "[Error]|Trevand  未能删除文件" + heldPath + "（错误码32）",
        "[Error]|Trevand  未能删除目录E:\\孤儿链（错误码145）",
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, lines);
    // Everything else in the tree went.
    testsupport::DiskListing remaining = WithoutDeleted(before, ticked);
    for (const char* kept : {"E:\\孤儿链\\深层", "E:\\孤儿链\\深层\\誠"}) remaining[kept] = before.at(kept);
    remaining[heldPath] = before.at(heldPath);
    EXPECT_EQ("", ListingDifference(remaining, Listing()));
}

TEST_F(Deletion, WorkerThatCannotStartIsLoggedAndTheWindowCloses) {
    platform::ReplaceStartThreadCallForTests([](platform::ThreadRoutine, void*, uint32_t* error) {
        *error = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    });
    const testsupport::DiskListing before = Listing();
    RunDeletion({"E:\\a.txt"}, {CheckThen("the failure text", [] {
                    EXPECT_EQ("无法开始删除，未删除任何文件。", Text("DelDirWndFinal"));
                    EXPECT_FALSE(Window()->IsRunningForTests());
                    EXPECT_FALSE(Window()->CanCancelForTests());
                    EXPECT_TRUE(Window()->IsDone());
                    ClickIn(Window(), "closebtn");
                })});
    EXPECT_EQ((std::vector<std::string>{"[Error]|Trevand  无法启动删除线程（错误码8），未删除任何文件"}),
              DeletionLines());
    EXPECT_EQ("", ListingDifference(before, Listing()));
    EXPECT_TRUE(HasRow("E:\\a.txt"));
}

// Where the deletion window was each time it moved or changed size while
// visible, as its own thread saw it.
std::vector<RECT> g_shownAt;

LRESULT CALLBACK RecordShownPlaces(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    char name[32] = {};
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED && ::GetClassNameA(call->hwnd, name, sizeof(name)) &&
        std::string(name) == "CDelDirWnd" && ::IsWindowVisible(call->hwnd)) {
        RECT rect;
        ::GetWindowRect(call->hwnd, &rect);
        g_shownAt.push_back(rect);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Deletion, WindowShowsOnlyOnceCentredOverTheMainWindow) {
    g_shownAt.clear();
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &RecordShownPlaces, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    RECT centred = {};
    RunDeletion({"E:\\a.txt"}, {{"the completion texts", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                                  [&centred] {
                                      ::GetWindowRect(Window()->GetHWND(), &centred);
                                      ClickIn(Window(), "closebtn");
                                  }}});
    ::UnhookWindowsHookEx(hook);
    ASSERT_FALSE(g_shownAt.empty());
    // Shown once, where it stays. Only its foot moves, and only up, once:
    // when the run is over it gives up the room of the lines that have
    // nothing more to say.
    int bottoms = 1;
    for (size_t i = 0; i < g_shownAt.size(); ++i) {
        const RECT& rect = g_shownAt[i];
        EXPECT_EQ(centred.left, rect.left);
        EXPECT_EQ(centred.top, rect.top);
        EXPECT_EQ(centred.right, rect.right);
        if (i > 0 && rect.bottom != g_shownAt[i - 1].bottom) {
            ++bottoms;
            EXPECT_LT(rect.bottom, g_shownAt[i - 1].bottom);
        }
    }
    EXPECT_LE(bottoms, 2);
    EXPECT_EQ(centred.bottom, g_shownAt.back().bottom);
    RECT main;
    ::GetWindowRect(Main()->GetHWND(), &main);
    EXPECT_NEAR((main.left + main.right) / 2, (centred.left + centred.right) / 2, 1);
}

}  // namespace
}  // namespace deletiontest
