// The folder sizer on real trees of a real café drive under Wine: what it
// counts (every file, hidden and read-only too, files over 4 GiB exactly),
// what it never counts (what a link leads to), which sizes it marks partial
// (a folder it could not list; paths past the ANSI limit are listed), the order and the batches it reports in, and
// that Stop and a second Start leave no run behind. A folder whose name ends
// in a dot or a space is sized itself, never the folder beside it that the
// usual form of its path would reach.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "comm/platform/ReparseTag.h"
#include "support/Cafe.h"
#include "support/ForeignName.h"
#include "support/LogCapture.h"
#include "support/PresentedReparsePoints.h"

using testsupport::Cafe;
using testsupport::CafeDescription;
using testsupport::CafeEntry;
using Clock = std::chrono::steady_clock;

namespace {

const int64_t kOverFourGiB = (5LL << 30) + 7;  // a length whose low 32 bits alone say 7
const auto kTimeout = std::chrono::seconds(20);

// "E:\Deep\<kLongName>\<kLongerName>" is 263 characters, more than the ANSI
// calls take (FindFirstFileA refuses it with 206): sized all the same.
const std::string kLongName(150, 'a');
const std::string kLongerName(100, 'b');
const std::string kDeep = "E:\\Deep";
const std::string kDeepLong = kDeep + "\\" + kLongName;
const std::string kBeyondAnsi = kDeepLong + "\\" + kLongerName;
// "E:\Lost" holds a folder and a file whose names code page 936 cannot hold
// (made by the suite): no path reaches that folder, a real way for one to
// stay unread here, where the tests run as root and no permission bits stop
// root's listing.
const std::string kLost = "E:\\Lost";
const uint64_t kLostFileSize = 30;
// Folders whose names end in a dot or a space beside the folders the usual
// form of their paths would reach instead: "E:\Twins\Game." and
// "E:\Twins\Game " beside "E:\Twins\Game", and the same past the ANSI limit.
const std::string kTwins = "E:\\Twins\\Game";
const std::string kTwinsLong = "E:\\Twins\\" + kLongName + "\\" + kLongerName;

// Entries of drive E. "Games\Old" is the tree under test: nested folders, a
// hidden folder, hidden and read-only files, an empty folder, a GBK name, and
// links to a folder of big files and to a file, both outside the tree.
std::vector<CafeEntry> DriveE() {
    return {
        CafeEntry(CafeEntry::kFile, "Outside\\Big\\huge.pak").Size(kOverFourGiB),
        CafeEntry(CafeEntry::kFile, "Outside\\Big\\more.pak").Size(3000000),
        CafeEntry(CafeEntry::kFile, "Outside\\single.bin").Size(123456),
        CafeEntry(CafeEntry::kFile, "Games\\Old\\game.exe").Size(1000),
        CafeEntry(CafeEntry::kFile, "Games\\Old\\.dotted").Size(11),
        CafeEntry(CafeEntry::kHiddenFile, "Games\\Old\\hidden.dat").Size(300),
        CafeEntry(CafeEntry::kReadOnlyFile, "Games\\Old\\ro.txt").Size(77),
        CafeEntry(CafeEntry::kFile, "Games\\Old\\单机游戏\\pal.exe").Size(4096),
        CafeEntry(CafeEntry::kReadOnlyFile, "Games\\Old\\Sub\\Deeper\\Deepest\\x.bin").Size(12345),
        CafeEntry(CafeEntry::kHiddenFolder, "Games\\Old\\Sub\\Cache"),
        CafeEntry(CafeEntry::kFile, "Games\\Old\\Sub\\Cache\\c.dat").Size(500),
        CafeEntry(CafeEntry::kFile, "Games\\Old\\Sub\\zero.dat").Size(0),
        CafeEntry(CafeEntry::kFolder, "Games\\Old\\Empty"),
        CafeEntry(CafeEntry::kLink, "Games\\Old\\to-big", "E:\\Outside\\Big"),
        CafeEntry(CafeEntry::kLink, "Games\\Old\\Sub\\to-file", "E:\\Outside\\single.bin"),
        CafeEntry(CafeEntry::kFolder, "EmptyTop"),
        CafeEntry(CafeEntry::kFile, "Loose\\a.dat").Size(1),
        CafeEntry(CafeEntry::kFile, "Deep\\top.dat").Size(100),
        CafeEntry(CafeEntry::kFile, "Deep\\" + kLongName + "\\mid.dat").Size(20),
        CafeEntry(CafeEntry::kFile, "Deep\\" + kLongName + "\\" + kLongerName + "\\far.dat").Size(5000),
        CafeEntry(CafeEntry::kFile, "Lost\\plain.dat").Size(5),
        // Presented as reparse points by the test that sizes them.
        CafeEntry(CafeEntry::kFile, "Tagged\\plain.bin").Size(7),
        CafeEntry(CafeEntry::kFile, "Tagged\\dedup.bin").Size(1000),
        CafeEntry(CafeEntry::kFile, "Tagged\\Archived\\stub.dat").Size(200),
        CafeEntry(CafeEntry::kFile, "Tagged\\cloud.bin").Size(30000),
        CafeEntry(CafeEntry::kFile, "Tagged\\Cloud\\doc.bin").Size(40000),
        CafeEntry(CafeEntry::kFile, "Tagged\\Junction\\j.bin").Size(50000),
        CafeEntry(CafeEntry::kFile, "Twins\\Game\\g.dat").Size(1),
        CafeEntry(CafeEntry::kFile, "Twins\\Game.\\g.dat").Size(20),
        CafeEntry(CafeEntry::kFile, "Twins\\Game.\\in.\\h.dat").Size(300),
        CafeEntry(CafeEntry::kFile, "Twins\\Game.\\in\\i.dat").Size(4000),
        CafeEntry(CafeEntry::kFile, "Twins\\Game \\g.dat").Size(50000),
        CafeEntry(CafeEntry::kFile, kTwinsLong.substr(3) + "\\f.dat").Size(600000),
        CafeEntry(CafeEntry::kFile, kTwinsLong.substr(3) + ".\\f.dat").Size(7000000),
        CafeEntry(CafeEntry::kFile, kTwinsLong.substr(3) + " \\f.dat").Size(80000000),
    };
}

// Small folders enough for several full batches.
const int kManyFolders = 200;

CafeDescription SizerCafe() {
    CafeDescription desc;
    desc.services = {};
    desc.iniText = "";
    desc.halvorDb = desc.pkgdownDb = desc.pelloryDb = false;
    desc.drives = {{'E', DriveE()}};
    desc.bulkTrees = {{'E', "Many", kManyFolders, 3}};
    return desc;
}

// The bytes the fixture put below `folder` ("E:\Games\Old"), counted from its
// description rather than from any listing: files only, links never.
uint64_t DescribedSize(const std::string& folder) {
    const std::string prefix = folder.substr(3) + "\\";  // relative to "E:\"
    uint64_t total = 0;
    for (const CafeEntry& entry : DriveE()) {
        const bool isFile = entry.kind == CafeEntry::kFile || entry.kind == CafeEntry::kHiddenFile ||
                            entry.kind == CafeEntry::kReadOnlyFile;
        if (isFile && entry.path.compare(0, prefix.size(), prefix) == 0) {
            total += entry.size < 0 ? 4 : static_cast<uint64_t>(entry.size);
        }
    }
    return total;
}

// What the link to a file adds to the trees holding it: nothing where the
// listing marks it as a reparse point (Windows); under Wine 8 it lists as a
// plain file of its target's length, and the listing's word is all the sizer
// goes by. Read with the system's own listing call.
uint64_t LinkToFileAsListed() {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA("E:\\Games\\Old\\Sub\\to-file", &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    ::FindClose(find);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The length of the file `path` (ASCII), asked through the long-path form of
// the wide calls, which reaches past what the ANSI calls can; 0 when absent:
// found without the code under test.
uint64_t SizeBeyondAnsiReach(const std::string& path) {
    const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::vector<std::string> ManyFolders() {
    std::vector<std::string> folders;
    for (int i = 1; i <= kManyFolders; ++i) folders.push_back("E:\\Many\\Data" + std::to_string(i));
    return folders;
}

// Collects what a sizer hands its sink, on the worker thread, with when each
// batch came.
class Collector {
public:
    CCandidateSizer::BatchSink Sink() {
        return [this](std::vector<CCandidateSizer::TFolderSize>&& batch) {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_closed) ++m_late;
            m_batches.push_back(std::move(batch));
            m_times.push_back(Clock::now());
            m_changed.notify_all();
        };
    }
    // Waits until `path` has been reported; false after the time limit.
    bool WaitFor(const std::string& path) {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, kTimeout, [&] {
            for (const auto& batch : m_batches)
                for (const auto& folder : batch)
                    if (folder.strPath == path) return true;
            return false;
        });
    }
    std::vector<std::vector<CCandidateSizer::TFolderSize>> Batches() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_batches;
    }
    std::vector<Clock::time_point> Times() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_times;
    }
    // Every folder reported, in the order reported.
    std::vector<std::string> Paths() {
        std::vector<std::string> paths;
        for (const auto& batch : Batches())
            for (const auto& folder : batch) paths.push_back(folder.strPath);
        return paths;
    }
    // After Close, every batch that still comes is counted as late.
    void Close() {
        std::lock_guard<std::mutex> lock(m_lock);
        m_closed = true;
    }
    int LateBatches() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_late;
    }
    size_t BatchCount() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_batches.size();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<std::vector<CCandidateSizer::TFolderSize>> m_batches;
    std::vector<Clock::time_point> m_times;
    bool m_closed = false;
    int m_late = 0;
};

