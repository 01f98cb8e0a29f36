// Paths as the system takes them without reading them first (the "\\?\"
// form), built by hand.
//
// Windows — and Wine — trim a trailing dot or space from every name of a path
// given in the usual form, so "E:\Games\Game." reaches "E:\Games\Game". Such
// names exist all the same (tools that write through "\\?\", shares, Linux),
// and a call meant for one of them would list, move or delete its
// neighbour. Only the "\\?\" form addresses them exactly, and the system's
// own way to it, GetFullPathName, trims too: so the form is made here,
// without a system call, on UTF-16 text (the code page 936 path converted as
// the ANSI calls convert it).
#pragma once

#include <string>
#include <vector>

namespace platform {

// `name` without the dots and spaces at its end: "Game" for "Game.", "Game "
// and "Game. ."; "" for "...". Names that trim alike can be taken for one
// another wherever the system reads a path in the usual form.
std::wstring TrimmedName(std::wstring name);

// Whether a name of `path` ends in a dot or a space, which the usual form
// would cut off: "Game.", "Game ", "..." ("." and ".." are steps, not names).
// "\" and "/" both separate.
bool HasTrimmedName(const std::wstring& path);

// `path` in the "\\?\" form, which the system takes name for name, into
// *verbatim:
//   "E:\a\b." or "E:/a/b."     -> "\\?\E:\a\b."
//   "\\srv\share\x."           -> "\\?\UNC\srv\share\x."
//   "\\?\E:\a." (already so)   -> as it is
// Doubled separators count once, "." steps are dropped and ".." steps drop
// the name before them, never past the drive or the share, exactly as the
// system reads a path in the usual form, which it does on the text alone
// (a "\..\" after a link leaves the link, not its target). The rest is
// kept, a separator at the end included.
// False, *verbatim untouched, for a path whose place depends on the current
// folder ("a\b", "\a", "E:a", "E:" alone) and for a device path ("\\.\"),
// which the system reads in its own way.
bool MakeVerbatimPath(const std::wstring& path, std::wstring* verbatim);

// A path MakeVerbatimPath made, split into its root — the drive
// ("\\?\E:") or the share ("\\?\UNC\srv\share") — and the names below it,
// in order. False for any other text.
bool SplitVerbatimPath(const std::wstring& verbatim, std::wstring* root, std::vector<std::wstring>* names);

}  // namespace platform
