// The deletion window outlives its worker, whatever ends its modal loop: a
// quit message (a close request reaching the main window, or one from
// outside) is answered like "closebtn", the window keeps handling the
// worker's calls until the worker is done, and the quit comes back after.
#include <gtest/gtest.h>

#include "DeletionFixture.h"

using testsupport::ChangesBesideDeleted;

namespace deletiontest {
namespace {

TEST_F(Deletion, QuitMessageWhileTheWorkerRunsCancelsAndTheWindowWaitsForTheWorker) {
    // Held in the second tree: the first is deleted and its row removal is
    // on its way when the quit comes.
    WorkerHold::Arm("Cancel2");
    const std::vector<std::string> ticked = {"E:\\Cancel1", "E:\\Cancel2", "E:\\b.txt"};
    const testsupport::DiskListing before = Listing();

    RunDeletion({ticked.begin(), ticked.end()},
                {WaitHeldThen("a quit message", [] { ::PostQuitMessage(0); }),
                 {"the modal loop ended, the window still up and cancelling",
                  [] { return Window() && !Window()->IsRunningForTests(); }, [] { ExpectCancelling(); }},
                 ReleaseWorker("it stops and the window goes")});

    // The fixture saw the object go only after the worker's done flag.
    EXPECT_TRUE(QuitAfterRun()) << "the quit message was lost";
    EXPECT_TRUE(::IsWindowEnabled(Main()->GetHWND()));
    EXPECT_EQ((std::vector<std::string>{"[Info]|Trevand  删除目录E:\\Cancel1",
                                        "[Warning]|Trevand  已取消删除，目录未删完E:\\Cancel2"}),
              DeletionLines());
    EXPECT_EQ("", ChangesBesideDeleted(before, Listing(), ticked));
    EXPECT_TRUE(testsupport::FileExists("E:\\b.txt"));
    EXPECT_EQ(0u, SummaryAtClose().find("已取消：已删除 1 项")) << SummaryAtClose();
    EXPECT_FALSE(HasRow("E:\\Cancel1"));
    EXPECT_TRUE(HasRow("E:\\Cancel2"));
    EXPECT_TRUE(HasRow("E:\\b.txt"));
}

TEST_F(Deletion, QuitMessageAfterTheRunFinishedClosesTheWindow) {
    const testsupport::DiskListing before = Listing();
    RunDeletion({"E:\\a.txt"}, {{"the completion texts", [] { return Window() && Text("DelDirWndFinal") == "删除完成！"; },
                                 [] { ::PostQuitMessage(0); }}});
    EXPECT_TRUE(QuitAfterRun());
    EXPECT_EQ(nullptr, Window());
    EXPECT_EQ("已删除 1 项，释放 " , SummaryAtClose().substr(0, std::string("已删除 1 项，释放 ").size()));
    EXPECT_EQ("", ChangesBesideDeleted(before, Listing(), {"E:\\a.txt"}));
}

}  // namespace
}  // namespace deletiontest
