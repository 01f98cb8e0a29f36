// Image descriptors: the input is the descriptor, then a NUL, then the
// control's modifier string.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "UI/Markup/ImageDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string descriptor = input.substr(0, split);
    const std::string modifier = split == std::string::npos ? std::string() : input.substr(split + 1);
    for (const Vellum::UIImageDescriptor& image :
         Vellum::ParseImageDescriptor(descriptor.c_str(), split == std::string::npos ? nullptr : modifier.c_str())) {
        if (image.strFile.IsEmpty() || image.nFade < 0 || image.nFade > 255 ||
            std::strlen(image.strFile) > input.size()) {
            std::abort();
        }
    }
    return 0;
}
