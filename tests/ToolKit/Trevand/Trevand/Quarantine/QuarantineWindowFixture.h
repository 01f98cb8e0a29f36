// The quarantine as the program runs it: moves and purges through the real
// deletion window over the real main window, on the deletion tests' café
// (drives E and F with read-only, hidden and GBK-named entries, links to a
// folder outside every disk).
//
// Every test that moves or deletes compares the disks and the outside folder
// file by file, content included, against a listing taken before.
#pragma once

#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../DeletionFixture.h"
#include "QuarantineListing.h"
#include "QuarantineSteps.h"
#include "ToolKit/Trevand/Trevand/DelDirWndRun.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineMoveJob.h"

namespace quarantinetest {

// Wraps a job so that its worker can be held (WorkerHold) before each entry,
// also where the job deletes nothing, as a move into the quarantine.
std::unique_ptr<CDelDirJob> HeldBeforeEachEntry(std::unique_ptr<CDelDirJob> job);

class QuarantineWindow : public deletiontest::Deletion {
protected:
    void SetUp() override;
    void TearDown() override;
    // Leaves out the files of 100 MiB and more, whose contents every
    // listing would read; moves never look at a file's size.
    void ChangeCafe(testsupport::CafeDescription* desc) override;
    // Gives a few files contents of their own; a fixture that adds to it
    // calls it first.
    void BeforeMainWindow() override;

    // Drives E and F and the folder outside every disk (QuarantineListing).
    testsupport::DiskListing ContentListing() const;

    // Runs `job` on `paths` through the deletion window over the main
    // window (RunDelDirWnd) with `steps` meanwhile; its outcome.
    TDelDirOutcome RunJob(std::unique_ptr<CDelDirJob> job, const std::list<std::string>& paths,
                          std::vector<deletiontest::Step> steps);

    // Writes "[Quarantine] KeepDays=<days>" into Trevand.ini beside the
    // executable, where the program reads it; the file is put back as it
    // was after the test.
    void SetKeepDays(int days);

    // Whether the start-up upkeep is over, as the main window shows it:
    // "隔离区" is enabled again.
    bool UpkeepOver();
    bool Enabled(const char* control);
    // The line under the list, or "" when it is hidden.
    std::string LastRunLine();

    // Whether SetUp waits for the start-up upkeep to be over (a fixture that
    // holds the upkeep does not).
    bool m_bWaitForUpkeep = true;

private:
    bool m_bIniSaved = false;
    bool m_bIniExisted = false;
    std::string m_strIni;
};

}  // namespace quarantinetest
