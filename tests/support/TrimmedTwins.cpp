#include "support/TrimmedTwins.h"

namespace testsupport {

const char kTwinsShortFolder[] = "E:\\网络游戏";

std::string TwinsLongFolder() { return "E:\\" + std::string(150, 'a') + "\\" + std::string(100, 'b'); }

void AddTrimmedTwins(const std::string& folder, int64_t base, std::vector<CafeEntry>* entries) {
    const std::string in = folder.substr(3) + "\\";
    std::vector<CafeEntry>& e = *entries;
    e.push_back(CafeEntry(CafeEntry::kFile, in + "Game\\game.exe").Size(base + 11));
    e.push_back(CafeEntry(CafeEntry::kFile, in + "Game\\data\\d.pak").Size(base + 12));
    e.push_back(CafeEntry(CafeEntry::kFile, in + "Game.\\game.exe").Size(base + 21));
    e.push_back(CafeEntry(CafeEntry::kReadOnlyFile, in + "Game.\\data.\\d.pak").Size(base + 22));
    e.push_back(CafeEntry(CafeEntry::kFile, in + "Game.\\data\\d.pak").Size(base + 23));
    e.push_back(CafeEntry(CafeEntry::kFile, in + "Game \\save \\s.dat").Size(base + 31));
    e.push_back(CafeEntry(CafeEntry::kFile, in + "setup.exe").Size(base + 41));
    e.push_back(CafeEntry(CafeEntry::kFile, in + "setup.exe.").Size(base + 42));
    e.push_back(CafeEntry(CafeEntry::kFile, in + "setup.exe ").Size(base + 43));
}

}  // namespace testsupport
