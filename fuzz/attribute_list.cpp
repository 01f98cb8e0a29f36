// Attribute lists, and the value forms on the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "UI/Markup/AttributeList.h"
#include "UI/Markup/ValueParse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* list = text.c_str();
    size_t total = 0;
    for (const Vellum::UIAttribute& pair : Vellum::ParseAttributeList(list)) {
        if (pair.strName.IsEmpty()) {
            std::abort();  // a pair always has a name
        }
        total += static_cast<size_t>(pair.strName.GetLength() + pair.strValue.GetLength());
    }
    if (total > text.size()) {
        std::abort();
    }
    Vellum::ParseBool(list);
    Vellum::ParseColor(list);
    Vellum::ParseInt(list);
    Vellum::ParseRect(list);
    Vellum::ParseSize(list);
    return 0;
}
