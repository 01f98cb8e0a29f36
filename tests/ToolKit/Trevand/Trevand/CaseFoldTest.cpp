// The lookup index against what it replaces: a pass through the keys with the
// C runtime's own _mbsicmp, under Wine on code page 936.
#include <mbctype.h>
#include <mbstring.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "ToolKit/Trevand/Trevand/DB/GamePathIndex.h"
#include "comm/platform/CaseFold936.h"

namespace {

// The first key in key order that _mbsicmp calls equal to `path`.
GamePathMap::const_iterator LinearFind(const GamePathMap& paths, const std::string& path) {
    for (auto it = paths.begin(); it != paths.end(); ++it) {
        if (_mbsicmp(reinterpret_cast<const unsigned char*>(it->first.c_str()),
                     reinterpret_cast<const unsigned char*>(path.c_str())) == 0) {
            return it;
        }
    }
    return paths.end();
}

std::string KeyOrNone(const GamePathMap& paths, GamePathMap::const_iterator it) {
    return it == paths.end() ? "<none>" : it->first;
}

TEST(CaseFold936, RunsOnCodePage936) {
    EXPECT_EQ(GetACP(), 936u);
    EXPECT_EQ(_getmbcp(), 936);
}

TEST(GamePathIndex, GivesTheSameKeyAsAPassWithTheRuntimesMbsicmp) {
    // Keys and probes byte by byte:
    //   Ａ A3C1 / ａ A3E1 (full-width), Α A6A1 / α A6C1 (Greek), А A7A1 / а A7D1
    //   (Cyrillic), ⅰ A2A1 / Ⅰ A2F1 (Roman), Ⅺ A2FB (folds to "?"),
    //   丂 8140 / 8141 / 8161 (second byte 0x41 'A', 0x61 'a'),
    //   誠 D55C, 謀 D65C, 衆 D05C (second byte 0x5C '\').
    const GamePathMap paths = {
        {"E:\\Games", "TRUE"},
        {"E:\\GAMES", "TRUE"},
        {"E:\\Games\\WoW", "FALSE"},
        {"E:\\Games\\\xA3\xC1\xA3\xC2", "FALSE"},
        {"E:\\Games\\\xA6\xA1\xA7\xA1\xA2\xA1", "FALSE"},
        {"E:\\Games\\\x81\x41", "FALSE"},
        {"E:\\Games\\誠", "TRUE"},
        {"E:\\Games\\誠\\謀", "FALSE"},
        {"E:\\Games\\\xA2\xFB"
         "x",
         "FALSE"},
        {"F:\\单机游戏\\仙剑", "FALSE"},
    };
    const char* probes[] = {
        "e:\\games",
        "E:\\GAMES\\wow",
        "E:\\Games\\WoW\\",
        "E:\\games\\\xA3\xE1\xA3\xE2",
        "E:\\games\\\xA3\xE1\xA3\xC2",
        "E:\\games\\AB",
        "E:\\GAMES\\\xA6\xC1\xA7\xD1\xA2\xF1",
        "E:\\Games\\\x81\x41",
        "E:\\Games\\\x81\x61",
        "e:\\games\\誠",
        "e:\\games\\衆",
        "E:\\GAMES\\誠\\謀",
        "E:\\GAMES\\誠\\衆",
        "E:\\Games\\\xD5",
        "E:\\GAMES\\?\xFB"
        "x",
        "E:\\GAMES\\\xA2\xFC"
        "x",
        "f:\\单机游戏\\仙剑",
        "F:\\单机游戏\\仙",
        "",
    };
    CGamePathIndex index;
    index.Build(paths);
    for (const char* probe : probes) {
        EXPECT_EQ(KeyOrNone(paths, index.Find(probe)), KeyOrNone(paths, LinearFind(paths, probe))) << probe;
    }
}

// Many random texts made of the characters that matter: every pair that folds
// alike must be one _mbsicmp calls equal, and the other way round.
TEST(CaseFold936, AgreesWithTheRuntimeOnRandomTexts) {
    const char* pieces[] = {"a",        "A",        "z",        "Z",        "\\",       "?",        "[",
                            "{",        "\xA3\xC1", "\xA3\xE1", "\xA6\xA1", "\xA6\xC1", "\xA7\xA1", "\xA7\xD1",
                            "\xA2\xA1", "\xA2\xF1", "\xA2\xFB", "\xA2\xFC", "\x81\x41", "\x81\x61", "\xD5\x5C",
                            "\xD6\x5C", "\xFB\x41", "\xFB",     "\xFC",     "\xCF\xC9"};
    const size_t pieceCount = sizeof(pieces) / sizeof(pieces[0]);
    std::mt19937 random(936);
    std::uniform_int_distribution<size_t> pick(0, pieceCount - 1);
    std::uniform_int_distribution<int> length(1, 4);
    auto makeText = [&] {
        std::string text;
        for (int i = length(random); i > 0; --i) {
            text += pieces[pick(random)];
        }
        return text;
    };
    int equalPairs = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string a = makeText();
        // Half of the pairs are a text against a re-cased copy, so equal pairs
        // are common enough to count.
        std::string b = makeText();
        if (i % 2 == 0) {
            b = a;
            for (char& c : b) {
                if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
            }
        }
        // A text ending in a lone lead byte makes _mbsicmp read past its end;
        // those pairs have no defined answer to agree with. (Ⅺ and Ⅻ fold to one
        // byte, so the walk goes on at their second byte, itself a lead byte.)
        const auto endsInLoneLead = [](const std::string& t) {
            size_t i = 0;
            while (i < t.size()) {
                const unsigned char byte = static_cast<unsigned char>(t[i]);
                const bool narrowed =
                    byte == 0xA2 && i + 1 < t.size() &&
                    (static_cast<unsigned char>(t[i + 1]) == 0xFB || static_cast<unsigned char>(t[i + 1]) == 0xFC);
                i += (byte >= 0x81 && byte <= 0xFE && !narrowed) ? 2 : 1;
            }
            return i > t.size();
        };
        if (endsInLoneLead(a) || endsInLoneLead(b)) {
            continue;
        }
        const bool runtimeEqual = _mbsicmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                                           reinterpret_cast<const unsigned char*>(b.c_str())) == 0;
        const bool foldEqual = platform::FoldCase936(a) == platform::FoldCase936(b);
        ASSERT_EQ(foldEqual, runtimeEqual) << a << " / " << b;
        equalPairs += runtimeEqual ? 1 : 0;
    }
    EXPECT_GT(equalPairs, 1000);
}

}  // namespace
