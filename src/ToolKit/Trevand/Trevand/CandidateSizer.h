// CCandidateSizer: the total size of each folder candidate's tree, worked out
// on one background thread so the main window never waits for it.
//
// Start hands it the folders of one drive. The thread walks each tree in the
// order given, with the scan's rules for what it meets — every file counts
// (hidden and read-only ones too), a link (reparse point) is never followed
// and adds nothing — and hands the finished folders to `sink` in batches.
// A folder is reported only once its whole tree has been walked.
//
// Stop cancels the walk and joins the thread: once it returns, `sink` is never
// called again. Start stops a previous run first; the destructor stops too.
// The owner stops it before anything the sink reaches goes away (the main
// window: before a deletion starts and before the window is released).
//
// Threads: Start, Stop and the destructor run on the owner's thread. `sink`
// runs on the worker thread; it must only hand the batch on (the main window
// posts it to itself as a cross-thread call).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CCandidateSizer {
public:
    struct TFolderSize {
        std::string strPath;  // as given to Start
        uint64_t nSize = 0;   // bytes of every file in the tree
    };
    using BatchSink = std::function<void(std::vector<TFolderSize>&& batch)>;

    CCandidateSizer();
    ~CCandidateSizer();
    CCandidateSizer(const CCandidateSizer&) = delete;
    CCandidateSizer& operator=(const CCandidateSizer&) = delete;

    // Starts sizing `folders`. False (logged) when the thread cannot start;
    // nothing is then reported.
    bool Start(std::vector<std::string> folders, BatchSink sink);
    // Cancels the walk and waits for the thread; safe when nothing runs.
    void Stop();
    // True from Start until the walk has ended (all reported, or stopped).
    bool IsRunning() const;
};
