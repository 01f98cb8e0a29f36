#include "comm/platform/EntryDeletion.h"

#include <windows.h>

#include <atomic>

#include "comm/platform/win32/ResolvedName.h"

namespace platform {

using win32::Handle;

namespace {

std::atomic<FileDeletionHook> g_hook{nullptr};

// "E:\" or "E:/": a drive root, the one folder path ending in a separator
// (elsewhere a last byte 0x5C is the trail byte of a character such as 誠).
bool IsDriveRoot(const std::string& path) {
    const size_t n = path.size();
    return n >= 3 && path[n - 2] == ':' && (path[n - 1] == '\\' || path[n - 1] == '/');
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
bool RemoveWithNormalAttributes(const std::string& path) {
    const DWORD old = GetFileAttributesA(path.c_str());
    if (old == INVALID_FILE_ATTRIBUTES || !SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return false;
    if (RemoveDirectoryA(path.c_str())) return true;
    const DWORD error = GetLastError();
    SetFileAttributesA(path.c_str(), old);
    SetLastError(error);
    return false;
}

}  // namespace

uint32_t ReadAttributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool EntryExists(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

bool DeletionFolder::Open(const std::string& folder, uint32_t* error) {
    m_strFolder = folder;
    // "E:" alone would name the drive's current folder, not its root.
    if (m_strFolder.size() == 2 && m_strFolder[1] == ':') m_strFolder += '\\';
    m_bRoot = IsDriveRoot(m_strFolder);
    return Resolve(error);
}

bool DeletionFolder::Resolve(uint32_t* error) {
    m_strResolved = win32::ResolvedFolder(m_strFolder, error);
    return !m_strResolved.empty();
}

bool DeletionFolder::IsOwnEntry(void* handle, const std::string& name) {
    return win32::IsOwnEntry(static_cast<HANDLE>(handle), m_strFolder, &m_strResolved, name);
}

DeleteResult DeletionFolder::DeleteOneFile(const std::string& name, uint32_t* error, uint64_t* size) {
    const std::string path = m_bRoot ? m_strFolder + name : m_strFolder + '\\' + name;
    if (FileDeletionHook hook = g_hook.load()) hook(path);
    // No sharing: the open succeeds only when nobody else holds the file, so
    // a deletion marked on this handle is done when it closes, and nobody can
    // open the file in between. FILE_FLAG_OPEN_REPARSE_POINT: where links are
    // reparse points (Windows) the handle is the link itself; under Wine it is
    // the target, which the check below catches.
    Handle handle(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, 0, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle.Valid()) {
        *error = GetLastError();
        return DeleteResult::kFailed;
    }
    // Names from one folder listing match byte for byte, so any difference
    // means the name leads somewhere else.
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
    if (RemoveDirectoryA(path.c_str())) return true;
    const DWORD first = GetLastError();
    // A folder that still holds entries stays whatever its attributes are;
    // resetting them would only change a folder that is left in place.
    if (first != ERROR_DIR_NOT_EMPTY && RemoveWithNormalAttributes(path)) return true;
    *error = first == ERROR_DIR_NOT_EMPTY ? first : GetLastError();
    return false;
}

void SetFileDeletionHookForTests(FileDeletionHook hook) { g_hook.store(hook); }

}  // namespace platform
