#include "comm/platform/ReadOnlyFile.h"

#include <windows.h>

#include <utility>

namespace platform {
namespace {

const intptr_t kClosed = -1;  // INVALID_HANDLE_VALUE as an integer

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

ReadOnlyFile::~ReadOnlyFile() { Close(); }

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept : m_handle(std::exchange(other.m_handle, kClosed)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, kClosed);
    }
    return *this;
}

bool ReadOnlyFile::Open(const std::string& path) {
    Close();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    m_handle = reinterpret_cast<intptr_t>(file);
    return true;
}

bool ReadOnlyFile::IsOpen() const { return m_handle != kClosed; }

void ReadOnlyFile::Close() {
    if (m_handle != kClosed) {
        CloseHandle(AsHandle(m_handle));
        m_handle = kClosed;
    }
}

uint64_t ReadOnlyFile::Size() const {
    LARGE_INTEGER size;
    return GetFileSizeEx(AsHandle(m_handle), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

size_t ReadOnlyFile::ReadAt(uint64_t offset, void* buffer, size_t size) const {
    size_t done = 0;
    char* out = static_cast<char*>(buffer);
    while (done < size) {
        // ReadFile takes a 32-bit count and the offset through an OVERLAPPED
        // record (the handle is synchronous, so the call still waits).
        OVERLAPPED at = {};
        const uint64_t where = offset + done;
        at.Offset = static_cast<DWORD>(where & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(where >> 32);
        const size_t left = size - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_handle), out + done, chunk, &got, &at) || got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

}  // namespace platform
