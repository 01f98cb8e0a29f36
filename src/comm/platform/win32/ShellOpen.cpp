#include "comm/platform/ShellOpen.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

namespace {

// ShellExecuteA's result is an error code of its own below 33.
bool Launched(HINSTANCE result, uint32_t* error) {
    const INT_PTR code = reinterpret_cast<INT_PTR>(result);
    if (code > 32) return true;
    *error = code == 0 ? ERROR_OUTOFMEMORY : static_cast<uint32_t>(code);
    return false;
}

}  // namespace

bool OpenTextFile(const std::string& path, uint32_t* error) {
    if (Launched(ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL), error)) return true;
    if (*error != SE_ERR_NOASSOC) return false;
    const std::string quoted = "\"" + path + "\"";
    return Launched(ShellExecuteA(nullptr, "open", "notepad.exe", quoted.c_str(), nullptr, SW_SHOWNORMAL), error);
}

bool ShowInExplorer(const std::string& path, uint32_t* error) {
    // The path in quotes: it may hold blanks and commas, which Explorer's
    // switches would otherwise split at.
    const std::string arguments = "/select,\"" + path + "\"";
    return Launched(ShellExecuteA(nullptr, "open", "explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL), error);
}

}  // namespace platform
