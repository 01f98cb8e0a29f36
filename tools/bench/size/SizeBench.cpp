// Benchmark of the folder sizer (not a test), run under Wine:
//     scripts/wine-run build/win64/tools/bench/size/sizebench.exe
//
// A tree of 50,000 files of a few kilobytes in 5,000 folders. Each run times
// the sizer over the 5,000 folders (Start, then waiting until the last one is
// reported and the thread has ended) against a plain recursive
// FindFirstFileA/FindNextFileA walk of the same folders summing the same
// sizes on this thread. Medians of five runs are printed with their ratio.
// Target: at most 1.1 times the plain walk.
// Then Stop, called while the sizer is inside one tree of all those folders,
// is timed against that tree's whole walk: it should take a listing step, not
// the rest of the tree.
#include <windows.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "../BenchLog.h"
#include "../BenchTiming.h"
#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "support/TempDir.h"
#include "support/WineHost.h"

namespace {

const int kFolders = 5000;
const int kFilesPerFolder = 10;
const int kRuns = 5;

// kFolders folders D0001.. below `root`, each with kFilesPerFolder files of
// 1,000 to 9,000 bytes, made on the Linux side in one command (through Wine it
// would take minutes). Returns the folders' paths; empty on failure.
std::vector<std::string> MakeTree(const std::string& root) {
    char script[512];
    std::snprintf(script, sizeof(script),
                  "cd \"$1\" && mkdir -p D{0001..%04d} && for n in 1 3 5 7 9; do "
                  "truncate -s ${n}000 D{0001..%04d}/f${n}a.dat D{0001..%04d}/f${n}b.dat || exit 1; done",
                  kFolders, kFolders, kFolders);
    std::vector<std::string> folders;
    const std::string unix = testsupport::UnixPathOf(root);
    if (!::CreateDirectoryA(root.c_str(), nullptr) || unix.empty() ||
        !testsupport::RunUnixCommand({"bash", "-c", script, "bash", unix})) {
        return folders;
    }
    for (int i = 1; i <= kFolders; ++i) {
        char name[8];
        std::snprintf(name, sizeof(name), "D%04d", i);
        folders.push_back(root + "\\" + name);
    }
    return folders;
}

// The baseline: what any program would write to total a tree, links left
// out as the sizer leaves them.
uint64_t PlainSize(const std::string& folder) {
    uint64_t total = 0;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == ".." || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            total += PlainSize(folder + "\\" + name);
        } else {
            total += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return total;
}

// Sizes `folders` with the sizer; returns the bytes of all of them once the
// last is reported and the thread has ended.
uint64_t SizerSize(const std::vector<std::string>& folders) {
    std::mutex lock;
    std::condition_variable changed;
    size_t reported = 0;
    uint64_t total = 0;
    CCandidateSizer sizer;
    const bool started = sizer.Start(folders, [&](std::vector<CCandidateSizer::TFolderSize>&& batch) {
        std::lock_guard<std::mutex> hold(lock);
        for (const auto& folder : batch) total += folder.nSize;
        reported += batch.size();
        changed.notify_all();
    });
    if (!started) return 0;
    {
        std::unique_lock<std::mutex> hold(lock);
        changed.wait(hold, [&] { return reported == folders.size(); });
    }
    sizer.Stop();
    return total;
}

// Starts the sizer on `root` as one folder, lets it walk for a while and
// prints how long Stop takes beside the whole walk of `root`.
void TimeStopInsideTree(const std::string& root) {
    const double whole = bench::Milliseconds([&] { SizerSize({root}); });
    std::vector<double> stops;
    for (int run = 0; run < kRuns; ++run) {
        CCandidateSizer sizer;
        bool reported = false;
        if (!sizer.Start({root}, [&](std::vector<CCandidateSizer::TFolderSize>&&) { reported = true; })) return;
        ::Sleep(static_cast<DWORD>(whole / 4));
        stops.push_back(bench::Milliseconds([&] { sizer.Stop(); }));
        if (reported) std::printf("the tree was reported although stopped\n");
    }
    std::printf("Stop inside the tree, median %.2f ms (its whole walk %.0f ms)\n", bench::Median(stops), whole);
}

}  // namespace

int main() {
    bench::BenchLog benchLog;
    testsupport::TempDir dir;
    std::printf("making %d files in %d folders...\n", kFolders * kFilesPerFolder, kFolders);
    const std::vector<std::string> folders = MakeTree(dir.File("tree"));
    if (folders.empty()) {
        std::printf("cannot make the tree\n");
        return 1;
    }
    // One untimed walk each, so both meet a warm cache from the first run.
    const uint64_t expected = PlainSize(dir.File("tree"));
    if (SizerSize(folders) != expected) {
        std::printf("the sizer's total differs from the plain walk's %llu bytes\n",
                    static_cast<unsigned long long>(expected));
        return 1;
    }

    std::vector<double> sizer, plain;
    for (int run = 0; run < kRuns; ++run) {
        // Alternate which goes first, so neither always follows the other.
        auto timePlain = [&] {
            plain.push_back(bench::Milliseconds([&] {
                uint64_t total = 0;
                for (const std::string& folder : folders) total += PlainSize(folder);
                if (total != expected) std::printf("plain walk: %llu bytes\n", static_cast<unsigned long long>(total));
            }));
        };
        if (run % 2) timePlain();
        sizer.push_back(bench::Milliseconds([&] { SizerSize(folders); }));
        if (!(run % 2)) timePlain();
    }
    std::printf("%d runs, medians (%llu bytes in all, target ratio <= 1.1):\n", kRuns,
                static_cast<unsigned long long>(expected));
    bench::Report("sizer over the folders, Start to done", bench::Median(sizer), "plain recursive walk",
                  bench::Median(plain));
    TimeStopInsideTree(dir.File("tree"));
    return 0;
}
