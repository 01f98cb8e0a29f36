#include "comm/platform/ParentConsole.h"

#include <windows.h>

namespace platform {

namespace {

bool IsUsable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

HANDLE OpenOutput() {
    HANDLE given = GetStdHandle(STD_OUTPUT_HANDLE);
    if (IsUsable(given)) return given;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return nullptr;
    HANDLE console = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    return console == INVALID_HANDLE_VALUE ? nullptr : console;
}

}  // namespace

void WriteToParentConsole(const std::string& text) {
    // Kept open for the process's life: the prompt's console or the caller's
    // pipe is the program's output for as long as it runs.
    static const HANDLE output = OpenOutput();
    if (!output || text.empty()) return;
    DWORD written = 0;
    WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace platform
