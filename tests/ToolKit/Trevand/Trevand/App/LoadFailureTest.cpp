// A load that fails must never show an older scan as if it were fresh: the
// rows stay as they were and the count line says that loading failed.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "BoxAnswer.h"
#include "support/TempDir.h"

namespace apptest {
namespace {

const char kLoadFailed[] = "读取配置或扫描磁盘失败，列表未更新；详见程序目录下 log 文件夹中的日志";

// Holds a file open with no sharing, as another program locking it would.
class FileLock {
public:
    explicit FileLock(const std::string& path)
        : m_h(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~FileLock() {
        if (m_h != INVALID_HANDLE_VALUE) ::CloseHandle(m_h);
    }
    bool Held() const { return m_h != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_h;
};

TEST_F(App, FirstLoadThatFailsSaysSoAndListsNothing) {
    testsupport::CafeDescription desc = SecondaryCafe();
    desc.pelloryDb = false;
    StartWithRole(desc, 2);
    EXPECT_TRUE(Main()->LastLoadFailedForTests());
    EXPECT_TRUE(DriveEntries().empty());
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(kLoadFailed, CountText());
    // Cut at the window's smallest width, the line is still read whole: a
    // mouse resting on it shows it in a tip.
    ::SetForegroundWindow(Main()->GetHWND());
    EXPECT_EQ(kLoadFailed, windowtest::HoverForToolTip(Main()->GetHWND(),
                                                        windowtest::CenterOf(MainControl("ClearCountLabel"))));
}

TEST_F(App, ReloadThatFailsKeepsTheRowsAndSaysSoUntilALoadSucceeds) {
    struct FailCase {
        const char* name;
        bool lock;  // else the database file is moved away
    };
    for (const FailCase& c : {FailCase{"missing database", false}, FailCase{"locked database", true}}) {
        SCOPED_TRACE(c.name);
        StartWithRole(SecondaryCafe(), 2);
        ClickTick("E:\\Temp");
        const std::vector<RowView> before = Rows();
        // Deleted since the last scan: a stale list would still offer it.
        ASSERT_TRUE(::DeleteFileA((m_cafe->DriveFolder('E') + "\\a.txt").c_str()));
        const std::string db = m_cafe->PelloryDB();
        {
            std::unique_ptr<FileLock> lock;
            if (c.lock) {
                lock.reset(new FileLock(db));
                ASSERT_TRUE(lock->Held());
            } else {
                ASSERT_TRUE(::MoveFileA(db.c_str(), (db + ".away").c_str()));
            }
            Click(Main(), "BtnFlush");
            EXPECT_EQ(kLoadFailed, CountText());
            const std::vector<RowView> after = Rows();
            ASSERT_EQ(before.size(), after.size());
            for (size_t i = 0; i < before.size(); ++i) {
                EXPECT_EQ(before[i].path, after[i].path);
                EXPECT_EQ(before[i].checked, after[i].checked);
            }
            // Nothing is deleted from rows that may be stale: the button is
            // off and a click on it asks nothing.
            EXPECT_FALSE(MainControl("BtnRemove")->IsEnabled());
            BoxAnswer::Arm(Answer::kYes);
            Click(Main(), "BtnRemove");
            windowtest::PumpUntil([] { return BoxAnswer::s_seen; }, 500);
            BoxAnswer::Disarm();
            EXPECT_FALSE(BoxAnswer::s_seen) << "删除 asked to delete stale rows";
            EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((m_cafe->DriveFolder('E') + "\\Temp").c_str()));
            // A drive switch lists nothing new while the data are not loaded.
            SelectDrive("F:\\");
            EXPECT_EQ(before.size(), Rows().size());
            EXPECT_EQ(kLoadFailed, CountText());
            // The rows still are drive E's: an export is named after them.
            testsupport::TempDir out;
            Main()->SetExportFolder(out.Path() + "\\");
            BoxAnswer::Arm(Answer::kYes);
            Click(Main(), "BtnExport");
            windowtest::PumpUntil([] { return BoxAnswer::s_seen; }, 3000);
            BoxAnswer::Disarm();
            EXPECT_NE(std::string::npos, BoxAnswer::s_text.find("\\候选_E_")) << BoxAnswer::s_text;
            if (!c.lock) {
                ASSERT_TRUE(::MoveFileA((db + ".away").c_str(), db.c_str()));
            }
        }
        Click(Main(), "BtnFlush");
        EXPECT_FALSE(Main()->LastLoadFailedForTests());
        EXPECT_EQ((std::vector<std::string>{"F:\\Games\\Stale", "F:\\x.dat"}), Paths());
        EXPECT_EQ("游戏盘：F盘待删除文件共2个", CountText());
        EXPECT_TRUE(MainControl("BtnRemove")->IsEnabled());
        TearDown();
    }
}

// Whatever the loads before it did, a load that succeeds fills the drive
// selector and lists the first drive.
TEST_F(App, LoadThatSucceedsAfterAFailedFirstLoadFillsTheSelectorAndListsTheFirstDrive) {
    Start(SecondaryCafe());
    const std::string db = m_cafe->PelloryDB();
    ASSERT_TRUE(::MoveFileA(db.c_str(), (db + ".away").c_str()));
    Click(Role(), "SecondaryServerCheck");
    Click(Role(), "OkButton");
    ASSERT_TRUE(Main()->LastLoadFailedForTests());
    EXPECT_TRUE(DriveEntries().empty());
    EXPECT_FALSE(MainControl("BtnRemove")->IsEnabled());

    ASSERT_TRUE(::MoveFileA((db + ".away").c_str(), db.c_str()));
    Click(Main(), "BtnFlush");
    EXPECT_FALSE(Main()->LastLoadFailedForTests());
    EXPECT_EQ((std::vector<std::string>{"E:\\", "F:\\"}), DriveEntries());
    EXPECT_EQ("游戏盘：E盘待删除文件共12个", CountText());
    EXPECT_EQ(12u, Rows().size());
    EXPECT_TRUE(MainControl("BtnRemove")->IsEnabled());

    // Another reload keeps the selector as it is and the drive chosen.
    SelectDrive("F:\\");
    Click(Main(), "BtnFlush");
    EXPECT_EQ((std::vector<std::string>{"E:\\", "F:\\"}), DriveEntries());
    EXPECT_EQ("游戏盘：F盘待删除文件共2个", CountText());
}

TEST_F(App, SuccessfulLoadWithoutDisksSaysNoDiskWasFound) {
    testsupport::CafeDescription desc = SecondaryCafe();
    desc.vdisks.clear();
    StartWithRole(desc, 2);
    EXPECT_FALSE(Main()->LastLoadFailedForTests());
    EXPECT_TRUE(DriveEntries().empty());
    EXPECT_EQ("未找到服务器磁盘", CountText());
}

}  // namespace
}  // namespace apptest
