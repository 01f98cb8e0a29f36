// Internal to the win32 platform code: where the system resolves an entry to,
// which is how a name that leads through a link is told from the entry's own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

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
bool IsOwnEntry(HANDLE handle, const std::string& folder, std::wstring* folderName, const std::string& name);

}  // namespace win32
}  // namespace platform
