// The program's windows on a real café: the main window created as the
// entry point creates it (which opens the role window), real skins in a
// temporary skin folder, input posted at the controls' positions.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ToolKit/Trevand/Trevand/SelectServerClassWnd.h"
#include "ToolKit/Trevand/Trevand/TrevandWnd.h"
#include "support/Cafe.h"
#include "support/LogCapture.h"
#include "../../../../UI/Window/WindowTestSupport.h"

namespace apptest {

// A master café: game disk E with a registered package and twelve
// candidates, download-only disk D, game disk F with two candidates.
testsupport::CafeDescription MasterCafe();
// The same disks seen from a secondary server.
testsupport::CafeDescription SecondaryCafe();

// Texts of one list row: name, path, kind, and whether it is ticked.
struct RowView {
    std::string name, path, kind;
    bool checked;
};

class App : public ::testing::Test {
protected:
    void TearDown() override;

    // Builds the café and starts the windows as the entry point does; the
    // role window is shown and laid out.
    void Start(const testsupport::CafeDescription& desc);
    // Starts and confirms `role` through the role window's options and OK.
    void StartWithRole(const testsupport::CafeDescription& desc, int role);

    CTrevandWnd* Main() { return CTrevandWnd::Instance(); }
    CSelectServerClassWnd* Role() { return CSelectServerClassWnd::Instance(); }
    Vellum::CControlUI* MainControl(const char* name) { return Main()->GetManager().FindControl(name); }
    Vellum::CControlUI* RoleControl(const char* name) { return Role()->GetManager().FindControl(name); }

    // Posts a click at the centre of a control (or at a client point) and
    // handles the messages it causes.
    void Click(Vellum::WindowImplBase* wnd, const char* control);
    void ClickAt(HWND hWnd, POINT pt);
    // Ticks the row of `path` with a click on its check box.
    void ClickTick(const std::string& path);
    // Selects the drive-selector entry with text `drive` by clicking it in
    // the drop-down.
    void SelectDrive(const char* drive);
    // Selects the entry with text `text` of the main window's drop-down
    // `combo` by clicking it in the drop-down.
    void SelectEntry(const char* combo, const char* text);

    // Handles messages until the thread's quit message arrives (true) or
    // the time is up; the quit message is taken off the queue.
    bool WaitForQuit(int timeoutMs = 3000);

    std::vector<RowView> Rows();
    std::vector<std::string> Paths();
    std::string CountText();
    std::vector<std::string> DriveEntries();
    // The full path of a candidate on the café's drive `letter`.
    static std::string OnDrive(char letter, const std::string& relative);

    // Keeps the engine's log lines out of the test output.
    testsupport::LogCapture m_log;
    std::unique_ptr<windowtest::SkinFolder> m_skins;
    std::unique_ptr<testsupport::Cafe> m_cafe;
};

}  // namespace apptest
