// The separators of code page 936 paths.
#pragma once

#include <string>

namespace platform {

// Whether the last character of `path` is a separator ("\" or "/"). Looked
// at character by character: the last byte of "E:\誠" is 0x5C as well, the
// trail byte of 誠, and a folder ending so still needs its separator.
bool EndsWithSeparator(const std::string& path);

// The folder holding the entry `path`: "E:\Games" for "E:\Games\Old" and for
// "E:\Games\誠", "E:\" for "E:\Games" (a drive root keeps its separator: "E:"
// alone names the drive's current folder, not its root). "" for a drive root
// and for a name without a separator. A separator at the very end is not the
// one that splits ("E:\Games\" gives "E:\"). Like EndsWithSeparator, it looks
// at characters, so the trail byte 0x5C of 誠 never splits a path.
std::string ParentFolder(const std::string& path);

// The entry's own name, what follows ParentFolder: "Old" for "E:\Games\Old",
// "誠" for "E:\Games\誠" (whose last byte is 0x5C too); the whole path when
// it has no separator.
std::string EntryName(const std::string& path);

}  // namespace platform
