// The few file calls the log writer makes. Paths are Windows-style code page 936
// texts everywhere; the platform code turns them into native names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// A file opened for appending bytes, created when absent. Move-only owner of the
// stream; the destructor closes it. Bytes are written as given (no line-end
// translation): callers that want CR LF write CR LF.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(AppendFile&& other) noexcept;
    AppendFile& operator=(AppendFile&& other) noexcept;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens `path` for appending, closing any file open before. False when it
    // cannot be opened; the object is then closed.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    void Close();

    // Appends `size` bytes and flushes them to the operating system.
    // REQUIRES: IsOpen().
    bool WriteAndFlush(const char* data, size_t size);

    // Present length of the file in bytes. REQUIRES: IsOpen().
    uint64_t Size() const;

    // Cuts the file to zero length; later writes start at its beginning.
    // REQUIRES: IsOpen().
    bool Truncate();

private:
    std::FILE* m_file = nullptr;
};

// Deletes one file. False when it does not exist or cannot be deleted.
bool RemoveFile(const std::string& path);

// Creates one folder (not its parents). False when it exists already or cannot
// be created.
bool CreateOneFolder(const std::string& path);

}  // namespace platform
