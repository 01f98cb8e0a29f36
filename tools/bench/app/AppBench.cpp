// Benchmark of the main window on a large café (not a test), run under Wine:
//     scripts/wine-run build/win64/tools/bench/app/appbench.exe
//
// Game disks E (50,000 orphan files), F and G (25,000 each). Each figure is
// the median of several runs, printed with its baseline from the same run:
// - role confirmed -> first paint of the main window listing E, against
//   LoadDB alone, and against LoadDB listing one disk after the other (the
//   load as it was before the scan listed disks side by side);
// - LoadDB alone against LoadDB listing one disk after the other;
// - a drive switch F -> G (25,000 rows out, 25,000 in), against copying and
//   filtering the candidate map alone;
// - "BtnFlush" with E's 50,000 rows unchanged, against LoadDB
//   alone;
// - "Trevand.exe /report" as its own process (load, sizes, the CSVs and the
//   summary written), against LoadDB plus the folder sizer alone.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/CandidateSizer.h"
#include "ToolKit/Trevand/Trevand/DB/MasterServer/MasterTrevandDB.h"
#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Control/ComboUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "../BenchLog.h"
#include "../ProgramSkins.h"
#include "../BenchTiming.h"
#include "comm/platform/MbcsCompare.h"
#include "support/Cafe.h"
#include "support/TempDir.h"
#include "support/WineHost.h"

using testsupport::Cafe;
using testsupport::CafeDescription;

