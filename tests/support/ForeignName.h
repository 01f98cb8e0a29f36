// Windows only, under Wine: entries whose names code page 936 cannot hold,
// made on the Linux side where names are UTF-8. The ANSI side of the system
// shows each of their characters as '?', a name that reaches no entry.
#pragma once

#include <cstdint>
#include <string>

namespace testsupport {

// "한국" (Hangul: no GBK character) as UTF-8 bytes, and as a listing in code
// page 936 shows it.
extern const char kForeignNameUtf8[];
extern const char kForeignNameAsListed[];

// Makes `utf8Name` inside the folder `windowsFolder` (which must exist): a
// folder when `size` is negative, else a file of `size` bytes (holes).
bool MakeForeignEntry(const std::string& windowsFolder, const std::string& utf8Name, int64_t size);

// Whether code page 936 really cannot hold kForeignNameUtf8: what the tests
// of such names rest on.
bool ForeignNameIsForeign();

}  // namespace testsupport
