// Internal to the markup code: the character classes of the skin dialect.
#pragma once

#include "UI/Base/CharStep.h"

namespace Vellum {

// Fills what is left of a start tag after its attributes were packed; never the
// first byte of a name, so the attribute mapping stops there.
constexpr char kXmlFill = '\x01';

// Whitespace is every byte from 0x01 to 0x20; bytes from 0x80 up never are.
inline bool IsXmlSpace(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x01 && u <= 0x20;
}

// Identifier characters: "_", ":", ASCII letters and digits, and every
// double-byte character.
inline bool IsXmlIdentifierChar(const char* p) {
    const char c = *p;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == ':') {
        return true;
    }
    return UICharSize(p) == 2;
}

}  // namespace Vellum
