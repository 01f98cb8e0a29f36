#include "comm/platform/win32/WidePath.h"

#include <windows.h>

#include <vector>

#include "comm/platform/VerbatimPath.h"

namespace platform {
namespace win32 {
namespace {

// CreateDirectoryA refuses a path of MAX_PATH - 12 characters or more (room
// for an 8.3 name must be left); the other ANSI calls stop at MAX_PATH - 1.
// One limit for every call keeps the rule simple.
const size_t kPlainPathLimit = MAX_PATH - 12;

bool IsAscii(const wchar_t* name, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (name[i] >= 0x80) return false;
    }
    return true;
}

// The full path the system would make of `wide` before using it; empty when
// it cannot.
std::wstring FullPath(const std::wstring& wide) {
    std::vector<wchar_t> buffer(wide.size() + MAX_PATH);
    DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    }
    if (length == 0 || length >= buffer.size()) return std::wstring();
    return std::wstring(buffer.data(), length);
}

}  // namespace

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::wstring SystemPath(const std::string& path) {
    const std::wstring wide = Wide(path);
    const bool trimmed = HasTrimmedName(wide);
    if (!trimmed && wide.size() < kPlainPathLimit) return wide;
    std::wstring verbatim;
    if (MakeVerbatimPath(wide, &verbatim)) return verbatim;
    // Relative, or a device path: the system alone knows where it leads, and
    // it would trim the names on the way.
    if (trimmed) return std::wstring();
    // A long one can still be made full first: with no name to trim, the
    // system's full path names the same entries.
    const std::wstring full = FullPath(wide);
    return !full.empty() && MakeVerbatimPath(full, &verbatim) ? verbatim : wide;
}

bool NarrowName(const wchar_t* name, size_t length, std::string* text) {
    if (IsAscii(name, length)) {
        text->assign(name, name + length);
        return true;
    }
    const int wideLength = static_cast<int>(length);
    // No best fit: a character the code page lacks must not turn into a
    // look-alike that names another entry.
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, wideLength, nullptr, 0, nullptr, nullptr);
    text->assign(static_cast<size_t>(size), '\0');
    BOOL usedDefault = FALSE;
    if (size > 0) {
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, wideLength, &(*text)[0], size, nullptr, &usedDefault);
    }
    if (usedDefault || size == 0) return false;
    // The name must come back as it was: only then does a path made of it
    // reach this entry.
    return Wide(*text) == std::wstring(name, length);
}

}  // namespace win32
}  // namespace platform
