// Internal to the win32 platform code: the entries a name can be taken for
// once the dots and spaces at the ends of its names are left out.
//
// Wine resolves an open entry to its path as the usual form would read it:
// "E:\Pkg\Game." and "E:\Pkg\Game" both resolve to "\??\E:\Pkg\Game" (and
// "E:\Pkg.\x" to "\??\E:\Pkg\x"), and so does a link to either. The name an
// entry resolves to then cannot tell it from a link, so the files decide.
#pragma once

#include <windows.h>

#include <string>

namespace platform {
namespace win32 {

// Whether the file open as `handle` is also at another place than `path`
// whose names trim to those of `path` (VerbatimPath.h): then the handle
// may have been opened through a link to that place (or that place is a link
// to this one, or another name of the same file). True as well when that
// cannot be known: a folder on the way cannot be listed, such a place cannot
// be opened, or the handle cannot be asked. `path` is absolute.
bool TwinHoldsFile(HANDLE handle, const std::string& path);

}  // namespace win32
}  // namespace platform