// Holds the worker in the sizer's hook before the folders named, until the
// test lets it go or the sizer is being stopped.
class Holder {
public:
    explicit Holder(std::set<std::string> holdAt) : m_holdAt(std::move(holdAt)) {
        CCandidateSizer::SetBeforeFolderHookForTests([this](const std::string& folder) { Hold(folder); });
    }
    ~Holder() { CCandidateSizer::SetBeforeFolderHookForTests(nullptr); }

    // Waits until the worker is held at `folder`; false after the time limit.
    bool WaitHeldAt(const std::string& folder) {
        std::unique_lock<std::mutex> lock(m_lock);
        return m_changed.wait_for(lock, kTimeout, [&] { return m_held == folder; });
    }
    void Release() {
        std::lock_guard<std::mutex> lock(m_lock);
        m_released = true;
        m_changed.notify_all();
    }

private:
    void Hold(const std::string& folder) {
        if (!m_holdAt.count(folder)) return;
        std::unique_lock<std::mutex> lock(m_lock);
        m_held = folder;
        m_changed.notify_all();
        // Stop cannot reach into this wait, so it looks at the stop flag as
        // a window's test would.
        const auto until = Clock::now() + kTimeout;
        while (!m_released && !CCandidateSizer::IsStoppingForTests() && Clock::now() < until) {
            m_changed.wait_for(lock, std::chrono::milliseconds(5));
        }
        m_held.clear();
    }

