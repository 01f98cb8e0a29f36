// Windows only, under Wine: the real Trevand.exe started as a process of its
// own from a private copy of its folder, so its log ("log\" beside the
// executable) belongs to one run.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

class AppProcess {
public:
    // Copies the program folder `built` (Trevand.exe and skin\, no log\) to
    // the new folder `folder`; both are Windows paths.
    AppProcess(const std::string& built, const std::string& folder);
    // Ends the process if it still runs.
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // Whether the copy was made.
    bool Ready() const { return m_ready; }
    const std::string& Folder() const { return m_folder; }
    // The day log of runs from this folder.
    std::string TodaysLog() const;

    // Starts Trevand.exe with `workingDir` as working directory (its own
    // folder when empty); false when a run is still going or it cannot be
    // started.
    bool Start(const std::string& workingDir = std::string());
    // Starts it with `arguments` after its name on the command line, its
    // standard output and error going to the new file `outputFile` (what it
    // prints for a run without a window); false as Start.
    bool StartWith(const std::string& arguments, const std::string& outputFile);
    // Waits up to `timeoutMs` for the process to end; true with its exit code
    // in `*code` when it did.
    bool WaitForExit(int timeoutMs, DWORD* code);

private:
    bool Launch(const std::string& arguments, const std::string& workingDir, HANDLE output);
    void Kill();

    std::string m_folder;
    bool m_ready = false;
    HANDLE m_process = nullptr;
};

}  // namespace testsupport
