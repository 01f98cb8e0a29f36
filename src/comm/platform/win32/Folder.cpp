#include "comm/platform/Folder.h"

#include <windows.h>

#include <cwchar>

#include "comm/platform/win32/ReparseTagHook.h"
#include "comm/platform/win32/WidePath.h"

namespace platform {
namespace {

// FILETIME counts 100-nanosecond ticks from 1601-01-01 UTC.
const int64_t kTicksPerSecond = 10000000;
const int64_t kTicksFrom1601To1970 = 116444736000000000LL;

int64_t SecondsSince1970(const FILETIME& time) {
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - kTicksFrom1601To1970) / kTicksPerSecond;
}

void CopyEntry(const WIN32_FIND_DATAW& data, FolderEntry* entry) {
    entry->bNameLost = !win32::NarrowName(data.cFileName, std::wcslen(data.cFileName), &entry->strName);
    entry->dwAttributes = data.dwFileAttributes;
    // dwReserved0 holds the tag only for a reparse point; for any other
    // entry it is left undefined.
    entry->dwReparseTag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? data.dwReserved0 : 0;
    const bool isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry->nSize = isDir ? 0 : (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entry->nModified = SecondsSince1970(data.ftLastWriteTime);
}

// The tests' hook, when one is set: the entry `entry` of the folder whose
// path and separator are `folder` presented as the reparse point it names.
void Present(const std::string& folder, FolderEntry* entry) {
    uint32_t tag = 0;
    if (folder.empty() || !win32::PresentedReparseTag(folder + entry->strName, &tag)) return;
    entry->dwAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    entry->dwReparseTag = tag;
}

// The error code of a listing call that failed, or 0 when it only ran out of
// entries: "no file matched" from the first call, "no more files" from a later one.
unsigned long FailureOf(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES ? 0 : code; }

}  // namespace

bool IsExistingFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win32::SystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FolderListing::~FolderListing() { Close(); }

bool FolderListing::Start(const std::string& pattern, FolderEntry* entry) {
    Close();
    m_failure = 0;
    WIN32_FIND_DATAW data;
    HANDLE handle = FindFirstFileW(win32::SystemPath(pattern).c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) {
        m_failure = FailureOf(GetLastError());
        return false;
    }
    m_handle = handle;
    // The folder of "E:\Games\*.*" is what precedes its last separator: the
    // pattern's own part holds none.
    m_strFolder.clear();
    if (win32::ReparseTagHookIsSet()) m_strFolder = pattern.substr(0, pattern.find_last_of("\\/") + 1);
    CopyEntry(data, entry);
    Present(m_strFolder, entry);
    return true;
}

bool FolderListing::Next(FolderEntry* entry) {
    WIN32_FIND_DATAW data;
    if (m_handle == nullptr) {
        return false;
    }
    if (!FindNextFileW(static_cast<HANDLE>(m_handle), &data)) {
        m_failure = FailureOf(GetLastError());
        return false;
    }
    CopyEntry(data, entry);
    Present(m_strFolder, entry);
    return true;
}

void FolderListing::Close() {
    if (m_handle != nullptr) {
        FindClose(static_cast<HANDLE>(m_handle));
        m_handle = nullptr;
    }
}

uint32_t ReadReparseTag(const std::string& path) {
    uint32_t tag = 0;
    if (win32::PresentedReparseTag(path, &tag)) return tag;
    // A listing of the entry's own name: the tag exactly as the scan's
    // listing gave it, without opening the entry (which could be held by
    // another program, or start a cloud drive's download).
    // The system reads the last name as a pattern, even in the exact form:
    // "Game." also finds "Game". Only the entry of that very name counts;
    // none found reads as tag 0, which callers take for a link.
    const std::wstring wide = win32::SystemPath(path);
    const std::wstring name = wide.substr(wide.find_last_of(L'\\') + 1);
    WIN32_FIND_DATAW data;
    HANDLE handle = FindFirstFileW(wide.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) return 0;
    tag = 0;
    do {
        if (name != data.cFileName) continue;
        tag = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? data.dwReserved0 : 0;
        break;
    } while (FindNextFileW(handle, &data));
    FindClose(handle);
    return tag;
}

}  // namespace platform