    std::set<std::string> m_holdAt;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::string m_held;
    bool m_released = false;
};

// Waits until the sizer says its run has ended.
bool WaitUntilDone(const CCandidateSizer& sizer) {
    const auto until = Clock::now() + kTimeout;
    while (sizer.IsRunningForTests()) {
        if (Clock::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Calls `call` and waits for it to return; false (and the process ends, since
// the call cannot be abandoned) when it does not within the time limit.
bool ReturnsInTime(const std::function<void()>& call) {
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(kTimeout) == std::future_status::ready) return true;
    ADD_FAILURE() << "the call did not return";
    std::abort();
}

class CandidateSizer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_cafe = new Cafe(SizerCafe());
        // The folder of a foreign name holds bytes the sizer cannot reach.
        const std::string foreign = testsupport::kForeignNameUtf8;
        s_foreignMade = testsupport::MakeForeignEntry(kLost, foreign, -1) &&
                        testsupport::MakeForeignEntry(kLost, foreign + "/x.dat", 700) &&
                        testsupport::MakeForeignEntry(kLost, foreign + ".dat", static_cast<int64_t>(kLostFileSize));
    }
    void SetUp() override {
        ASSERT_TRUE(s_cafe->Ready()) << s_cafe->Problem();
        ASSERT_TRUE(s_foreignMade);
        ASSERT_TRUE(testsupport::ForeignNameIsForeign());
    }

    static Cafe* s_cafe;
    static bool s_foreignMade;
};
Cafe* CandidateSizer::s_cafe = nullptr;
bool CandidateSizer::s_foreignMade = false;

TEST_F(CandidateSizer, EachFolderIsReportedOnceInOrderWithTheBytesOfItsFilesAndNoFolderLinkFollowed) {
    struct Case {
        std::string folder;
        uint64_t size;
        bool partial;
    };
    const uint64_t oldTree = DescribedSize("E:\\Games\\Old") + LinkToFileAsListed();
    const std::vector<Case> cases = {
        // Everything below it except what the folder link leads to.
        {"E:\\Games\\Old", oldTree, false},
        // The target of the folder link, sized by itself: the length over
        // 4 GiB is counted whole.
        {"E:\\Outside\\Big", static_cast<uint64_t>(kOverFourGiB) + 3000000, false},
        {"E:\\Games", oldTree, false},
        // Empty is whole; a folder that cannot be listed at all is not.
        {"E:\\EmptyTop", 0, false},
        {"E:\\NoSuchFolder", 0, true},
        {"E:\\Loose", 1, false},
        // Paths longer than the ANSI calls take, one or two levels down:
        // counted whole.
        {kDeep, 100 + 20 + 5000, false},
        {kDeepLong, 20 + 5000, false},
        {kBeyondAnsi, 5000, false},
        // A sub-folder that cannot be listed: what could be read is counted
        // (a file of a foreign name too: the listing gives its length), and
        // the size says it is not the whole.
        {kLost, 5 + kLostFileSize, true},
        // Names ending in a dot or a space: their own trees, never their
        // neighbours'.
        {kTwins + ".", 20 + 300 + 4000, false},
        {kTwins + " ", 50000, false},
        {kTwinsLong + ".", 7000000, false},
        {kTwinsLong + " ", 80000000, false},
        // Given twice, reported twice.
        {"E:\\Games\\Old", oldTree, false},
    };
    // The independent count must not be trivially small.
    ASSERT_EQ(1000u + 11 + 300 + 77 + 4096 + 12345 + 500, DescribedSize("E:\\Games\\Old"));

    // The bytes beyond the ANSI calls are there.
    ASSERT_EQ(5000u, SizeBeyondAnsiReach(kBeyondAnsi + "\\far.dat"));

    std::vector<std::string> folders;
    for (const Case& c : cases) folders.push_back(c.folder);
    testsupport::LogCapture log;
    Collector collector;
    CCandidateSizer sizer;
    ASSERT_TRUE(sizer.Start(folders, collector.Sink()));
    ASSERT_TRUE(WaitUntilDone(sizer));

    std::vector<CCandidateSizer::TFolderSize> reported;
    for (const auto& batch : collector.Batches()) reported.insert(reported.end(), batch.begin(), batch.end());
    ASSERT_EQ(cases.size(), reported.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].folder, reported[i].strPath) << i;
        EXPECT_EQ(cases[i].size, reported[i].nSize) << cases[i].folder;
        EXPECT_EQ(cases[i].partial, reported[i].bPartial) << cases[i].folder;
    }
    // The log names each folder that could not be read, with the system's
    // reason, every time it is met.
    const std::string lost = "[Warning]|Trevand  无法读取目录 " + kLost + "\\" + testsupport::kForeignNameAsListed +
                             "（名称含有系统代码页无法表示的字符），所在目录的大小只计能读到的部分";
    const std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), lost));
    EXPECT_EQ(1,
              std::count(lines.begin(), lines.end(),
                         "[Warning]|Trevand  无法读取目录 E:\\NoSuchFolder（错误 3），所在目录的大小只计能读到的部分"));
    EXPECT_EQ(2, std::count_if(lines.begin(), lines.end(),
                               [](const std::string& line) { return line.find("无法读取目录") != std::string::npos; }))
        << "no other folder went unread";
}

