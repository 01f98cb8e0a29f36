// The main window on a café whose candidates have known sizes and times:
// files of chosen lengths (one sparse file over 4 GiB), folders holding
// hidden, read-only and nested files and a link that must not be followed.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "AppFixture.h"

namespace apptest {

// Last write times of the candidates (seconds since 1970 UTC).
const int64_t kTimeEmpty = 1600000000;
const int64_t kTimeOld = 1500000000;
const int64_t kTimeComma = 1700000000;
const int64_t kTimeBig = 1400000000;
const int64_t kTimeNote = 1650000000;  // note.txt and tie.txt
const int64_t kTimeOldVersion = 1550000000;
const uint64_t kBigBytes = 5ULL * 1024 * 1024 * 1024 + 123;

// The candidates of drive E, in the engine's (path) order.
extern const char kEmpty[];       // folder, nothing in it
extern const char kOld[];         // folder: nested, hidden and read-only files, a link
extern const char kComma[];       // file "a,b.txt", 10 bytes
extern const char kBig[];         // file over 4 GiB
extern const char kOldVersion[];  // folder 单机游戏\旧版本
extern const char kNote[];        // 1536 bytes
extern const char kTie[];         // 1536 bytes, the same time as kNote
extern const char kStale[];       // the folder candidate of drive F

// A secondary café: drive E with the candidates above beside two registered
// packages, drive F with one folder candidate.
testsupport::CafeDescription SizedCafe();

// Bytes of every file the description puts below `path` (a candidate path
// such as "E:\Games\Old"), counted from the description itself; links count
// nothing.
uint64_t DescribedBytes(const testsupport::CafeDescription& desc, const std::string& path);

class OperatorView : public App {
protected:
    void TearDown() override;

    // The sized café, secondary role, drive E listed.
    void StartSized();
    // Holds the folder sizer before it walks `folder` ("" for any folder)
    // until Release or until the sizer is stopped; Reached tells whether it
    // got there within a few seconds.
    void HoldSizerAt(const std::string& folder);
    bool Reached();
    void Release();

    std::string Cell(const std::string& path, int column);
    std::string TotalText();
    // Waits until no row shows its size as pending.
    bool WaitForSizes();
    void ClickHeader(int column);
    std::vector<int> SortMarks();

    // Runs on the sizer's thread before each folder, ahead of any hold.
    void BeforeEachFolder(std::function<void(const std::string&)> step);

    testsupport::CafeDescription m_desc;

private:
    struct Hold {
        std::mutex lock;
        std::condition_variable changed;
        unsigned generation = 0;
        bool armed = false;
        std::string folder;
        bool reached = false;
        bool released = false;
        std::function<void(const std::string&)> before;
    };
    void InstallHook();
    std::shared_ptr<Hold> m_hold = std::make_shared<Hold>();
};

}  // namespace apptest
