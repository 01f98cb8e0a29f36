#include "comm/platform/File.h"

#include "comm/platform/NativeFile.h"

namespace platform {

AppendFile::~AppendFile() { Close(); }

AppendFile::AppendFile(AppendFile&& other) noexcept : m_file(other.m_file) { other.m_file = nullptr; }

AppendFile& AppendFile::operator=(AppendFile&& other) noexcept {
    if (this != &other) {
        Close();
        m_file = other.m_file;
        other.m_file = nullptr;
    }
    return *this;
}

bool AppendFile::Open(const std::string& path) {
    Close();
    m_file = native::OpenForAppend(path);
    return m_file != nullptr;
}

void AppendFile::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool AppendFile::WriteAndFlush(const char* data, size_t size) {
    const bool written = std::fwrite(data, 1, size, m_file) == size;
    return std::fflush(m_file) == 0 && written;
}

uint64_t AppendFile::Size() const { return native::StreamSize(m_file); }

bool AppendFile::Truncate() {
    std::fflush(m_file);
    return native::TruncateStream(m_file);
}

bool RemoveFile(const std::string& path) { return native::RemoveFile(path); }

bool CreateOneFolder(const std::string& path) { return native::CreateOneFolder(path); }

}  // namespace platform