// Reparse points that are not links are sized by their tag: a deduplicated
// file counts and an archive's folder is entered, as the deletion would free
// them; a cloud drive's placeholder and a junction are neither entered nor
// counted, as nothing deletes them. Wine makes no such entry: real ones are
// presented as tagged (testsupport::PresentedReparsePoints, a seam for tests).
TEST_F(CandidateSizer, ATaggedEntryIsCountedOnlyWhenItIsAnEntryKeptInAnotherForm) {
    const testsupport::PresentedReparsePoints tags({
        {"E:\\Tagged\\dedup.bin", platform::kReparseTagDedup},
        {"E:\\Tagged\\Archived", platform::kReparseTagHsm},
        {"E:\\Tagged\\cloud.bin", platform::kReparseTagCloud},
        {"E:\\Tagged\\Cloud", 0x9000201A},
        {"E:\\Tagged\\Junction", platform::kReparseTagMountPoint},
    });
    Collector collector;
    CCandidateSizer sizer;
    ASSERT_TRUE(sizer.Start({"E:\\Tagged", "E:\\Tagged\\Archived"}, collector.Sink()));
    ASSERT_TRUE(WaitUntilDone(sizer));

    std::vector<CCandidateSizer::TFolderSize> reported;
    for (const auto& batch : collector.Batches()) reported.insert(reported.end(), batch.begin(), batch.end());
    ASSERT_EQ(2u, reported.size());
    EXPECT_EQ(7u + 1000 + 200, reported[0].nSize);
    EXPECT_FALSE(reported[0].bPartial);
    EXPECT_EQ(200u, reported[1].nSize);
    EXPECT_FALSE(reported[1].bPartial);
}

