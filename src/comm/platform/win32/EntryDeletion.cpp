#include "comm/platform/EntryDeletion.h"

#include <windows.h>
#include <winternl.h>

#include <atomic>
#include <cstring>

#include "comm/platform/Folder.h"
#include "comm/platform/ObjectName.h"
#include "comm/platform/win32/ReparseTagHook.h"
#include "comm/platform/win32/ResolvedName.h"
#include "comm/platform/win32/WidePath.h"

namespace platform {

using win32::Handle;
using win32::SystemPath;

namespace {

std::atomic<FileDeletionHook> g_hook{nullptr};

// "E:\" or "E:/": a drive root, the one folder path ending in a separator
// (elsewhere a last byte 0x5C is the trail byte of a character such as 誠).
bool IsDriveRoot(const std::string& path) {
    const size_t n = path.size();
    return n >= 3 && path[n - 2] == ':' && (path[n - 1] == '\\' || path[n - 1] == '/');
}

// The native calls a relative open needs: no Win32 call opens a name relative
// to a folder handle.
struct NativeCalls {
    using CreateFileCall = NTSTATUS(NTAPI*)(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, PIO_STATUS_BLOCK, PLARGE_INTEGER,
                                            ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
    using ErrorOfStatusCall = ULONG(NTAPI*)(NTSTATUS);
    CreateFileCall createFile = nullptr;
    ErrorOfStatusCall errorOfStatus = nullptr;
};

template <typename Call>
Call NtdllCall(const char* name) {
    FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), name);
    Call call = nullptr;
    static_assert(sizeof(call) == sizeof(found), "function pointers of one size");
    std::memcpy(&call, &found, sizeof(call));
    return call;
}

const NativeCalls& Native() {
    static const NativeCalls calls = [] {
        NativeCalls found;
        found.createFile = NtdllCall<NativeCalls::CreateFileCall>("NtCreateFile");
        found.errorOfStatus = NtdllCall<NativeCalls::ErrorOfStatusCall>("RtlNtStatusToDosError");
        return found;
    }();
    return calls;
}

// Opens the file `name` of the open folder `folder` for deleting it, as
// CreateFile would with no sharing and FILE_FLAG_OPEN_REPARSE_POINT. The
// system's code in *error when it cannot.
HANDLE OpenInFolder(HANDLE folder, const std::wstring& name, DWORD* error) {
    const NativeCalls& native = Native();
    if (native.createFile == nullptr || native.errorOfStatus == nullptr) {
        *error = ERROR_PROC_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    UNICODE_STRING unicodeName;
    unicodeName.Buffer = const_cast<PWSTR>(name.c_str());
    unicodeName.Length = unicodeName.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &unicodeName, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io;
    HANDLE file = INVALID_HANDLE_VALUE;
    // No sharing: the open succeeds only when nobody else holds the file, so
    // a deletion marked on this handle is done when it closes, and nobody can
    // open the file in between. FILE_OPEN_REPARSE_POINT: where links are
    // reparse points (Windows) the handle is the link itself; under Wine it is
    // the target, which the caller's check catches.
    const NTSTATUS status = native.createFile(
        &file, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE, &attributes, &io, nullptr, 0, 0,
        FILE_OPEN, FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    if (status < 0) {
        *error = native.errorOfStatus(status);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// Marks the open file for deletion when its last handle closes.
bool MarkForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO info = {TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &info, sizeof(info)) != FALSE;
}

// The second attempt on a file the system refused (a read-only one): its
// attributes reset through the handle, then put back if it is refused again,
// so a file that stays is left as it was.
bool MarkWithNormalAttributes(HANDLE handle) {
    FILE_BASIC_INFO info;
    if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &info, sizeof(info))) return false;
    const DWORD old = info.FileAttributes;
    // Zero times: left as they are.
    info.CreationTime.QuadPart = info.LastAccessTime.QuadPart = 0;
    info.LastWriteTime.QuadPart = info.ChangeTime.QuadPart = 0;
    info.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof(info))) return false;
    if (MarkForDeletion(handle)) return true;
    const DWORD error = GetLastError();
    info.FileAttributes = old;
    SetFileInformationByHandle(handle, FileBasicInfo, &info, sizeof(info));
    SetLastError(error);
    return false;
}

// The second attempt on a folder the system refused: its attributes reset,
// then put back if it is refused again.
bool RemoveWithNormalAttributes(const std::wstring& path) {
    const DWORD old = GetFileAttributesW(path.c_str());
    if (old == INVALID_FILE_ATTRIBUTES || !SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return false;
    if (RemoveDirectoryW(path.c_str())) return true;
    const DWORD error = GetLastError();
    SetFileAttributesW(path.c_str(), old);
    SetLastError(error);
    return false;
}

}  // namespace

