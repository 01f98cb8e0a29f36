// CCandidateSizer: the total size of each folder candidate's tree, worked out
// on one background thread so the main window never waits for it.
//
// Start hands it the folders of one drive. The thread walks each tree in the
// order given, with the scan's rules for what it meets — every file counts
// (hidden and read-only ones too), a link (reparse point) is never followed
// and adds nothing — and hands the finished folders to `sink` in batches.
// A folder is reported only once its whole tree has been walked. A sub-folder
// that cannot be listed (refused, gone, or named with characters the system
// code page cannot hold) adds nothing, and the folder's size is then reported as partial: the bytes
// found are a lower bound, never to be shown as the whole.
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

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class CCandidateSizer {
public:
    struct TFolderSize {
        std::string strPath;  // as given to Start
        uint64_t nSize = 0;   // bytes of every file in the tree that could be read
        // Some of the tree could not be read (the folder itself included):
        // nSize is then only what was found.
        bool bPartial = false;
        // The newest last write (seconds since 1970 UTC) of the files and
        // folders below it that were read, links left out; 0 for an empty tree.
        int64_t nNewestWrite = 0;
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
    // Waits until the walk has ended: every folder given to Start has then
    // been handed to the sink. Safe when nothing runs.
    void Wait();
    // For tests only. IsRunningForTests: true from Start until the walk has
    // ended (all reported, or stopped).
    bool IsRunningForTests() const;
    // Process-wide: `hook` is called on the worker thread before
    // each folder given to Start is walked, with that folder's path, so a test
    // can hold a sizer provably still running (null removes it; the program
    // never sets one). A hook that blocks should also end its wait once
    // IsStoppingForTests() turns true, or Stop waits for it.
    using FolderHook = std::function<void(const std::string& folder)>;
    static void SetBeforeFolderHookForTests(FolderHook hook);
    // On a worker thread (inside the hook): whether Stop has been asked of the
    // sizer that runs this thread. False on any other thread.
    static bool IsStoppingForTests();

private:
    // The worker: walks `folders` in order and hands finished ones to `sink`.
    void Run(const std::vector<std::string>& folders, const BatchSink& sink);
    // Adds the bytes of every file below `folder` to size->nSize and sets
    // size->bPartial when a folder of the tree cannot be read; false when the
    // walk was cancelled before the tree was done.
    bool SizeTree(const std::string& folder, TFolderSize* size) const;

    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_running{false};
};
