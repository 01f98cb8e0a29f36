// Benchmark of the deletion worker (not a test), run under Wine:
//     scripts/wine-run build/win64/tools/bench/delete/deletebench.exe
// (DELETEBENCH_ONLY=tree, =quarantine or =rows in the environment runs one part.)
//
// tree: the worker of a real deletion window deleting 20 ticked folders that
//       hold 20,000 files in 2,000 folders, against a plain recursive delete
//       (FindFirstFileA, DeleteFileA, RemoveDirectoryA) of an identical tree
//       in the same process. Target: at most 1.1 times the plain delete.
// quarantine: one ticked folder holding such a tree (20,000 files) moved into
//       the quarantine of its disk by a real deletion window running the
//       quarantine's job, then restored, against the worker deleting an
//       identical tree on the same disk. Target: each at most 0.01 times the
//       deletion.
// rows: the UI thread taking 20,000 rows one by one off a 20,000-row main
//       list through OnDeleteListItem, against the worker deleting 20,000
//       top-level files. Target: below 1 (the list keeps up with the worker).
// Each is timed several times; medians are printed with their ratio.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/DelDirWnd.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineMoveJob.h"
#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ListUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "../BenchLog.h"
#include "../BenchTiming.h"
#include "support/Cafe.h"
#include "support/TempDir.h"
#include "support/WineHost.h"
#include "../../../tests/UI/Window/WindowTestSupport.h"

namespace {

const int kTopFolders = 20;
const int kFoldersPerTop = 100;  // 2,000 folders
const int kFilesPerFolder = 10;  // 20,000 files
const int kTopFiles = 20000;
const int kTreeRuns = 5;
const int kRowRuns = 3;

// Makes the files from the Linux side, which is many times faster than
// through Wine.
bool Shell(const std::string& windowsFolder, const std::string& script) {
    const std::string unix = testsupport::UnixPathOf(windowsFolder);
    return !unix.empty() && testsupport::RunUnixCommand({"bash", "-c", "cd '" + unix + "' && " + script});
}

// kTopFolders folders T01.. under `root`, each with kFoldersPerTop folders of
// kFilesPerFolder files; returns the top folders' paths.
std::list<std::string> MakeTree(const std::string& root) {
    char script[256];
    std::snprintf(script, sizeof(script),
                  "mkdir -p T{01..%02d}/S{001..%03d} && touch T{01..%02d}/S{001..%03d}/f{01..%02d}.dat", kTopFolders,
                  kFoldersPerTop, kTopFolders, kFoldersPerTop, kFilesPerFolder);
    std::list<std::string> tops;
    if (!::CreateDirectoryA(root.c_str(), nullptr) || !Shell(root, script)) return tops;
    for (int t = 1; t <= kTopFolders; ++t) {
        char name[8];
        std::snprintf(name, sizeof(name), "T%02d", t);
        tops.push_back(root + "\\" + name);
    }
    return tops;
}

void PlainDelete(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) PlainDelete(child);
            else ::DeleteFileA(child.c_str());
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(path.c_str());
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!Vellum::CUIManager::PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// A deletion window over `owner` running `job` on `paths`, its messages
// handled meanwhile; the milliseconds from Start to the worker's end.
double WorkerRun(HWND owner, std::unique_ptr<CDelDirJob> job, const std::list<std::string>& paths) {
    auto* wnd = new CDelDirWnd(std::move(job));
    wnd->Create(owner, "CDelDirWnd", WS_VISIBLE | WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    const double ms = bench::Milliseconds([&] {
        wnd->Start(paths);
        // Waits as the modal loop does, for the worker's messages; a busy
        // poll would compete with the worker for the wine server.
        while (!wnd->IsDone()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            Pump();
        }
    });
    Pump();
    ::DestroyWindow(wnd->GetHWND());
    delete wnd;
    return ms;
}

double WorkerDelete(HWND owner, const std::list<std::string>& paths) {
    return WorkerRun(owner, MakeDeletionJob(), paths);
}

void BenchTree() {
    testsupport::TempDir dir;
    std::vector<double> worker, plain;
    for (int run = 0; run < kTreeRuns; ++run) {
        // Alternate which goes first, so neither always meets a cooler cache.
        const std::list<std::string> workerTree = MakeTree(dir.File("w" + std::to_string(run)));
        const std::list<std::string> plainTree = MakeTree(dir.File("p" + std::to_string(run)));
        if (workerTree.empty() || plainTree.empty()) {
            std::printf("tree: cannot make the trees\n");
            return;
        }
        auto timePlain = [&] {
            plain.push_back(bench::Milliseconds([&] {
                for (const auto& top : plainTree) PlainDelete(top);
            }));
        };
        if (run % 2) timePlain();
        worker.push_back(WorkerDelete(nullptr, workerTree));
        if (!(run % 2)) timePlain();
    }
    const double w = bench::Median(worker), p = bench::Median(plain);
    std::printf(
        "tree (%d files in %d folders): worker %.0f ms, plain recursive delete %.0f ms, ratio %.2f (target <= 1.1)\n",
        kTopFolders * kFoldersPerTop * kFilesPerFolder, kTopFolders * kFoldersPerTop, w, p, w / p);
}

void BenchQuarantine() {
    testsupport::CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}};
    desc.drives = {{'E', {}}};
    testsupport::Cafe cafe(desc);
    if (!cafe.Ready()) {
        std::printf("quarantine: cannot build the cafe: %s\n", cafe.Problem().c_str());
        return;
    }
    std::vector<double> moveIn, restore, deletion;
    for (int run = 0; run < kTreeRuns; ++run) {
        const std::string moved = "E:\\q" + std::to_string(run), deleted = "E:\\d" + std::to_string(run);
        if (MakeTree(moved).empty() || MakeTree(deleted).empty()) {
            std::printf("quarantine: cannot make the trees\n");
            return;
        }
        std::map<std::string, TQuarantineCandidate> candidates;
        candidates[moved].nSize = 0;
        moveIn.push_back(WorkerRun(nullptr, MakeQuarantineMoveJob(candidates, "bench-" + std::to_string(run), 0),
                                   {moved}));
        CQuarantineDisk disk('E');
        uint32_t error = 0;
        if (!disk.Open(false, &error) || disk.Records().size() != 1) {
            std::printf("quarantine: the tree did not move in (%lu)\n", static_cast<unsigned long>(error));
            return;
        }
        const TQuarantineRecord record = disk.Records().front();
        restore.push_back(bench::Milliseconds([&] { disk.Restore(record, &error); }));
        disk.Close();
        deletion.push_back(WorkerDelete(nullptr, {deleted}));
        // The restored tree goes too, so every run starts from the same disk.
        WorkerDelete(nullptr, {moved});
    }
    const double m = bench::Median(moveIn), r = bench::Median(restore), d = bench::Median(deletion);
    std::printf(
        "quarantine (one folder of %d files in %d folders): moving in %.1f ms, restoring %.1f ms, deleting %.0f ms; "
        "ratios %.4f and %.4f (target <= 0.01)\n",
        kTopFolders * kFoldersPerTop * kFilesPerFolder, kTopFolders * kFoldersPerTop, m, r, d, m / d, r / d);
}