uint32_t ReadAttributes(const std::string& path) {
    DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
    uint32_t tag = 0;
    if (attributes != INVALID_FILE_ATTRIBUTES && win32::PresentedReparseTag(path, &tag))
        attributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    return attributes;
}

ReparseClass ReadReparseClass(const std::string& path) {
    const uint32_t attributes = ReadAttributes(path);
    if (attributes == kAttributesInvalid || (attributes & kAttributeReparsePoint) == 0) return ReparseClass::kEntry;
    return ClassifyEntry(attributes, ReadReparseTag(path));
}

bool EntryExists(const std::string& path) {
    const std::wstring wide = SystemPath(path);
    // A path no call may be given (SystemPath) cannot be looked at.
    if (wide.empty()) return true;
    if (GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

DeletionFolder::~DeletionFolder() { Close(); }

bool DeletionFolder::Open(const std::string& folder, uint32_t* error) {
    Close();
    m_strFolder = folder;
    // "E:" alone would name the drive's current folder, not its root.
    if (m_strFolder.size() == 2 && m_strFolder[1] == ':') m_strFolder += '\\';
    m_bRoot = IsDriveRoot(m_strFolder);
    // Shared for everything: the folder is only named through, and another
    // program may list it or remove files from it meanwhile.
    HANDLE handle = CreateFileW(SystemPath(m_strFolder).c_str(), FILE_TRAVERSE | SYNCHRONIZE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    m_handle = handle;
    m_strResolved = win32::ResolvedPath(handle);
    if (m_strResolved.empty()) {
        *error = ERROR_INVALID_HANDLE;
        Close();
        return false;
    }
    return true;
}

void DeletionFolder::Close() {
    if (m_handle != nullptr) {
        CloseHandle(static_cast<HANDLE>(m_handle));
        m_handle = nullptr;
    }
}

bool DeletionFolder::IsOwnEntry(void* handle, const std::string& name) {
    const std::wstring resolved = win32::ResolvedPath(static_cast<HANDLE>(handle));
    if (resolved.empty()) return false;
    const std::wstring wideName = win32::Wide(name);
    ObjectNameMatch match = MatchObjectName(resolved, m_strResolved, wideName);
    if (match == ObjectNameMatch::kOther) {
        // Wine re-reads its drive letters at most once a second, so the
        // folder can resolve through another drive a moment later: ask its
        // handle again before the answer is no.
        m_strResolved = win32::ResolvedPath(static_cast<HANDLE>(m_handle));
        if (m_strResolved.empty()) return false;
        match = MatchObjectName(resolved, m_strResolved, wideName);
    }
    return win32::IsOwnPlace(match, static_cast<HANDLE>(handle),
                             m_bRoot ? m_strFolder + name : m_strFolder + '\\' + name);
}

DeleteResult DeletionFolder::DeleteOneFile(const std::string& name, uint32_t* error, uint64_t* size) {
    if (FileDeletionHook hook = g_hook.load()) hook(m_bRoot ? m_strFolder + name : m_strFolder + '\\' + name);
    DWORD code = 0;
    Handle handle(OpenInFolder(static_cast<HANDLE>(m_handle), win32::Wide(name), &code));
    if (!handle.Valid()) {
        *error = code;
        return DeleteResult::kFailed;
    }
    // Names from one folder listing match byte for byte, so any difference
    // means the name leads somewhere else (Wine's trimmed names aside, which
    // the files settle: ResolvedName.h).
    if (!IsOwnEntry(handle.Get(), name)) return DeleteResult::kLink;
    // Read while nobody else can open the file: the length is what the
    // deletion frees.
    LARGE_INTEGER length = {};
    if (size && !GetFileSizeEx(handle.Get(), &length)) length.QuadPart = 0;
    if (MarkForDeletion(handle.Get()) || MarkWithNormalAttributes(handle.Get())) {
        if (size) *size = static_cast<uint64_t>(length.QuadPart);
        return DeleteResult::kDeleted;
    }
    *error = GetLastError();
    return DeleteResult::kFailed;
}

bool RemoveFolder(const std::string& path, uint32_t* error) {
    const std::wstring wide = SystemPath(path);
    if (RemoveDirectoryW(wide.c_str())) return true;
    const DWORD first = GetLastError();
    // A folder that still holds entries stays whatever its attributes are;
    // resetting them would only change a folder that is left in place.
    if (first != ERROR_DIR_NOT_EMPTY && RemoveWithNormalAttributes(wide)) return true;
    *error = first == ERROR_DIR_NOT_EMPTY ? first : GetLastError();
    return false;
}

void SetFileDeletionHookForTests(FileDeletionHook hook) { g_hook.store(hook); }

}  // namespace platform
