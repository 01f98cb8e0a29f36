#include "support/ZipFixture.h"

#include <zlib.h>

#include <stdexcept>

namespace testsupport {
namespace {

void Put16(std::string* out, uint32_t v) {
    out->push_back(static_cast<char>(v & 0xFF));
    out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string* out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::string Deflate(const std::string& bytes) {
    z_stream stream = {};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) {
        throw std::runtime_error("deflate");
    }
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace

std::string BuildZip(const std::vector<ZipEntryDescription>& entries) {
    std::string archive;
    std::string directory;
    for (const ZipEntryDescription& entry : entries) {
        const std::string data = entry.bDeflate ? Deflate(entry.strBytes) : entry.strBytes;
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(entry.strBytes.data()), static_cast<uInt>(entry.strBytes.size())));
        const uint32_t method = entry.bDeflate ? 8 : 0;
        const uint32_t offset = static_cast<uint32_t>(archive.size());

        Put32(&archive, 0x04034b50);
        Put16(&archive, 20);
        Put16(&archive, entry.nFlags);
        Put16(&archive, method);
        Put32(&archive, 0);  // time and date
        Put32(&archive, crc);
        Put32(&archive, static_cast<uint32_t>(data.size()));
        Put32(&archive, static_cast<uint32_t>(entry.strBytes.size()));
        Put16(&archive, static_cast<uint32_t>(entry.strName.size()));
        Put16(&archive, 0);
        archive += entry.strName + data;

        Put32(&directory, 0x02014b50);
        Put16(&directory, 20);
        Put16(&directory, 20);
        Put16(&directory, entry.nFlags);
        Put16(&directory, method);
        Put32(&directory, 0);
        Put32(&directory, crc);
        Put32(&directory, static_cast<uint32_t>(data.size()));
        Put32(&directory, static_cast<uint32_t>(entry.strBytes.size()));
        Put16(&directory, static_cast<uint32_t>(entry.strName.size()));
        Put16(&directory, 0);  // extra
        Put16(&directory, 0);  // comment
        Put16(&directory, 0);  // disk
        Put16(&directory, 0);  // internal attributes
        Put32(&directory, 0);  // external attributes
        Put32(&directory, offset);
        directory += entry.strName;
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(archive.size());
    archive += directory;
    Put32(&archive, 0x06054b50);
    Put16(&archive, 0);
    Put16(&archive, 0);
    Put16(&archive, static_cast<uint32_t>(entries.size()));
    Put16(&archive, static_cast<uint32_t>(entries.size()));
    Put32(&archive, static_cast<uint32_t>(directory.size()));
    Put32(&archive, directoryOffset);
    Put16(&archive, 0);
    return archive;
}

size_t DataOffset(const std::string& archive, const std::string& name) {
    // Local header: 30 bytes, then the name, then (no extra field here) the data.
    const std::string header = std::string("PK\x03\x04", 4);
    for (size_t at = archive.find(header); at != std::string::npos; at = archive.find(header, at + 1)) {
        if (archive.compare(at + 30, name.size(), name) == 0) {
            return at + 30 + name.size();
        }
    }
    throw std::runtime_error("no entry " + name);
}

}  // namespace testsupport