void BenchRows() {
    testsupport::CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}};
    desc.drives = {{'E', {}}};
    testsupport::Cafe cafe(desc);
    if (!cafe.Ready()) {
        std::printf("rows: cannot build the cafe: %s\n", cafe.Problem().c_str());
        return;
    }
    char script[128];
    std::snprintf(script, sizeof(script), "touch f{00001..%05d}.dat", kTopFiles);

    windowtest::SkinFolder skins;
    CTrevandWnd* main = CTrevandWnd::Instance();
    main->Create(nullptr, "CTrevandWnd", WS_VISIBLE | WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    CSelectServerClassWnd::Instance()->ShowWindow(false);
    main->ShowWindow(true);
    main->SelectRole(1);

    std::vector<double> rows, worker;
    for (int run = 0; run < kRowRuns; ++run) {
        if (!Shell(cafe.DriveFolder('E'), script) || !main->RefreshList(true)) {
            std::printf("rows: cannot list the files\n");
            return;
        }
        Vellum::CListUI* list = main->RowsForTests().GetList();
        std::list<std::string> paths;
        for (int i = 0; i < list->GetCount(); ++i)
            paths.push_back(reinterpret_cast<CListItemPaint*>(list->GetItemAt(i)->GetTag())->GetText(1));
        if (paths.size() != static_cast<size_t>(kTopFiles)) {
            std::printf("rows: %zu rows listed, not %d\n", paths.size(), kTopFiles);
            return;
        }
        // In list order, as the worker sends them.
        rows.push_back(bench::Milliseconds([&] {
            for (const std::string& path : paths) main->OnDeleteListItem(path);
        }));
        worker.push_back(WorkerDelete(main->GetHWND(), paths));
    }
    ::DestroyWindow(main->GetHWND());
    ::DestroyWindow(CSelectServerClassWnd::Instance()->GetHWND());
    Pump();
    CTrevandWnd::ReleaseInstance();
    CSelectServerClassWnd::ReleaseInstance();
    const double r = bench::Median(rows), w = bench::Median(worker);
    std::printf(
        "rows (%d): UI thread removing the rows %.0f ms, worker deleting the files %.0f ms, ratio %.2f (target < 1)\n",
        kTopFiles, r, w, r / w);
}

}  // namespace

int main() {
    bench::BenchLog benchLog;
    Vellum::CShadowUI::Initialize(Vellum::CUIManager::GetInstance());
    // DELETEBENCH_ONLY=tree or =rows runs one of the two.
    const char* only = std::getenv("DELETEBENCH_ONLY");
    if (!only || std::string(only) == "tree") {
        windowtest::SkinFolder skins;
        BenchTree();
    }
    if (!only || std::string(only) == "quarantine") {
        windowtest::SkinFolder skins;
        BenchQuarantine();
    }
    if (!only || std::string(only) == "rows") BenchRows();
    return 0;
}
