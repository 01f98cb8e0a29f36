#include "support/AppProcess.h"

#include "support/ProgramLog.h"
#include "support/WineHost.h"

namespace testsupport {

AppProcess::AppProcess(const std::string& built, const std::string& folder) : m_folder(folder) {
    const std::string from = UnixPathOf(built);
    const std::string to = UnixPathOf(folder);
    // Copied on the Linux side: one command for the whole tree.
    m_ready = !from.empty() && !to.empty() && RunUnixCommand({"rm", "-rf", to}) &&
              RunUnixCommand({"cp", "-r", from, to}) && RunUnixCommand({"rm", "-rf", to + "/log"});
}

AppProcess::~AppProcess() { Kill(); }

std::string AppProcess::TodaysLog() const { return m_folder + "\\log\\" + TodaysLogName(); }

bool AppProcess::Start(const std::string& workingDir) { return Launch(std::string(), workingDir, nullptr); }

bool AppProcess::StartWith(const std::string& arguments, const std::string& outputFile) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return false;
    const bool started = Launch(arguments, std::string(), output);
    // The child has its own copy of the handle.
    CloseHandle(output);
    return started;
}

bool AppProcess::Launch(const std::string& arguments, const std::string& workingDir, HANDLE output) {
    if (!m_ready || m_process != nullptr) {
        return false;
    }
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (output) {
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = output;
        si.hStdError = output;
        si.hStdInput = nullptr;
    }
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + m_folder + "\\Trevand.exe\"";
    if (!arguments.empty()) command += " " + arguments;
    const std::string& cwd = workingDir.empty() ? m_folder : workingDir;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, output ? TRUE : FALSE, 0, nullptr, cwd.c_str(), &si,
                        &pi)) {
        return false;
    }
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    return true;
}

bool AppProcess::WaitForExit(int timeoutMs, DWORD* code) {
    if (m_process == nullptr || WaitForSingleObject(m_process, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(m_process, code);
    CloseHandle(m_process);
    m_process = nullptr;
    return true;
}

void AppProcess::Kill() {
    if (m_process == nullptr) {
        return;
    }
    TerminateProcess(m_process, 99);
    WaitForSingleObject(m_process, 10000);
    CloseHandle(m_process);
    m_process = nullptr;
}

}  // namespace testsupport
