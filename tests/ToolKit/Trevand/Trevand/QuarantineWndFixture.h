// The quarantine window on real windows over the real main window, on the
// deletion tests' café (drives E and F with read-only, hidden and GBK-named
// entries), with entries moved into the disks' quarantines through
// CQuarantineDisk::MoveIn as the program moves them.
//
// A test opens the window as the main window does (CQuarantineWnd::ShowFor)
// and says what the operator does while it is up as steps, run from a timer
// inside the modal loops exactly as clicks would arrive there.
#pragma once

#include <string>
#include <vector>

#include "DeletionFixture.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"
#include "ToolKit/Trevand/Trevand/QuarantineWnd.h"
#include "support/QuarantineListing.h"

namespace quarantinewndtest {

using deletiontest::Step;

// Entries are kept this many days in these tests.
const int kKeepDays = 7;

class QuarantineWindow : public deletiontest::Deletion {
public:
    // The window on screen, or null.
    static CQuarantineWnd* Window();
    // A control's text in the window.
    static std::string Text(const char* control);
    // The rows' six texts, top to bottom.
    static std::vector<std::vector<std::string>> RowTexts();
    // The original paths of the rows, top to bottom.
    static std::vector<std::string> RowPaths();

protected:
    void SetUp() override;

    // Moves `original` (a path on E or F) into its disk's quarantine in
    // `batch`, as moved `daysAgo` days (and an hour) before now; the test
    // fails unless it moved. The size recorded is the bytes of its tree.
    TQuarantineRecord MoveIn(const std::string& original, const std::string& batch, int daysAgo);

    // Drives E and F and the folder outside every disk, content included,
    // the record databases' bytes left out.
    testsupport::DiskListing ListingWithContent() const;
    // What the disks must hold with `held` in the quarantine and everything
    // else as in `before`; "" when `after` is exactly that.
    static std::string HeldDifference(const testsupport::DiskListing& before, const testsupport::DiskListing& after,
                                      const std::vector<TQuarantineRecord>& held);

    // Opens the window over the main window for `drives` with `steps` run
    // while it is up; returns what ShowFor returned.
    bool ShowWith(const std::vector<char>& drives, std::vector<Step> steps);

    // Steps.
    static Step WaitForWindow();
    // Ticks the row of `record` with a click on its box (`ticked` false:
    // clears it so).
    static Step Tick(const TQuarantineRecord& record, bool ticked = true);
    static Step Click(const char* control);
    static Step ClickHeader(int column);
    static Step PressEscape();
    // Waits for the message box, keeps its text in *text and clicks
    // "BtnOk" (`yes`) or "BtnCancel".
    static Step AnswerBox(std::string* text, bool yes = true);
    static Step Check(const std::string& what, std::function<void()> check) { return CheckThen(what, check); }
    // Runs `check` once a purge has returned to the quarantine window.
    static Step AfterPurge(const std::string& what, std::function<void()> check);

    // The texts a row shows for `record` when the window counts at `now`.
    static std::vector<std::string> ExpectedTexts(const TQuarantineRecord& record, int64_t now);
};

}  // namespace quarantinewndtest
