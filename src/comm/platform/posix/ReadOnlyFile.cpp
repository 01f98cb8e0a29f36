#include "comm/platform/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "comm/platform/posix/NativePath.h"

namespace platform {

ReadOnlyFile::~ReadOnlyFile() { Close(); }

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_handle = std::exchange(other.m_handle, -1);
    }
    return *this;
}

bool ReadOnlyFile::Open(const std::string& path) {
    Close();
    std::string name;
    if (!ToNativePath(path, &name)) {
        return false;
    }
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // A folder opens fine on Linux but not on Windows; refuse it the same way.
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_handle = fd;
    return true;
}

bool ReadOnlyFile::IsOpen() const { return m_handle >= 0; }

void ReadOnlyFile::Close() {
    if (m_handle >= 0) {
        ::close(static_cast<int>(m_handle));
        m_handle = -1;
    }
}

uint64_t ReadOnlyFile::Size() const {
    struct stat st;
    return fstat(static_cast<int>(m_handle), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

size_t ReadOnlyFile::ReadAt(uint64_t offset, void* buffer, size_t size) const {
    size_t done = 0;
    char* out = static_cast<char*>(buffer);
    while (done < size) {
        const ssize_t n =
            ::pread(static_cast<int>(m_handle), out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return done;
}

}  // namespace platform
