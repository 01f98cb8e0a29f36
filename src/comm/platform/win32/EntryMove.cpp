#include "comm/platform/EntryMove.h"

#include <windows.h>

#include "comm/platform/EntryDeletion.h"
#include "comm/platform/Folder.h"
#include "comm/platform/PathSeparator.h"
#include "comm/platform/win32/ResolvedName.h"
#include "comm/platform/win32/WidePath.h"

namespace platform {

using win32::SystemPath;

namespace {

// "E:\": where the walk up a path ends. A drive root is what the drive
// letter maps to, never a link in its own right.
bool IsDriveRoot(const std::string& folder) { return folder.size() == 3 && folder[1] == ':'; }

// Whether `path` itself resolves to its own place in its folder (a link does
// not under Wine 8, where every rename through it would move its target).
// False with the code in *error when it does not or cannot be opened.
bool ResolvesToOwnPlace(const std::string& path, uint32_t* error) {
    const std::string folder = ParentFolder(path);
    if (folder.empty()) {
        *error = ERROR_BAD_PATHNAME;
        return false;
    }
    const std::string name = path.substr(folder.size() + (EndsWithSeparator(folder) ? 0 : 1));
    // FILE_FLAG_OPEN_REPARSE_POINT: where links are reparse points (Windows)
    // the handle is the link itself, which resolves to its own place.
    win32::Handle entry(CreateFileW(SystemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr));
    if (!entry.Valid()) {
        *error = GetLastError();
        return false;
    }
    std::wstring folderName = win32::ResolvedFolder(folder, error);
    if (folderName.empty()) return false;
    if (win32::IsOwnEntry(entry.Get(), folder, &folderName, name)) return true;
    *error = kErrorStoppedOnLink;
    return false;
}

// One folder made. True when `path` is a folder afterwards; else the
// system's code in *code (kErrorAlreadyExists for a file in the way).
bool MakeOneFolder(const std::string& path, DWORD* code, std::vector<std::string>* created) {
    if (CreateDirectoryW(SystemPath(path).c_str(), nullptr)) {
        if (created) created->push_back(path);
        return true;
    }
    *code = GetLastError();
    return *code == ERROR_ALREADY_EXISTS && IsExistingFolder(path);
}

}  // namespace

bool CrossesLink(const std::string& path) {
    for (std::string folder = ParentFolder(path); !folder.empty() && !IsDriveRoot(folder);
         folder = ParentFolder(folder)) {
        // A folder kept beyond this machine counts too: a rename out of it
        // or into it reaches the service that keeps it.
        if (ReadReparseClass(folder) != ReparseClass::kEntry) return true;
    }
    return false;
}

bool MoveEntry(const std::string& from, const std::string& to, uint32_t* error) {
    if (CrossesLink(from) || CrossesLink(to)) {
        *error = kErrorStoppedOnLink;
        return false;
    }
    // A cloud drive's placeholder moved out of its place is, to the drive,
    // deleted there. A link is not refused here: Windows renames the link
    // itself, and under Wine the check below finds where it leads.
    if (ReadReparseClass(from) == ReparseClass::kBeyondMachine) {
        *error = kErrorBeyondMachine;
        return false;
    }
    if (!ResolvesToOwnPlace(from, error)) return false;
    // No MOVEFILE_REPLACE_EXISTING, no MOVEFILE_COPY_ALLOWED: a rename or
    // nothing.
    if (MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(), 0)) return true;
    *error = GetLastError();
    return false;
}

bool CreateFolders(const std::string& path, uint32_t* error, std::vector<std::string>* created) {
    // Asked first: creating a drive root fails with a code of its own.
    if (IsExistingFolder(path)) return true;
    DWORD code = 0;
    if (MakeOneFolder(path, &code, created)) return true;
    if (code == ERROR_PATH_NOT_FOUND) {
        // The folder above is missing too: make it, then try once more.
        const std::string parent = ParentFolder(path);
        if (parent.empty() || parent == path) {
            *error = code;
            return false;
        }
        if (!CreateFolders(parent, error, created)) return false;
        if (MakeOneFolder(path, &code, created)) return true;
    }
    *error = code;
    return false;
}

bool MarkHidden(const std::string& path, uint32_t* error) {
    // The attributes SetFileAttributesA takes; the others (directory, reparse
    // point, ...) only describe the entry.
    const DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const std::wstring wide = SystemPath(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesW(wide.c_str(), (attributes & kSettable) | FILE_ATTRIBUTE_HIDDEN)) {
        *error = GetLastError();
        return false;
    }
    return true;
}

}  // namespace platform
