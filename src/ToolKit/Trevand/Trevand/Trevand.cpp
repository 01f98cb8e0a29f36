// The process entry: log and framework set-up, the main window (which opens
// the role window), the message loop, and shutdown in order.
#include <objbase.h>
#include <windows.h>

#include <string>

#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "UI/Core/UIManager.h"
#include "UI/Shadow/ShadowUI.h"
#include "comm/log/LogWriter.h"

namespace {

// Where the log goes, "log" beside the executable; the main window's exports
// go there too (its own default).
std::string LogDirectory() { return Vellum::CUIManager::GetExeFolder() + "log\\"; }

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

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    if (FAILED(::CoInitialize(nullptr))) return 0;
    StartLog();

    Vellum::CUIManager::SetInstance(hInstance);
    Vellum::CShadowUI::Initialize(hInstance);
    Vellum::CUIManager::SetSkinPath((Vellum::CUIManager::GetExeFolder() + "skin").c_str());

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
        main->CenterWindow();
        main->ShowWindow(false);
        Vellum::CUIManager::RunMessageLoop();
    }

    // The main window's destructor stops and joins the folder sizer before
    // anything it reports to goes; a deletion worker is done by now (the
    // deletion step waits for it whatever ended its window).
    CTrevandWnd::ReleaseInstance();
    CSelectServerClassWnd::ReleaseInstance();
    ::CoUninitialize();
    return exitCode;
}
