// Windows only: the entries of a café whose names end in a dot or a space
// beside those the usual form of their paths reaches instead (the system
// trims a trailing dot or space: "Game." reaches "Game").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/Cafe.h"

namespace testsupport {

// "E:\网络游戏": short paths. A 255-character folder: the entries below it are
// past the ANSI limit.
extern const char kTwinsShortFolder[];
std::string TwinsLongFolder();

// Adds below `folder` (a drive path, "E:\...") the folder "Game" and its
// twins "Game." and "Game " (with twins of their own inside), and the file
// "setup.exe" and its twins. Every file's size is its own (plus `base`), so
// one passing for another shows in a listing.
void AddTrimmedTwins(const std::string& folder, int64_t base, std::vector<CafeEntry>* entries);

}  // namespace testsupport
