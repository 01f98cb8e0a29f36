// A file opened for reading at any offset. Paths are Windows-style code page 936
// texts; on the host the platform code turns them into native names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// Move-only owner of one open file; the destructor closes it.
class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Opens an existing file for reading (others may read it at the same time),
    // closing any file open before. False when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const;
    void Close();

    // Length of the file in bytes. REQUIRES: IsOpen().
    uint64_t Size() const;

    // Reads up to `size` bytes starting at `offset` into `buffer`; returns how
    // many were read (fewer at the end of the file or on an error).
    // REQUIRES: IsOpen().
    size_t ReadAt(uint64_t offset, void* buffer, size_t size) const;

private:
    // The native handle: a HANDLE on Windows, a file descriptor on the host.
    intptr_t m_handle = -1;
};

}  // namespace platform