namespace {

const int kRuns = 5;

// `count` empty files named orphanNNNNN at the root of the drive folder,
// made on the Linux side: much faster than through Wine.
bool MakeOrphans(const Cafe& cafe, char letter, int count) {
    const std::string dir = testsupport::UnixPathOf(cafe.DriveFolder(letter));
    const std::string script =
        "cd '" + dir + "' && seq -f 'orphan%05g.dat' 1 " + std::to_string(count) + " | xargs touch";
    return !dir.empty() && testsupport::RunUnixCommand({"sh", "-c", script});
}

CTrevandWnd* OpenMainWindow() {
    CTrevandWnd* wnd = CTrevandWnd::Instance();
    wnd->Create(nullptr, "CTrevandWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0);
    wnd->CenterWindow();
    wnd->ShowWindow(false);
    CSelectServerClassWnd::Instance()->ShowWindow(false);
    return wnd;
}

void CloseWindows() {
    ::DestroyWindow(CTrevandWnd::Instance()->GetHWND());
    ::DestroyWindow(CSelectServerClassWnd::Instance()->GetHWND());
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    CTrevandWnd::ReleaseInstance();
    CSelectServerClassWnd::ReleaseInstance();
}

double LoadDBAlone(unsigned scanThreads) {
    CMasterTrevandDB engine;
    engine.SetScanThreads(scanThreads);
    return bench::Milliseconds([&] { engine.LoadDB(); });
}

// LoadDB, then every folder candidate sized as a report sizes them.
double LoadAndSizeAlone() {
    return bench::Milliseconds([] {
        CMasterTrevandDB engine;
        engine.LoadDB();
        UnLoadPathMap candidates;
        engine.GetUnLoadGamePath(candidates);
        std::vector<std::string> folders;
        for (const auto& candidate : candidates) {
            if (candidate.second.bDir) folders.push_back(candidate.first);
        }
        CCandidateSizer sizer;
        sizer.Start(std::move(folders), [](std::vector<CCandidateSizer::TFolderSize>&&) {});
        sizer.Wait();
    });
}

// Trevand.exe /report as the Task Scheduler starts it, to its end; -1 when
// it failed.
double ReportRun(const std::string& out) {
    std::string command = "\"" + testsupport::WindowsPathOf(TREVAND_APP_DIR) + "\\Trevand.exe\" /report /role master /out \"" +
                          out + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    DWORD code = 1;
    const double ms = bench::Milliseconds([&] {
        if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
        ::WaitForSingleObject(pi.hProcess, INFINITE);
        ::GetExitCodeProcess(pi.hProcess, &code);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    });
    return code == 0 ? ms : -1;
}

void SelectDrive(CTrevandWnd* wnd, const char* drive) {
    auto* combo = static_cast<Vellum::CComboUI*>(wnd->GetManager().FindControl("TrevandComBox")->GetInterface("Combo"));
    for (int i = 0; i < combo->GetCount(); ++i) {
        if (combo->GetItemAt(i)->GetText().ToStdString() == drive) combo->SelectItem(i);
    }
}

}  // namespace

int main() {
    bench::BenchLog benchLog;
    bench::UseProgramSkins();

    CafeDescription desc;
    desc.serverDisks = {{"{local}", "E", 1, 1}, {"{local}", "F", 1, 2}, {"{local}", "G", 1, 3}};
    desc.packages = {{1, "E:\\Games\\WoW", 1, "NetGames"}};
    desc.drives = {{'E', {{testsupport::CafeEntry::kFile, "Games\\WoW\\wow.exe"}}}, {'F', {}}, {'G', {}}};
    Cafe cafe(desc);
    if (!cafe.Ready() || !MakeOrphans(cafe, 'E', 50000) || !MakeOrphans(cafe, 'F', 25000) ||
        !MakeOrphans(cafe, 'G', 25000)) {
        std::fprintf(stderr, "appbench: cannot build the café: %s\n", cafe.Problem().c_str());
        return 1;
    }

    std::vector<double> load, loadOneByOne, firstPaint, switchTimes, filterTimes, flushTimes;
    for (int run = 0; run < kRuns; ++run) {
        load.push_back(LoadDBAlone(CTrevandDB::kMaxScanThreads));
        loadOneByOne.push_back(LoadDBAlone(1));

        CTrevandWnd* wnd = OpenMainWindow();
        firstPaint.push_back(bench::Milliseconds([&] {
            wnd->ShowWindow(true);
            wnd->SelectRole(1);
            ::UpdateWindow(wnd->GetHWND());
        }));
        if (wnd->RowsForTests().Size() != 50000) {
            std::fprintf(stderr, "appbench: %zu rows listed, 50000 expected\n", wnd->RowsForTests().Size());
            return 1;
        }

        SelectDrive(wnd, "F:\\");
        ::UpdateWindow(wnd->GetHWND());
        switchTimes.push_back(bench::Milliseconds([&] {
            SelectDrive(wnd, "G:\\");
            ::UpdateWindow(wnd->GetHWND());
        }));
        filterTimes.push_back(bench::Milliseconds([&] {
            UnLoadPathMap copy;
            wnd->EngineForTests()->GetUnLoadGamePath(copy);
            UnLoadPathList list;
            for (const auto& candidate : copy) {
                const std::string& path = candidate.second.strPath;
                if (platform::EqualIgnoringCase936(path.substr(0, path.find('\\') + 1), "G:\\"))
                    list.push_back(candidate.second);
            }
        }));

        SelectDrive(wnd, "E:\\");
        flushTimes.push_back(bench::Milliseconds([&] {
            wnd->RefreshList(true);
            ::UpdateWindow(wnd->GetHWND());
        }));
        CloseWindows();
    }

    std::vector<double> loadAndSize, reports;
    testsupport::TempDir out;
    for (int run = 0; run < kRuns; ++run) {
        loadAndSize.push_back(LoadAndSizeAlone());
        reports.push_back(ReportRun(out.Path()));
        if (reports.back() < 0) {
            std::fprintf(stderr, "appbench: Trevand.exe /report failed\n");
            return 1;
        }
    }

    const double base = bench::Median(load);
    std::printf("Main window on a café of 100,000 orphans (E 50,000, F 25,000, G 25,000); median of %d runs\n", kRuns);
    const double oneByOne = bench::Median(loadOneByOne);
    bench::Report("role confirmed -> first paint (E, 50,000 rows)", bench::Median(firstPaint), "LoadDB alone", base);
    bench::Report("role confirmed -> first paint (E, 50,000 rows)", bench::Median(firstPaint),
                  "LoadDB, one disk after the other", oneByOne);
    bench::Report("LoadDB alone", base, "LoadDB, one disk after the other", oneByOne);
    bench::Report("drive switch F -> G (25,000 rows each)", bench::Median(switchTimes), "copy + filter of the map",
                  bench::Median(filterTimes));
    bench::Report("BtnFlush, 50,000 unchanged rows", bench::Median(flushTimes), "LoadDB alone", base);
    bench::Report("Trevand.exe /report (own process, 3 CSVs)", bench::Median(reports), "LoadDB + sizer alone",
                  bench::Median(loadAndSize));
    return 0;
}