TEST_F(CandidateSizer, FoldersComeInBatchesOfAtMost64AndAShorterOneOnlyAfterAPause) {
    using std::chrono::milliseconds;
    const struct {
        const char* name;
        int folders;
        milliseconds perFolder;  // how long the hook holds each folder
        size_t shortBatches;     // batches short of 64, the last one aside, that must come
    } runs[] = {
        // Small folders walked at full speed fill most batches; whether any
        // goes short depends on how fast this machine lists them.
        {"quick", kManyFolders, milliseconds(0), 0},
        // Folders that take 10 ms each never fill 64 within 100 ms: every
        // batch but the last goes short, on time alone.
        {"slow", 40, milliseconds(10), 2},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        std::vector<std::string> folders = ManyFolders();
        folders.resize(run.folders);
        const milliseconds perFolder = run.perFolder;
        CCandidateSizer::SetBeforeFolderHookForTests([perFolder](const std::string&) {
            if (perFolder.count() > 0) std::this_thread::sleep_for(perFolder);
        });
        Collector collector;
        CCandidateSizer sizer;
        const Clock::time_point started = Clock::now();
        ASSERT_TRUE(sizer.Start(folders, collector.Sink()));
        ASSERT_TRUE(WaitUntilDone(sizer));
        CCandidateSizer::SetBeforeFolderHookForTests(nullptr);

        EXPECT_EQ(folders, collector.Paths());
        const auto batches = collector.Batches();
        const auto times = collector.Times();
        ASSERT_FALSE(batches.empty());
        // A batch short of 64 (but the last) goes only once 100 ms have
        // passed since the one before went, so the n-th such batch cannot
        // come before n times 100 ms have passed since Start. Counted from
        // Start rather than between batches: the sink's clock is read a
        // moment after the sizer's.
        size_t shortBatches = 0;
        for (size_t i = 0; i + 1 < batches.size(); ++i) {
            EXPECT_LE(batches[i].size(), 64u) << i;
            if (batches[i].size() < 64) {
                ++shortBatches;
                EXPECT_GE(times[i] - started, shortBatches * milliseconds(100)) << i;
            }
        }
        EXPECT_LE(batches.back().size(), 64u);
        // The pause rule above has been put to the test.
        EXPECT_GE(shortBatches, run.shortBatches);
    }
}

