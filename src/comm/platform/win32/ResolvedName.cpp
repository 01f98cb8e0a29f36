#include "comm/platform/win32/ResolvedName.h"

#include <winternl.h>

#include <cstring>
#include <vector>

#include "comm/platform/ObjectName.h"
#include "comm/platform/PathSeparator.h"
#include "comm/platform/win32/TrimmedTwins.h"
#include "comm/platform/win32/WidePath.h"

namespace platform {
namespace win32 {

std::wstring ResolvedPath(HANDLE handle) {
    using QueryObject = NTSTATUS(NTAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    static const QueryObject query = [] {
        FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject");
        QueryObject function = nullptr;
        static_assert(sizeof(function) == sizeof(found), "function pointers of one size");
        std::memcpy(&function, &found, sizeof(function));
        return function;
    }();
    if (query == nullptr) return std::wstring();
    std::vector<unsigned char> buffer(sizeof(OBJECT_NAME_INFORMATION) + 1024 * sizeof(WCHAR));
    ULONG needed = 0;
    NTSTATUS status = query(handle, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status != 0 && needed > buffer.size()) {
        buffer.resize(needed);
        status = query(handle, ObjectNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    }
    if (status != 0) return std::wstring();
    const UNICODE_STRING& name = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data())->Name;
    return std::wstring(name.Buffer, name.Length / sizeof(WCHAR));
}

std::wstring ResolvedFolder(const std::string& folder, uint32_t* error) {
    Handle handle(CreateFileW(SystemPath(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.Valid()) {
        *error = GetLastError();
        return std::wstring();
    }
    std::wstring resolved = ResolvedPath(handle.Get());
    if (resolved.empty()) *error = ERROR_INVALID_HANDLE;
    return resolved;
}

bool IsOwnEntry(HANDLE handle, const std::string& folder, std::wstring* folderName, const std::string& name) {
    const std::wstring resolved = ResolvedPath(handle);
    if (resolved.empty()) return false;
    const std::wstring wideName = Wide(name);
    ObjectNameMatch match = MatchObjectName(resolved, *folderName, wideName);
    if (match == ObjectNameMatch::kOther) {
        uint32_t error = 0;
        *folderName = ResolvedFolder(folder, &error);
        if (folderName->empty()) return false;
        match = MatchObjectName(resolved, *folderName, wideName);
    }
    return IsOwnPlace(match, handle, EndsWithSeparator(folder) ? folder + name : folder + '\\' + name);
}

bool IsOwnPlace(ObjectNameMatch match, HANDLE handle, const std::string& path) {
    return match == ObjectNameMatch::kSame ||
           (match == ObjectNameMatch::kSameOnceTrimmed && !TwinHoldsFile(handle, path));
}

}  // namespace win32
}  // namespace platform
