// Writes the case-folding table of code page 936 as this machine's C runtime
// sees it, by asking its _mbsicmp about every character.
//
// Run under Wine with LC_ALL=zh_CN.UTF-8 (code page 936):
//     scripts/wine-run build/win64/tools/casefold/casefoldgen.exe OUT.cpp
// The program's folding of paths (the lookup index of the scan, and the host
// build's stand-in for _mbsicmp) comes from the file written here.
//
// How: _mbsicmp walks both texts character by character (a lead byte and the
// byte after it form one character), lower-cases each and steps on by the width
// of the lower-cased value. Two things are learnt from it:
// - characters that fold to a single byte: a few double-byte characters have no
//   double-byte lower case and become "?", after which the walk goes on at their
//   second byte. Found by comparing "<char>x" with "<byte><second byte>x" for
//   every single byte;
// - groups of equal characters: every other character of the code page is
//   sorted with _mbsicmp as the comparison, so characters it calls equal end up
//   side by side; each such group is folded to its smallest member.
#include <mbctype.h>
#include <mbstring.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One character: 1 or 2 bytes, as _mbsicmp walks a text.
struct Character {
    unsigned code;  // the byte, or lead byte * 256 + second byte
    std::string bytes;
};

std::vector<Character> AllCharacters(const bool (&lead)[256]) {
    std::vector<Character> all;
    for (unsigned b = 1; b < 256; ++b) {
        if (!lead[b]) {
            all.push_back({b, std::string(1, static_cast<char>(b))});
            continue;
        }
        // A second byte of 0 would end the text; every other value is a character.
        for (unsigned t = 1; t < 256; ++t) {
            all.push_back({b * 256 + t, std::string{static_cast<char>(b), static_cast<char>(t)}});
        }
    }
    return all;
}

int Compare(const std::string& a, const std::string& b) {
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                    reinterpret_cast<const unsigned char*>(b.c_str()));
}

int Compare(const Character& a, const Character& b) { return Compare(a.bytes, b.bytes); }

// The single byte a double-byte character folds to, or 0 when it folds to a
// double-byte value. The "x" keeps a second byte that is itself a lead byte
// from pairing with the terminator.
unsigned NarrowFold(const Character& c, const bool (&lead)[256]) {
    for (unsigned b = 1; b < 256; ++b) {
        if (lead[b]) {
            continue;
        }
        const std::string narrow{static_cast<char>(b), c.bytes[1], 'x'};
        if (Compare(c.bytes + "x", narrow) == 0) {
            return b;
        }
    }
    return 0;
}

const char* WineVersion() {
    using VersionFunction = const char* (*)();
    FARPROC found = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
    if (found == nullptr) {
        return "(not Wine)";
    }
    VersionFunction version;
    static_assert(sizeof(version) == sizeof(found), "function pointers of one size");
    std::memcpy(&version, &found, sizeof(version));
    return version();
}

void WriteByteTable(FILE* out, const char* declaration, const unsigned (&values)[256]) {
    std::fprintf(out, "%s = {", declaration);
    for (unsigned i = 0; i < 256; ++i) {
        std::fprintf(out, "%s0x%02x,", i % 16 == 0 ? "\n    " : " ", values[i]);
    }
    std::fprintf(out, "\n};\n\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: casefoldgen OUT.cpp\n");
        return 2;
    }
    if (GetACP() != 936 || _getmbcp() != 936) {
        std::fprintf(stderr, "code page is %u / %d, not 936: run with LC_ALL=zh_CN.UTF-8\n", GetACP(), _getmbcp());
        return 1;
    }

    bool lead[256] = {};
    unsigned leadValues[256] = {};
    for (unsigned b = 0; b < 256; ++b) {
        lead[b] = _ismbblead(b) != 0;
        leadValues[b] = lead[b] ? 1 : 0;
    }

    std::vector<std::pair<unsigned, unsigned>> doubleFold;  // character, its folded form
    std::vector<Character> all;
    for (const Character& c : AllCharacters(lead)) {
        const unsigned narrow = c.code > 255 ? NarrowFold(c, lead) : 0;
        if (narrow != 0) {
            doubleFold.push_back({c.code, narrow});
        } else {
            all.push_back(c);
        }
    }
    const size_t narrowed = doubleFold.size();
    std::stable_sort(all.begin(), all.end(), [](const Character& a, const Character& b) { return Compare(a, b) < 0; });

    unsigned singleFold[256];
    for (unsigned b = 0; b < 256; ++b) {
        singleFold[b] = b;
    }
    size_t groups = 0;
    for (size_t begin = 0; begin < all.size();) {
        size_t end = begin + 1;
        while (end < all.size() && Compare(all[begin], all[end]) == 0) {
            ++end;
        }
        unsigned smallest = all[begin].code;
        for (size_t i = begin; i < end; ++i) {
            smallest = std::min(smallest, all[i].code);
        }
        if (end - begin > 1) {
            ++groups;
            for (size_t i = begin; i < end; ++i) {
                const unsigned code = all[i].code;
                if ((code > 255) != (smallest > 255)) {
                    std::fprintf(stderr, "character %#x equals %#x of another width\n", code, smallest);
                    return 1;
                }
                if (code == smallest) {
                    continue;
                }
                if (code > 255) {
                    doubleFold.push_back({code, smallest});
                } else {
                    singleFold[code] = smallest;
                }
            }
        }
        begin = end;
    }
    std::sort(doubleFold.begin(), doubleFold.end());

    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(out,
                 "// Generated by tools/casefold/CaseFoldGen.cpp, run under Wine %s with code page 936\n"
                 "// (LC_ALL=zh_CN.UTF-8): every character of the code page sorted with the C runtime's\n"
                 "// _mbsicmp, each group it calls equal folded to its smallest member; a folded\n"
                 "// value below 0x100 is a double-byte character that folds to that single byte.\n"
                 "// Do not edit; run the generator again instead.\n"
                 "#include \"comm/platform/CaseFold936Table.h\"\n\n"
                 "namespace platform {\nnamespace casefold936 {\n\n",
                 WineVersion());
    WriteByteTable(out, "const unsigned char kLeadByte[256]", leadValues);
    WriteByteTable(out, "const unsigned char kSingleByteFold[256]", singleFold);
    std::fprintf(out, "const DoubleByteFold kDoubleByteFold[] = {");
    for (size_t i = 0; i < doubleFold.size(); ++i) {
        std::fprintf(out, "%s{0x%04x, 0x%04x},", i % 6 == 0 ? "\n    " : " ", doubleFold[i].first,
                     doubleFold[i].second);
    }
    std::fprintf(
        out,
        "\n};\n\nconst unsigned kDoubleByteFoldCount = %u;\n\n}  // namespace casefold936\n}  // namespace platform\n",
        static_cast<unsigned>(doubleFold.size()));
    std::fclose(out);
    std::fprintf(stderr,
                 "%zu characters, %zu groups of equal characters, %zu double-byte characters folded, "
                 "%zu of them to a single byte\n",
                 all.size() + narrowed, groups, doubleFold.size(), narrowed);
    return 0;
}
