// The quarantine from outside, on the real Trevand.exe: entries moved in by
// "隔离" byte for byte, restored and deleted for good from the quarantine
// window after a restart, and purged at a start once kept long enough.
#include "EndToEndFixture.h"

#include "support/OutsideLimits.h"
#include "support/ProgramLog.h"
#include "support/TempDir.h"
#include "support/WaitUntil.h"
#include "support/WindowView.h"

using testsupport::DiskListing;
using testsupport::kDeletionLimitMs;
using testsupport::kUiLimitMs;
using testsupport::ListingDifference;
using testsupport::Rebased;
using testsupport::ScreenRect;
using testsupport::Screenshot;
using testsupport::Without;
using testsupport::XWindow;

namespace endtoend {
namespace {

const char kQuarantineE[] = "E:\\TrevandQuarantine";

// The name of the one batch folder in E's quarantine; empty when there is
// not exactly one.
std::string OnlyBatch(const DiskListing& listing) {
    const std::string prefix = std::string(kQuarantineE) + "\\";
    std::string batch;
    int batches = 0;
    for (const auto& entry : listing) {
        const std::string& path = entry.first;
        if (path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = path.substr(prefix.size());
        if (rest.find('\\') != std::string::npos || rest.find('.') != std::string::npos) continue;
        batch = rest;
        ++batches;
    }
    return batches == 1 ? batch : std::string();
}

// The entries of `listing` at or below any of `tops`.
DiskListing Only(const DiskListing& listing, const std::vector<std::string>& tops) {
    DiskListing kept;
    for (const auto& entry : listing) {
        for (const std::string& top : tops) {
            if (testsupport::IsAtOrBelow(entry.first, top)) kept.insert(entry);
        }
    }
    return kept;
}

class QuarantineEndToEnd : public EndToEnd {
protected:
    // On the master café, moves the rows `rows` of E (of kRowsOfE) into E's
    // quarantine through "隔离" and its confirmation; the list then shows the
    // others. Returns the batch they went into, having checked that they are
    // there byte for byte and nothing else changed.
    std::string QuarantineRows(const std::vector<int>& rows) {
        const int rowsOfE = static_cast<int>(kRowsOfE.size());
        SelectDrive(1, rowsOfE);
        ClickTicks(rows, rows, rowsOfE);
        const XWindow box = AskToQuarantine();
        if (!box.Valid()) return std::string();
        Shot("confirmation");
        ConfirmAndFinish(box, {});
        CloseDeletionWindow(rowsOfE - static_cast<int>(rows.size()));
        const DiskListing moved = ListDisksWithContent();
        const std::string batch = OnlyBatch(moved);
        EXPECT_FALSE(batch.empty()) << "no single batch in " << kQuarantineE;
        std::vector<std::string> ticked;
        DiskListing expected;
        for (int row : rows) {
            const std::string& path = kRowsOfE[row];
            const std::string stored = Stored(batch, path);
            ticked.push_back(path);
            for (const auto& entry : Rebased(m_beforeWithContent, path, stored)) expected.insert(entry);
            EXPECT_EQ(1, CountLogLines("[Info]|Trevand  隔离" + path + " -> " + stored));
        }
        // Nothing but the ticked entries left their places, and in the
        // quarantine they are what they were, file by file, byte for byte.
        EXPECT_EQ("", ListingDifference(Without(m_beforeWithContent, ticked), Without(moved, {kQuarantineE})));
        std::vector<std::string> stored;
        for (const std::string& path : ticked) stored.push_back(Stored(batch, path));
        EXPECT_EQ("", ListingDifference(expected, Only(moved, stored)));
        return batch;
    }

    static std::string Stored(const std::string& batch, const std::string& path) {
        return std::string(kQuarantineE) + "\\" + batch + path.substr(2);
    }

    void StartWithContent() {
        Start(MasterCafe(Outside()));
        m_beforeWithContent = ListDisksWithContent();
    }

    DiskListing m_beforeWithContent;
};

TEST_F(QuarantineEndToEnd, MovesTwoEntriesInAndAfterARestartRestoresOneAndDeletesTheOtherForGood) {
    StartWithContent();
    ConfirmRole(false, 2);
    // A folder tree with a read-only, a hidden and a GBK-named file (誠: its
    // trail byte is 0x5C) and a subfolder; and a file.
    const std::string old = kRowsOfE[0], file = kRowsOfE[4];
    const std::string batch = QuarantineRows({0, 4});
    ASSERT_FALSE(batch.empty());
    Shot("quarantined");
    CloseProgram();

    // Meanwhile another file takes the place of the one quarantined.
    testsupport::WriteFileBytes(file, "a new a.txt");
    Restart();
    const int rowsOfE = static_cast<int>(kRowsOfE.size());
    ConfirmRole(false, 2);
    SelectDrive(1, rowsOfE - 1);
    const XWindow quarantine = OpenQuarantineWindow(2);
    ASSERT_TRUE(quarantine.Valid());
    Shot("quarantine-window");
    for (int row : {0, 1}) {
        const skinpoints::Point tick = skinpoints::RowTick(row, skinpoints::kQuarantineWindow.listTop);
        ASSERT_TRUE(quarantine.Click(tick.x, tick.y));
    }
    const skinpoints::Point restore = skinpoints::kQuarantineWindow.BtnRestore;
    ASSERT_TRUE(quarantine.Click(restore.x, restore.y));
    ASSERT_TRUE(testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch()).Valid()) << "no restore report";
    Shot("restore-report");
    CloseInfoBox();
    // The folder is back in its place, byte for byte; the file stays held
    // and the file now in its place is untouched.
    ASSERT_TRUE(WaitForRowsIn(quarantine, 1, kUiLimitMs, skinpoints::kQuarantineWindow.listTop)) << "the restored row did not leave the list";
    const DiskListing restored = ListDisksWithContent();
    EXPECT_EQ("", ListingDifference(Only(m_beforeWithContent, {old}), Only(restored, {old})));
    EXPECT_EQ("a new a.txt", testsupport::ReadFileBytes(file));
    EXPECT_EQ("", ListingDifference(Rebased(m_beforeWithContent, file, Stored(batch, file)),
                                    Only(restored, {Stored(batch, file)})));
    EXPECT_EQ(1, CountLogLines("[Info]|Trevand  还原" + old));
    EXPECT_EQ(1, CountLogLines("[Warning]|Trevand  未还原" + file + "（原位置已被占用）"));

    // "彻底删除" of the file left, still ticked: through the deletion window,
    // gone for good.
    Screenshot shot;
    ASSERT_TRUE(shot.Take(Scratch()));
    EXPECT_TRUE(testsupport::RowTicked(shot, quarantine.Geometry(), 0, skinpoints::kQuarantineWindow.listTop)) << "the row left lost its tick";
    const skinpoints::Point purge = skinpoints::kQuarantineWindow.BtnPurge;
    ASSERT_TRUE(quarantine.Click(purge.x, purge.y));
    const XWindow box = testsupport::WaitForPaintedWindow(kMsgBoxText, kUiLimitMs, Scratch());
    ASSERT_TRUE(box.Valid()) << "no confirmation before deleting for good";
    Shot("purge-confirmation");
    const std::string purgedLine = "[Info]|Trevand  彻底删除隔离项" + Stored(batch, file) + "（原位置" + file + "）";
    ConfirmAndFinish(box, {purgedLine});
    const XWindow deletion = XWindow::Find(kDelDirWindowText);
    const skinpoints::Point close = skinpoints::kDelDirWindow.closebtn;
    ASSERT_TRUE(deletion.Click(close.x, close.y));
    ASSERT_TRUE(XWindow::WaitGone(kDelDirWindowText, kUiLimitMs));
    ASSERT_TRUE(WaitForRowsIn(quarantine, 0, kUiLimitMs, skinpoints::kQuarantineWindow.listTop)) << "the purged row did not leave the list";
    Shot("quarantine-emptied");
    const skinpoints::Point closeQuarantine = skinpoints::kQuarantineWindow.closebtn;
    ASSERT_TRUE(quarantine.Click(closeQuarantine.x, closeQuarantine.y));
    ASSERT_TRUE(XWindow::WaitGone(kQuarantineWindowText, kUiLimitMs));
    // The main window lists the disk as it is now: the folder is back, and
    // the new file is a candidate of its own.
    ASSERT_TRUE(WaitForRows(rowsOfE, kUiLimitMs));

    const DiskListing after = ListDisksWithContent();
    EXPECT_EQ("", ListingDifference(Without(m_beforeWithContent, {file}), Without(after, {file, kQuarantineE})));
    EXPECT_EQ("", ListingDifference(DiskListing(), Only(after, {Stored(batch, file)})));
    EXPECT_EQ(1, CountLogLines(purgedLine));
    CloseProgram();
}

TEST_F(QuarantineEndToEnd, KeepDaysZeroPurgesAtTheNextStart) {
    StartWithContent();
    ConfirmRole(false, 2);
    const std::string temp = kRowsOfE[3];
    const std::string batch = QuarantineRows({3});
    ASSERT_FALSE(batch.empty());
    CloseProgram();

    Restart("[Quarantine]\r\nKeepDays=0\r\n");
    ConfirmRole(false, 2);
    const std::string purgedLine = "[Info]|Trevand  彻底删除隔离项" + Stored(batch, temp) + "（原位置" + temp + "）";
    ASSERT_TRUE(testsupport::WaitForLogLine(m_app->TodaysLog(), purgedLine, kDeletionLimitMs))
        << "the expired entry was not purged at the start";
    Shot("purged-at-start");
    const DiskListing after = ListDisksWithContent();
    EXPECT_EQ("", ListingDifference(Without(m_beforeWithContent, {temp}), Without(after, {kQuarantineE})));
    EXPECT_EQ("", ListingDifference(DiskListing(), Only(after, {Stored(batch, temp)})));
    CloseProgram();
}

}  // namespace
}  // namespace endtoend
