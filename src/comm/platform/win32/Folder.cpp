#include "comm/platform/Folder.h"

#include <windows.h>

namespace platform {
namespace {

void CopyEntry(const WIN32_FIND_DATAA& data, FolderEntry* entry) {
    entry->strName = data.cFileName;
    entry->dwAttributes = data.dwFileAttributes;
}

}  // namespace

bool IsExistingFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FolderListing::~FolderListing() { Close(); }

bool FolderListing::Start(const std::string& pattern, FolderEntry* entry) {
    Close();
    WIN32_FIND_DATAA data;
    HANDLE handle = FindFirstFileA(pattern.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    m_handle = handle;
    CopyEntry(data, entry);
    return true;
}

bool FolderListing::Next(FolderEntry* entry) {
    WIN32_FIND_DATAA data;
    if (m_handle == nullptr || !FindNextFileA(static_cast<HANDLE>(m_handle), &data)) {
        return false;
    }
    CopyEntry(data, entry);
    return true;
}

void FolderListing::Close() {
    if (m_handle != nullptr) {
        FindClose(static_cast<HANDLE>(m_handle));
        m_handle = nullptr;
    }
}

}  // namespace platform
