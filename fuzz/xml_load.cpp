// The parser on code page 936 text (CXmlDocument::Load). The first byte picks
// whether whitespace is preserved.
#include <cstddef>
#include <cstdint>
#include <string>

#include "XmlWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    Vellum::CXmlDocument doc;
    doc.SetPreserveWhitespace((data[0] & 1) == 0);
    const bool loaded = doc.Load(text.c_str());
    fuzzwalk::WalkDocument(doc, loaded);
    return 0;
}
