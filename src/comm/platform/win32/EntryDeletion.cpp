#include "comm/platform/EntryDeletion.h"

#include <windows.h>

#include <atomic>
#include <vector>

namespace platform {
namespace {

std::atomic<FileDeletionHook> g_hook{nullptr};

// "E:\", "E:/", "\\?\E:\": a text ending in a drive and a separator.
bool IsDriveRoot(const std::string& path) {
    const size_t n = path.size();
    return n >= 3 && path[n - 2] == ':' && (path[n - 1] == '\\' || path[n - 1] == '/');
}

// Owns one handle; closed by the destructor.
class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    ~Handle() {
        if (Valid()) CloseHandle(m_h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

// Where the system resolves the open handle to ("\\?\Z:\srv\drive_E\Games"),
// without a trailing separator; "" when it cannot say.
std::string ResolvedPath(HANDLE handle) {
    std::vector<char> buffer(MAX_PATH + 8);
    DWORD length = GetFinalPathNameByHandleA(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFinalPathNameByHandleA(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    }
    if (length == 0 || length >= buffer.size()) return std::string();
    std::string path(buffer.data(), length);
    // Only a drive root ends in a separator ("\\?\E:\"); a last byte 0x5C
    // elsewhere is the trail byte of a character such as 誠.
    if (IsDriveRoot(path)) path.pop_back();
    return path;
}

// Marks the open file for deletion when its last handle closes.
bool MarkForDeletion(HANDLE handle) {
    FILE_DISPOSITION_INFO info = {TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &info, sizeof(info)) != FALSE;
}

// Resets the attributes of `path` and runs `retry`; when it fails, the old
// attributes are put back so that an entry that stays is left as it was.
template <typename Retry>
bool RetryWithNormalAttributes(const std::string& path, Retry retry) {
    const DWORD old = GetFileAttributesA(path.c_str());
    if (old == INVALID_FILE_ATTRIBUTES || !SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return false;
    if (retry()) return true;
    const DWORD error = GetLastError();
    SetFileAttributesA(path.c_str(), old);
    SetLastError(error);
    return false;
}

}  // namespace

uint32_t ReadAttributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

bool DeletionFolder::Open(const std::string& folder, uint32_t* error) {
    m_strFolder = folder;
    // "E:" alone would name the drive's current folder, not its root.
    if (m_strFolder.size() == 2 && m_strFolder[1] == ':') m_strFolder += '\\';
    m_bRoot = IsDriveRoot(m_strFolder);
    Handle handle(CreateFileA(m_strFolder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.Valid()) {
        *error = GetLastError();
        return false;
    }
    m_strResolved = ResolvedPath(handle.Get());
    if (m_strResolved.empty()) {
        *error = GetLastError();
        return false;
    }
    return true;
}

DeleteResult DeletionFolder::DeleteOneFile(const std::string& name, uint32_t* error) {
    const std::string path = m_bRoot ? m_strFolder + name : m_strFolder + '/' + name;
    if (FileDeletionHook hook = g_hook.load()) hook(path);
    // FILE_FLAG_OPEN_REPARSE_POINT: where links are reparse points (Windows)
    // the handle is the link itself; under Wine it is the target, which the
    // check below catches.
    Handle handle(CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle.Valid()) {
        *error = GetLastError();
        return DeleteResult::kFailed;
    }
    // Names from one folder listing match byte for byte, so any difference
    // means the name leads somewhere else.
    if (ResolvedPath(handle.Get()) != m_strResolved + '\\' + name) return DeleteResult::kLink;
    if (MarkForDeletion(handle.Get()) ||
        RetryWithNormalAttributes(path, [&handle] { return MarkForDeletion(handle.Get()); })) {
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
    if (first != ERROR_DIR_NOT_EMPTY &&
        RetryWithNormalAttributes(path, [&path] { return RemoveDirectoryA(path.c_str()) != FALSE; })) {
        return true;
    }
    *error = first == ERROR_DIR_NOT_EMPTY ? first : GetLastError();
    return false;
}

void SetFileDeletionHook(FileDeletionHook hook) { g_hook.store(hook); }

}  // namespace platform
