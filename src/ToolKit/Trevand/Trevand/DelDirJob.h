// What the deletion window's worker does with each ticked entry, and the
// words the window says about it. The window runs the worker, its cancel,
// its counts and its summary the same way for every job: deleting the main
// window's ticked entries (the default), moving them into the quarantine,
// or deleting quarantined entries for good.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ToolKit/Trevand/Trevand/DelDirWndSummary.h"

class CEntryDeleter;

// The window's texts for one job.
struct TDelDirTexts {
    const char* title;          // the title bar
    const char* headline;       // "DelDirWndFinal" while the worker runs
    const char* status;         // "DelDirWndStatus" while the worker runs
    const char* closeTooltip;   // the title bar's close button while it runs
    const char* cancelStatus;   // "DelDirWndStatus" after a cancel
    const char* cancelFinal;    // "DelDirWndFinal" after a cancel
    const char* finishedFinal;  // "DelDirWndFinal" after the whole list
    const char* notStartedFinal;
    const char* progressWord;   // before the bytes beside the bar: "已释放" 1.2 GB
};

class CDelDirJob {
public:
    enum class Fate {
        kDone,     // the entry went (deleted, or moved)
        kLeft,     // still there, whole or in part
        kStopped,  // a cancel stopped it part way
    };

    virtual ~CDelDirJob() = default;

    virtual const TDelDirTexts& Texts() const = 0;

    // Worker thread: does the job on `path` (attributes as just read; never
    // kAttributesInvalid), deleting through `deleter` where it deletes, and
    // adds to *bytes what the entry came to (space freed, or held).
    virtual Fate Process(const std::string& path, uint32_t attributes, CEntryDeleter& deleter, uint64_t* bytes) = 0;

    // Worker thread, for a path that was gone when the worker reached it:
    // nothing to do to it, and the worker counts and logs nothing. A job
    // that keeps records of its paths settles them here. Does nothing by
    // default.
    virtual void EntryGone(const std::string& path, CEntryDeleter& deleter);

    // Worker thread, after each entry while the run was not cancelled.
    virtual void EntryFinished(const std::string& path) = 0;

    // The summary line for the counts of a stopped run.
    virtual std::string SummaryText(const DeletionTally& tally) const = 0;
};

// What became of one ticked entry in a run of a job.
enum class EEntryOutcome { kGone, kDone, kLeft, kStopped };

// One entry of a run of `job`, with its attributes as the run just read them:
// a path that is gone goes to the job's EntryGone and counts nowhere; any
// other to its Process, its fate counted in *tally (bytes included). An
// exception out of the job counts the entry as left and is logged: whatever
// it interrupted, the entry was not seen to go. The run with a window and
// the run without one both go through here.
extern const char kEntryExceptionLog[];  // "Trevand  删除文件异常 %s"
EEntryOutcome RunJobOnEntry(CDelDirJob& job, const std::string& path, uint32_t attributes, CEntryDeleter& deleter,
                            DeletionTally* tally);

// Deletes `path` for good through `deleter`: the step of every job that
// deletes.
CDelDirJob::Fate DeleteForGood(const std::string& path, uint32_t attributes, CEntryDeleter& deleter, uint64_t* bytes);

// The deletion's texts, which the other jobs that delete share.
extern const TDelDirTexts kDeletionTexts;

// The main window's deletion ("删除"): each entry is deleted for good and
// its row leaves the main window's list.
std::unique_ptr<CDelDirJob> MakeDeletionJob();
