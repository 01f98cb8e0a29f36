// The zip skin archive reader on an archive in memory: the central directory,
// every entry unpacked (stored or deflated), and what unpacks parsed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "UI/Markup/ZipArchive.h"
#include "XmlWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    Vellum::CZipArchive archive;
    if (!archive.OpenMemory(bytes.data(), bytes.size())) {
        return 0;
    }
    const size_t count = archive.GetEntryCount() < 16 ? archive.GetEntryCount() : 16;
    for (size_t i = 0; i < count; ++i) {
        std::string content;
        const std::string name = archive.GetEntryName(i);
        if (archive.Extract(name.c_str(), 1 << 20, &content) == Vellum::CZipArchive::Result::kOk) {
            Vellum::CXmlDocument doc;
            fuzzwalk::WalkDocument(doc, doc.LoadBytes(content.data(), content.size()));
        }
    }
    return 0;
}
