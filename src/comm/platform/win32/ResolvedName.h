// Internal to the win32 platform code: where the system resolves an entry to,
// which is how a name that leads through a link is told from the entry's own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "comm/platform/ObjectName.h"

namespace platform {
namespace win32 {

// Owns one file handle; closed by the destructor.
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

// Where the system resolves the open handle to, as its object name
// ("\??\E:\Games\x.dat"), exactly as the system gives it (a volume root
// keeps its separator); empty when it cannot say. The object name is what
// GetFinalPathNameByHandle starts from, at half its cost under Wine.
std::wstring ResolvedPath(HANDLE handle);

// The object name the folder `folder` resolves to; empty, with the system's
// code in *error, when it cannot be opened or named.
std::wstring ResolvedFolder(const std::string& folder, uint32_t* error);

// Whether the open entry `handle` resolves to the place of `name` inside
// `folder`, whose object name *folderName holds (from ResolvedFolder). Names
// from one folder listing match byte for byte, so any difference means the
// name leads somewhere else: a link. Wine re-reads its drive letters at most
// once a second, so the same folder can resolve through another drive a
// moment later: *folderName is resolved again before the answer is no.
// Names that match only once the dots and spaces at their ends are left out
// (Wine's names for "Game." and for a link to "Game") are settled by
// IsOwnPlace.
bool IsOwnEntry(HANDLE handle, const std::string& folder, std::wstring* folderName, const std::string& name);

// Whether the open entry `handle`, whose object name compares with the place
// of the entry `path` as `match`, is that entry itself: the names are the
// same, or the same once trimmed and no other place of names that trim alike
// holds the same file (TrimmedTwins.h).
bool IsOwnPlace(ObjectNameMatch match, HANDLE handle, const std::string& path);

}  // namespace win32
}  // namespace platform
