#include "support/WineHost.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "comm/platform/CodePage.h"
#include "support/TempDir.h"

namespace testsupport {
namespace {

// Wine's own exports, found at run time so the tests still link on Windows.
template <typename Function>
Function WineExport(const char* module, const char* name) {
    FARPROC found = GetProcAddress(GetModuleHandleA(module), name);
    Function function = nullptr;
    static_assert(sizeof(function) == sizeof(found), "function pointers of one size");
    std::memcpy(&function, &found, sizeof(function));
    return function;
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
    using UnixFileName = char* (*)(const WCHAR*);
    auto toUnix = WineExport<UnixFileName>("kernel32.dll", "wine_get_unix_file_name");
    if (toUnix == nullptr) {
        return "";
    }
    std::wstring wide(windowsPath.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    if (length == 0) {
        return "";
    }
    char* unixPath = toUnix(wide.c_str());
    if (unixPath == nullptr) {
        return "";
    }
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string ExactUnixPathOf(const std::string& windowsPath) {
    std::string rest;
    const std::string root =
        windowsPath.size() > 3 && windowsPath[1] == ':' ? UnixPathOf(windowsPath.substr(0, 3)) : std::string();
    if (root.empty() || !platform::CodePage936ToUtf8(windowsPath.substr(3), &rest)) return UnixPathOf(windowsPath);
    // Separators turn into slashes only once the name is UTF-8, where a 0x5C
    // byte is always a backslash (in GBK it may be a character's trail byte).
    std::replace(rest.begin(), rest.end(), '\\', '/');
    return root + (root.back() == '/' ? "" : "/") + rest;
}

std::string WindowsPathOf(const std::string& unixPath) {
    using DosFileName = WCHAR* (*)(const char*);
    auto toDos = WineExport<DosFileName>("kernel32.dll", "wine_get_dos_file_name");
    if (toDos == nullptr) {
        return "";
    }
    WCHAR* wide = toDos(unixPath.c_str());
    if (wide == nullptr) {
        return "";
    }
    std::string result;
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length > 1) {
        result.resize(static_cast<size_t>(length));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, &result[0], length, nullptr, nullptr);
        result.resize(static_cast<size_t>(length - 1));
    }
    HeapFree(GetProcessHeap(), 0, wide);
    return result;
}

std::string DosDevicesFolder() {
    const char* prefix = std::getenv("WINEPREFIX");
    return prefix != nullptr ? std::string(prefix) + "/dosdevices" : std::string();
}

bool RunUnixCommand(const std::vector<std::string>& argv) {
    using Spawn = int (*)(char* const*, int);
    auto spawn = WineExport<Spawn>("ntdll.dll", "__wine_unix_spawnvp");
    if (spawn == nullptr || argv.empty()) {
        return false;
    }
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    return spawn(args.data(), 1) == 0;
}

bool RunUnixCommandOutput(const std::vector<std::string>& argv, std::string* output) {
    output->clear();
    static std::atomic<unsigned> counter{0};
    char name[64];
    std::snprintf(name, sizeof(name), "trevand-out-%lu-%u.txt", GetCurrentProcessId(), counter++);
    char tempFolder[MAX_PATH];
    const DWORD length = GetTempPathA(sizeof(tempFolder), tempFolder);
    if (length == 0 || length >= sizeof(tempFolder)) {
        return false;
    }
    const std::string file = std::string(tempFolder) + name;
    const std::string unixFile = UnixPathOf(file);
    if (unixFile.empty()) {
        return false;
    }
    // sh -c 'out=$1; shift; exec "$@" > "$out" 2>/dev/null' sh FILE COMMAND...
    // (what the command says on stderr, such as xdotool's X errors about a
    // window that has just gone, would only clutter the caller's output)
    std::vector<std::string> shell = {"sh", "-c", "out=$1; shift; exec \"$@\" > \"$out\" 2>/dev/null", "sh", unixFile};
    shell.insert(shell.end(), argv.begin(), argv.end());
    const bool ran = RunUnixCommand(shell);
    *output = ReadFileBytes(file);
    DeleteFileA(file.c_str());
    return ran;
}

}  // namespace testsupport
