// CZipArchive: reads entries of a zip archive (a skin archive), from a file or
// from memory. Only what skin archives need: the central directory, stored and
// deflated entries, no encryption, no multi-disk or zip64 archives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "comm/platform/ReadOnlyFile.h"

namespace Vellum {

class CZipArchive {
public:
    enum class Result {
        kOk,
        kNotFound,     // no entry of that name
        kEmpty,        // the entry holds 0 bytes
        kTooLarge,     // the entry unpacks to more than the limit
        kUnzipFailed,  // unknown method, encrypted, damaged, or CRC mismatch
    };

    CZipArchive() = default;
    CZipArchive(const CZipArchive&) = delete;
    CZipArchive& operator=(const CZipArchive&) = delete;

    // Opens the archive file at `path` (Windows-style, code page 936) and reads
    // its central directory. False, leaving the archive closed, when the file
    // cannot be opened or is no readable zip archive.
    bool OpenFile(const std::string& path);
    // The same for an archive held in memory.
    // REQUIRES: `bytes` stays valid and unchanged while the archive is open.
    bool OpenMemory(const void* bytes, size_t size);
    void Close();
    bool IsOpen() const { return m_bOpen; }

    // Unpacks the entry called `name` into *bytes. Names compare byte for byte
    // (case-sensitive), with "\\" and "/" taken as the same separator; entry
    // names the archive marks as UTF-8 are compared in code page 936.
    // REQUIRES: IsOpen().
    Result Extract(const char* name, size_t maxSize, std::string* bytes) const;

    // Number of entries in the central directory, and the name of one of them
    // (code page 936, separators as "/"; "" outside).
    size_t GetEntryCount() const { return m_entries.size(); }
    std::string GetEntryName(size_t index) const {
        return index < m_entries.size() ? m_entries[index].strName : std::string();
    }

private:
    struct Entry {
        std::string strName;  // code page 936, separators as "/"
        uint16_t nFlags;
        uint16_t nMethod;
        uint32_t dwCrc;
        uint32_t nPackedSize;
        uint32_t nSize;
        uint32_t nLocalOffset;
    };

    bool ReadAt(uint64_t offset, void* buffer, size_t size) const;
    bool ReadDirectory();
    const Entry* FindEntry(const char* name) const;
    bool Unpack(const Entry& entry, std::string* bytes) const;

    bool m_bOpen = false;
    platform::ReadOnlyFile m_file;
    const unsigned char* m_pMemory = nullptr;
    uint64_t m_nSize = 0;
    std::vector<Entry> m_entries;
};

}  // namespace Vellum