TEST_F(CandidateSizer, AFolderThatTakesLongIsReportedBeforeTheNextStarts) {
    // The second folder takes longer than a batch may wait.
    Collector collector;
    size_t reportedBeforeThird = 0;
    CCandidateSizer::SetBeforeFolderHookForTests([&](const std::string& folder) {
        if (folder == "E:\\EmptyTop") std::this_thread::sleep_for(std::chrono::milliseconds(150));
        if (folder == "E:\\Loose") reportedBeforeThird = collector.Paths().size();
    });
    CCandidateSizer sizer;
    ASSERT_TRUE(sizer.Start({"E:\\Games", "E:\\EmptyTop", "E:\\Loose"}, collector.Sink()));
    ASSERT_TRUE(WaitUntilDone(sizer));
    CCandidateSizer::SetBeforeFolderHookForTests(nullptr);

    // Both were out before the third began, and the third came on its own.
    EXPECT_EQ(2u, reportedBeforeThird);
    const auto batches = collector.Batches();
    ASSERT_FALSE(batches.empty());
    ASSERT_EQ(1u, batches.back().size());
    EXPECT_EQ("E:\\Loose", batches.back()[0].strPath);
}

TEST_F(CandidateSizer, StopWhileHeldReturnsAndReportsNothingMore) {
    const std::vector<std::string> folders = ManyFolders();
    // Held past the first full batch, in the middle of the second.
    const std::string heldAt = folders[100];
    Holder holder({heldAt});
    Collector collector;
    auto sizer = std::make_unique<CCandidateSizer>();
    ASSERT_TRUE(sizer->Start(folders, collector.Sink()));
    ASSERT_TRUE(holder.WaitHeldAt(heldAt));
    EXPECT_TRUE(sizer->IsRunningForTests());

    ASSERT_TRUE(ReturnsInTime([&] { sizer->Stop(); }));
    collector.Close();
    EXPECT_FALSE(sizer->IsRunningForTests());
    // A prefix of the folders, without the one held.
    const std::vector<std::string> reported = collector.Paths();
    ASSERT_LE(reported.size(), 100u);
    EXPECT_EQ(std::vector<std::string>(folders.begin(), folders.begin() + reported.size()), reported);

    // Nothing is left to report later, once let go or when the sizer goes;
    // Stop again is harmless.
    holder.Release();
    sizer->Stop();
    sizer.reset();
    EXPECT_EQ(0, collector.LateBatches());
}

TEST_F(CandidateSizer, StartWhileRunningEndsTheFirstRunAndCompletesTheSecond) {
    const std::vector<std::string> first = {"E:\\Loose", "E:\\Games", "E:\\EmptyTop"};
    const std::vector<std::string> second = {"E:\\Games\\Old", "E:\\Loose"};
    Holder holder({"E:\\Games"});  // held in the first run only: the second never names it
    Collector firstRun, secondRun;
    CCandidateSizer sizer;
    ASSERT_TRUE(sizer.Start(first, firstRun.Sink()));
    ASSERT_TRUE(holder.WaitHeldAt("E:\\Games"));

    ASSERT_TRUE(ReturnsInTime([&] { EXPECT_TRUE(sizer.Start(second, secondRun.Sink())); }));
    ASSERT_TRUE(WaitUntilDone(sizer));

    EXPECT_EQ(0u, firstRun.BatchCount());
    const auto batches = secondRun.Batches();
    ASSERT_EQ(1u, batches.size());
    ASSERT_EQ(2u, batches[0].size());
    EXPECT_EQ("E:\\Games\\Old", batches[0][0].strPath);
    EXPECT_EQ(DescribedSize("E:\\Games\\Old") + LinkToFileAsListed(), batches[0][0].nSize);
    EXPECT_EQ("E:\\Loose", batches[0][1].strPath);
    EXPECT_EQ(1u, batches[0][1].nSize);
}

TEST_F(CandidateSizer, EmptyListEndsAtOnceWithoutCallingTheSink) {
    Collector collector;
    CCandidateSizer sizer;
    ASSERT_TRUE(sizer.Start({}, collector.Sink()));
    ASSERT_TRUE(WaitUntilDone(sizer));
    sizer.Stop();
    EXPECT_EQ(0u, collector.BatchCount());
}

TEST_F(CandidateSizer, IsStoppingIsFalseOutsideAWorker) {
    // A hook that also runs on some other thread must not see a stop there.
    EXPECT_FALSE(CCandidateSizer::IsStoppingForTests());
    CCandidateSizer sizer;
    sizer.Stop();
    EXPECT_FALSE(CCandidateSizer::IsStoppingForTests());
}

}  // namespace
