#include "comm/platform/CaseFold936.h"

#include <algorithm>

#include "comm/platform/CaseFold936Table.h"

namespace platform {
namespace {

using casefold936::DoubleByteFold;

// The folded form of one double-byte character: itself unless the table says
// otherwise.
unsigned FoldDoubleByte(unsigned code) {
    const DoubleByteFold* begin = casefold936::kDoubleByteFold;
    const DoubleByteFold* end = begin + casefold936::kDoubleByteFoldCount;
    const DoubleByteFold* found =
        std::lower_bound(begin, end, code, [](const DoubleByteFold& entry, unsigned c) { return entry.code < c; });
    return found != end && found->code == code ? found->folded : code;
}

}  // namespace

std::string FoldCase936(const std::string& text) {
    std::string folded;
    FoldCase936(text, &folded);
    return folded;
}

void FoldCase936(const std::string& text, std::string* out) {
    // Every byte of `text` gives exactly one byte of the folded form (a
    // character folded to one byte hands its second byte on to the next), so
    // the result is sized once and written in place: no growth check per byte
    // in the index built over every registered path.
    std::string& folded = *out;
    folded.resize(text.size());
    const size_t size = text.size();
    // Its own walk, not CharNext936's: _mbsicmp's, the same on every platform.
    size_t i = 0;
    while (i < size) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (casefold936::kLeadByte[byte] == 0 || i + 1 == size) {
            folded[i] = static_cast<char>(casefold936::kSingleByteFold[byte]);
            ++i;
            continue;
        }
        const unsigned code = byte * 256u + static_cast<unsigned char>(text[i + 1]);
        const unsigned value = FoldDoubleByte(code);
        if (value > 0xFF) {
            folded[i] = static_cast<char>(value >> 8);
            folded[i + 1] = static_cast<char>(value & 0xFF);
            i += 2;
        } else {
            // Folded to one byte: the second byte starts the next character.
            folded[i] = static_cast<char>(value);
            i += 1;
        }
    }
}

}  // namespace platform
