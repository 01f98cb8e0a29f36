// The parser on UTF-8 bytes (CXmlDocument::LoadBytes): byte order mark,
// conversion to code page 936, then parsing.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "XmlWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exact-size copy, so that a read past the bytes is caught.
    const std::vector<uint8_t> bytes(data, data + size);
    Vellum::CXmlDocument doc;
    const bool loaded = doc.LoadBytes(bytes.data(), bytes.size());
    fuzzwalk::WalkDocument(doc, loaded);
    return 0;
}
