#include <cstddef>

#include "comm/platform/CodePage.h"
#include "comm/platform/NativeCodePage.h"

namespace platform {
namespace {

// Length of the well-formed UTF-8 sequence of a Basic Multilingual Plane
// character starting at text[i], or 0 when there is none (a stray byte, a
// truncated or overlong sequence, a surrogate, a four-byte character). Windows
// and iconv disagree on how many replacement characters such input yields, so
// it is settled here, once, before either sees it.
size_t BmpSequenceLength(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const auto trail = [&](size_t k) { return k < text.size() && (byte(k) & 0xC0) == 0x80; };
    const unsigned char c = byte(i);
    if (c < 0x80) {
        return 1;
    }
    if (c >= 0xC2 && c <= 0xDF) {
        return trail(i + 1) ? 2 : 0;
    }
    if (c >= 0xE0 && c <= 0xEF && trail(i + 1) && trail(i + 2)) {
        const unsigned char c1 = byte(i + 1);
        if (c == 0xE0 && c1 < 0xA0) {
            return 0;  // overlong
        }
        if (c == 0xED && c1 >= 0xA0) {
            return 0;  // a surrogate half
        }
        return 3;
    }
    return 0;
}

// Skips a whole four-byte sequence at once, so that one character outside the
// Basic Multilingual Plane becomes one '?'.
size_t SupplementarySequenceLength(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    if (c < 0xF0 || c > 0xF4 || i + 3 >= text.size()) {
        return 0;
    }
    for (size_t k = 1; k <= 3; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    const unsigned char c1 = byte(i + 1);
    if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90)) {
        return 0;
    }
    return 4;
}

}  // namespace

std::string Utf8ToCodePage936Lossy(const std::string& text) {
    std::string clean;
    clean.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t n = BmpSequenceLength(text, i);
        if (n > 0) {
            clean.append(text, i, n);
            i += n;
            continue;
        }
        const size_t skip = SupplementarySequenceLength(text, i);
        clean.push_back('?');
        i += skip > 0 ? skip : 1;
    }
    return native::Utf8ToCodePage936Replacing(clean);
}

}  // namespace platform
