// CQuarantineUpkeep: what the program does for the quarantines of the server
// disks at start-up, on one background thread so the main window never waits:
// settles what a crash left half-way on each disk (CQuarantineDisk::Reconcile),
// deletes for good the entries kept longer than KeepDays (through the same
// link-safe deleting as the deletion window, logged the same way), and
// removes the folders that leaves empty.
//
// Stop cancels and joins: the entry being deleted stops part way (its record
// is held again, so what is left of it can still be restored or purged
// later), and once Stop returns `sink` is never called. The destructor stops.
//
// Threads: Start, Stop and the destructor run on the owner's thread; `sink`
// runs once on the worker thread when the work is over (not after a Stop),
// and must only hand the result on.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "ToolKit/Trevand/Trevand/DelDirJob.h"
#include "ToolKit/Trevand/Trevand/DelDirWndSummary.h"
#include "ToolKit/Trevand/Trevand/QuarantineText.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineRecord.h"

class CQuarantineUpkeep {
public:
    // One expired entry the purge took up: what became of it, and the bytes
    // deleted of it (also when some of it stayed).
    struct TPurged {
        TQuarantineRecord record;
        CDelDirJob::Fate fate = CDelDirJob::Fate::kDone;
        uint64_t nFreedBytes = 0;
    };
    struct TResult {
        DeletionTally tally;  // the expired entries: purged, left; the bytes freed
        int nSettled = 0;     // records a crash had left half-way
        // Entries a crash had left half-way that are held from now on, per
        // disk; disks whose clock judgement stopped their purge, with the
        // latest time each had seen (QuarantineClock.h). As the notes under
        // the list word them (UpkeepNotesText).
        std::vector<TSettledNote> settledHeld;
        std::vector<TClockNote> clockRefused;
        std::vector<TPurged> purged;  // each expired entry taken up, in the order it was
    };
    using DoneSink = std::function<void(const TResult& result)>;

    CQuarantineUpkeep() = default;
    ~CQuarantineUpkeep();
    CQuarantineUpkeep(const CQuarantineUpkeep&) = delete;
    CQuarantineUpkeep& operator=(const CQuarantineUpkeep&) = delete;

    // Starts the work on the disks `drives` (letters), purging what was
    // quarantined `keepDays` days or more before `now` (seconds since 1970
    // UTC) on each disk whose quarantine believes `now` (CQuarantineDisk::
    // KeepTime); a disk that does not purges nothing and is named in the
    // result. Entries of unsure time and entries that are links only are
    // never purged here. False (logged) when the thread cannot start.
    bool Start(std::vector<char> drives, int keepDays, int64_t now, DoneSink sink);
    // Cancels the work and waits for the thread; safe when nothing runs.
    void Stop();
    // Waits until the work is over (the sink has had the result); safe when
    // nothing runs. For a run without a window, which has nothing else to do.
    void Wait();
    // From Start until the work is over or stopped.
    bool IsRunning() const { return m_running; }
    // For tests only: whether a Stop has asked the work to end (a test
    // holding the worker lets it go on once it has).
    bool IsStoppingForTests() const { return m_stopping; }

    // Of the disks `drives`, those that have a quarantine: the others need
    // no upkeep, and when none has one nothing runs.
    static std::vector<char> DrivesWithQuarantine(const std::vector<char>& drives);

private:
    void Run(const std::vector<char>& drives, int keepDays, int64_t now, const DoneSink& sink);
    // One disk: settle, purge what expired, tidy. False when stopped.
    bool KeepDisk(char drive, int keepDays, int64_t now, TResult* result);

    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_running{false};
};
