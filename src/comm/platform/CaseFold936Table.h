// Internal to the platform code: the case-folding table of code page 936 as the
// C runtime's _mbsicmp applies it under Wine. The data are generated
// (tools/casefold); CaseFold936.h is the interface.
#pragma once

#include <cstdint>

namespace platform {
namespace casefold936 {

// A double-byte character (lead byte * 256 + second byte) and its folded form;
// a folded form below 0x100 is a single byte, after which the walk through the
// text goes on at the character's second byte.
struct DoubleByteFold {
    uint16_t code;
    uint16_t folded;
};

extern const unsigned char kLeadByte[256];        // 1 for a lead byte
extern const unsigned char kSingleByteFold[256];  // folded form of each single byte
extern const DoubleByteFold kDoubleByteFold[];    // ordered by code
extern const unsigned kDoubleByteFoldCount;

}  // namespace casefold936
}  // namespace platform
