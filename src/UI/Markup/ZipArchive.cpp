#include "UI/Markup/ZipArchive.h"

#include <zlib.h>

#include <cstring>

#include "UI/Base/CharStep.h"
#include "comm/platform/CodePage.h"

namespace Vellum {
namespace {

const uint32_t kEndOfDirectorySignature = 0x06054b50;
const uint32_t kDirectorySignature = 0x02014b50;
const uint32_t kLocalSignature = 0x04034b50;
const size_t kEndOfDirectorySize = 22;
const size_t kDirectoryEntrySize = 46;
const size_t kLocalHeaderSize = 30;
const size_t kMaxCommentSize = 0xFFFF;

const uint16_t kFlagEncrypted = 0x0001;
const uint16_t kFlagUtf8Name = 0x0800;
const uint16_t kMethodStored = 0;
const uint16_t kMethodDeflated = 8;

uint16_t Get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Get32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// `name` with every "\\" that is a character of its own turned into "/" (a
// double-byte character may end in the byte 0x5C and stays as it is).
std::string WithSlashes(const char* name) {
    std::string result;
    for (const char* p = name; *p != '\0';) {
        const char* next = UICharNext(p);
        if (next - p == 1 && *p == '\\') {
            result.push_back('/');
        } else {
            result.append(p, next);
        }
        p = next;
    }
    return result;
}

}  // namespace

bool CZipArchive::OpenFile(const std::string& path) {
    Close();
    if (!m_file.Open(path)) {
        return false;
    }
    m_nSize = m_file.Size();
    m_bOpen = ReadDirectory();
    if (!m_bOpen) {
        Close();
    }
    return m_bOpen;
}

bool CZipArchive::OpenMemory(const void* bytes, size_t size) {
    Close();
    if (bytes == nullptr) {
        return false;
    }
    m_pMemory = static_cast<const unsigned char*>(bytes);
    m_nSize = size;
    m_bOpen = ReadDirectory();
    if (!m_bOpen) {
        Close();
    }
    return m_bOpen;
}

void CZipArchive::Close() {
    m_bOpen = false;
    m_file.Close();
    m_pMemory = nullptr;
    m_nSize = 0;
    m_entries.clear();
}

bool CZipArchive::ReadAt(uint64_t offset, void* buffer, size_t size) const {
    if (offset > m_nSize || size > m_nSize - offset) {
        return false;
    }
    if (size == 0) {
        return true;  // an empty central directory has no buffer to fill
    }
    if (m_pMemory != nullptr) {
        std::memcpy(buffer, m_pMemory + offset, size);
        return true;
    }
    return m_file.ReadAt(offset, buffer, size) == size;
}

// The end-of-directory record is the last 22 bytes plus a comment of up to
// 64 KiB; it is searched for from the end.
bool CZipArchive::ReadDirectory() {
    if (m_nSize < kEndOfDirectorySize) {
        return false;
    }
    const uint64_t tailSize =
        m_nSize < kEndOfDirectorySize + kMaxCommentSize ? m_nSize : kEndOfDirectorySize + kMaxCommentSize;
    std::vector<unsigned char> tail(static_cast<size_t>(tailSize));
    if (!ReadAt(m_nSize - tailSize, tail.data(), tail.size())) {
        return false;
    }
    size_t at = tail.size() - kEndOfDirectorySize + 1;
    do {
        --at;
    } while (at > 0 && Get32(&tail[at]) != kEndOfDirectorySignature);
    if (Get32(&tail[at]) != kEndOfDirectorySignature) {
        return false;
    }
    const unsigned char* end = &tail[at];
    const uint16_t count = Get16(end + 10);
    const uint32_t directorySize = Get32(end + 12);
    const uint32_t directoryOffset = Get32(end + 16);
    const uint64_t endOffset = m_nSize - tailSize + at;
    if (static_cast<uint64_t>(directoryOffset) + directorySize > endOffset) {
        return false;
    }

    std::vector<unsigned char> directory(directorySize);
    if (!ReadAt(directoryOffset, directory.data(), directory.size())) {
        return false;
    }
    size_t pos = 0;
    m_entries.clear();
    for (uint16_t i = 0; i < count; ++i) {
        if (directory.size() - pos < kDirectoryEntrySize || Get32(&directory[pos]) != kDirectorySignature) {
            return false;
        }
        const unsigned char* record = &directory[pos];
        const size_t nameLength = Get16(record + 28);
        const size_t extraLength = Get16(record + 30);
        const size_t commentLength = Get16(record + 32);
        const size_t recordSize = kDirectoryEntrySize + nameLength + extraLength + commentLength;
        if (directory.size() - pos < recordSize) {
            return false;
        }
        Entry entry;
        entry.nFlags = Get16(record + 8);
        entry.nMethod = Get16(record + 10);
        entry.dwCrc = Get32(record + 16);
        entry.nPackedSize = Get32(record + 20);
        entry.nSize = Get32(record + 24);
        entry.nLocalOffset = Get32(record + 42);
        std::string name(reinterpret_cast<const char*>(record + kDirectoryEntrySize), nameLength);
        name.resize(std::strlen(name.c_str()));
        if (entry.nFlags & kFlagUtf8Name) {
            name = platform::Utf8ToCodePage936Lossy(name);
        }
        entry.strName = WithSlashes(name.c_str());
        m_entries.push_back(std::move(entry));
        pos += recordSize;
    }
    return true;
}

const CZipArchive::Entry* CZipArchive::FindEntry(const char* name) const {
    const std::string wanted = WithSlashes(name);
    for (const Entry& entry : m_entries) {
        if (entry.strName == wanted) {
            return &entry;
        }
    }
    return nullptr;
}

CZipArchive::Result CZipArchive::Extract(const char* name, size_t maxSize, std::string* bytes) const {
    bytes->clear();
    const Entry* entry = FindEntry(name != nullptr ? name : "");
    if (entry == nullptr) {
        return Result::kNotFound;
    }
    if (entry->nSize == 0) {
        return Result::kEmpty;
    }
    if (entry->nSize > maxSize) {
        return Result::kTooLarge;
    }
    if (!Unpack(*entry, bytes)) {
        bytes->clear();
        return Result::kUnzipFailed;
    }
    return Result::kOk;
}

// Reads the entry's data behind its local header, inflates it when deflated and
// checks its length and CRC against the central directory.
bool CZipArchive::Unpack(const Entry& entry, std::string* bytes) const {
    if ((entry.nFlags & kFlagEncrypted) || (entry.nMethod != kMethodStored && entry.nMethod != kMethodDeflated)) {
        return false;
    }
    unsigned char local[kLocalHeaderSize];
    if (!ReadAt(entry.nLocalOffset, local, sizeof local) || Get32(local) != kLocalSignature) {
        return false;
    }
    const uint64_t dataOffset =
        static_cast<uint64_t>(entry.nLocalOffset) + kLocalHeaderSize + Get16(local + 26) + Get16(local + 28);
    if (dataOffset > m_nSize || entry.nPackedSize > m_nSize - dataOffset) {
        return false;
    }
    std::string packed(entry.nPackedSize, '\0');
    if (!packed.empty() && !ReadAt(dataOffset, &packed[0], packed.size())) {
        return false;
    }
    if (entry.nMethod == kMethodStored) {
        if (entry.nPackedSize != entry.nSize) {
            return false;
        }
        *bytes = std::move(packed);
    } else {
        bytes->assign(entry.nSize, '\0');
        z_stream stream = {};
        // Negative window bits: raw deflate data, as zip stores it.
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
            return false;
        }
        stream.next_in = reinterpret_cast<Bytef*>(&packed[0]);
        stream.avail_in = static_cast<uInt>(packed.size());
        stream.next_out = reinterpret_cast<Bytef*>(&(*bytes)[0]);
        stream.avail_out = static_cast<uInt>(bytes->size());
        const int rc = inflate(&stream, Z_FINISH);
        const uLong produced = stream.total_out;
        inflateEnd(&stream);
        if (rc != Z_STREAM_END || produced != entry.nSize) {
            return false;
        }
    }
    const uLong crc =
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes->data()), static_cast<uInt>(bytes->size()));
    return crc == entry.dwCrc;
}

}  // namespace Vellum
