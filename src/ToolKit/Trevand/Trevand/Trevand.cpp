// The process entry: log and framework set-up, the machine-wide lock, then
// either a run without a window (any command line) or the main window
// (which opens the role window), the message loop, and shutdown in order.
#include <objbase.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/LogFolder.h"
#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "ToolKit/Trevand/Trevand/Unattended/CommandLine.h"
#include "ToolKit/Trevand/Trevand/Unattended/UnattendedRun.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "UI/Window/MsgBoxWnd.h"
#include "comm/log/LogWriter.h"
#include "comm/platform/InstanceLock.h"
#include "comm/platform/ParentConsole.h"

namespace {

// Where the log goes, "log" beside the executable (LogFolder.h); the main
// window's exports go there too (its own default).
std::string LogDirectory() { return ProgramLogFolder(); }

void StartLog() {
    CLogWriter& log = CLogWriter::Instance();
    log.SetLogDir(LogDirectory());
    log.SetLogName("Trevand");
    log.SetOutput(2);
    const char kDots[] = ".................................";
    LogWrite(LOG_INFO, __FILE__, __LINE__, "WinMain", kDots);
    LogWrite(LOG_INFO, __FILE__, __LINE__, "WinMain", "........Trevand START........");
    LogWrite(LOG_INFO, __FILE__, __LINE__, "WinMain", kDots);
}

// Two Trevands on the same disks would scan, delete and move under each
// other's feet: the lock spans the machine, whoever runs the program.
const char kDisksLock[] = "Global\\Trevand.ServerDisks";
const char kAnotherRunning[] = "另一个 Trevand 正在处理本机的磁盘，本次运行已结束。";

// Takes the lock, or tells the operator (a box when interactive) why not.
// An object the system refuses for another reason proves no other run and
// is logged only: the program must not become unusable over it.
bool TakeDisksLock(platform::InstanceLock& lock, bool interactive) {
    uint32_t error = 0;
    switch (lock.Take(kDisksLock, &error)) {
    case platform::InstanceLock::Outcome::kTaken: return true;
    case platform::InstanceLock::Outcome::kUnavailable:
        LOG_WRITE(LOG_WARNING, "Trevand  无法建立单实例锁（错误码 %lu），继续运行", static_cast<unsigned long>(error));
        return true;
    case platform::InstanceLock::Outcome::kHeldElsewhere: break;
    }
    TellOperator(LOG_WARNING, kAnotherRunning);
    if (interactive) {
        Vellum::CMsgBoxWnd box(kAnotherRunning, "提示", 0);
        if (box.Create(nullptr, "MsgBoxWnd", WS_POPUP, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT))
            box.ShowModal();
    }
    return false;
}

// The command line's words, read only when there are any.
int RunFromCommandLine(const std::vector<std::string>& words, platform::InstanceLock& lock) {
    TUnattendedArgs args;
    std::string error;
    if (!ParseUnattendedArgs(words, &args, &error)) {
        TellOperator(LOG_ERROR, "Trevand  参数错误：" + error);
        platform::WriteToParentConsole(UnattendedUsage());
        return kExitBadArguments;
    }
    if (!TakeDisksLock(lock, false)) return kExitAnotherRunning;
    return RunUnattended(args, LogDirectory(), CTrevandWnd::SettingsFile());
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int) {
    if (FAILED(::CoInitialize(nullptr))) return 0;
    StartLog();

    Vellum::CUIManager::SetInstance(hInstance);
    Vellum::CShadowUI::Initialize(hInstance);
    Vellum::CUIManager::SetSkinPath((Vellum::CUIManager::GetExeFolder() + "skin").c_str());

    // Held until the process ends.
    platform::InstanceLock lock;
    const std::vector<std::string> words = SplitCommandLine(lpCmdLine ? lpCmdLine : "");
    if (!words.empty()) {
        LOG_WRITE(LOG_INFO, "Trevand  无人值守运行：%s", lpCmdLine);
        const int code = RunFromCommandLine(words, lock);
        LOG_WRITE(LOG_INFO, "Trevand  无人值守运行结束，退出码 %d", code);
        ::CoUninitialize();
        return code;
    }
    if (!TakeDisksLock(lock, true)) {
        ::CoUninitialize();
        return kExitAnotherRunning;
    }

    int exitCode = 0;
    CTrevandWnd* main = CTrevandWnd::Instance();
    // Created without WS_VISIBLE: it is hidden right after anyway, and shown
    // it flashes up blank in the corner of the screen before the role window.
    if (!main->Create(nullptr, "CTrevandWnd", WS_OVERLAPPEDWINDOW, WS_EX_STATICEDGE, 0, 0, 0, 0)) {
        // Without its window the program could only wait for a quit that
        // nobody can ask for. The framework has logged the system's error.
        LOG_WRITE(LOG_ERROR, "CTrevandWnd window cannot be created");
        exitCode = 1;
    } else {
        main->PlaceAsRemembered();
        main->ShowWindow(false);
        Vellum::CUIManager::RunMessageLoop();
        // The window is still there: where the operator left it is known.
        main->SaveSettings();
    }

    // The main window's destructor stops and joins the folder sizer before
    // anything it reports to goes; a deletion worker is done by now (the
    // deletion step waits for it whatever ended its window).
    CTrevandWnd::ReleaseInstance();
    CSelectServerClassWnd::ReleaseInstance();
    ::CoUninitialize();
    return exitCode;
}
