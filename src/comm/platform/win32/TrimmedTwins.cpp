#include "comm/platform/win32/TrimmedTwins.h"

#include <vector>

#include "comm/platform/VerbatimPath.h"
#include "comm/platform/win32/ResolvedName.h"
#include "comm/platform/win32/WidePath.h"

namespace platform {
namespace win32 {
namespace {

// Which file an open handle is: its volume and its number there.
struct FileIdentity {
    DWORD volume = 0;
    DWORD high = 0;
    DWORD low = 0;
    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && high == other.high && low == other.low;
    }
};

bool IdentityOf(HANDLE handle, FileIdentity* identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info)) return false;
    identity->volume = info.dwVolumeSerialNumber;
    identity->high = info.nFileIndexHigh;
    identity->low = info.nFileIndexLow;
    return true;
}

// The names in the folder `folder` ("\\?\" form) that trim to `trimmed`,
// appended to *names; false when the folder cannot be listed. The whole
// folder is read: a pattern could match short names too.
bool NamesTrimmingTo(const std::wstring& folder, const std::wstring& trimmed, std::vector<std::wstring>* names) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L".." && TrimmedName(name) == trimmed) names->push_back(name);
    } while (FindNextFileW(find, &data));
    const DWORD error = GetLastError();
    FindClose(find);
    return error == ERROR_NO_MORE_FILES;
}

// Every place whose names trim to `names` below `root`, found folder by
// folder; false when a folder on the way cannot be listed.
bool PlacesTrimmingAlike(const std::wstring& root, const std::vector<std::wstring>& names,
                         std::vector<std::wstring>* places) {
    places->assign(1, root);
    for (const std::wstring& name : names) {
        const std::wstring trimmed = TrimmedName(name);
        std::vector<std::wstring> found;
        for (const std::wstring& folder : *places) {
            std::vector<std::wstring> inside;
            if (!NamesTrimmingTo(folder, trimmed, &inside)) return false;
            for (const std::wstring& entry : inside) found.push_back(folder + L'\\' + entry);
        }
        places->swap(found);
    }
    return true;
}

}  // namespace

bool TwinHoldsFile(HANDLE handle, const std::string& path) {
    FileIdentity own;
    std::wstring verbatim, root;
    std::vector<std::wstring> names, places;
    if (!IdentityOf(handle, &own) || !MakeVerbatimPath(Wide(path), &verbatim) ||
        !SplitVerbatimPath(verbatim, &root, &names) || !PlacesTrimmingAlike(root, names, &places))
        return true;
    std::wstring ownPlace = root;
    for (const std::wstring& name : names) ownPlace += L'\\' + name;
    for (const std::wstring& place : places) {
        if (place == ownPlace) continue;
        Handle other(CreateFileW(place.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        FileIdentity identity;
        if (!other.Valid()) {
            // Gone since it was listed, or a link to nothing: it holds no file.
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) continue;
            return true;
        }
        if (!IdentityOf(other.Get(), &identity) || identity == own) return true;
    }
    return false;
}

}  // namespace win32
}  // namespace platform
