// Internal to the win32 platform code: the program's paths (code page of the
// system) as the wide calls take them, and names those calls give back.
//
// Every file call here is a wide one. An ANSI call cannot take a path of
// MAX_PATH characters or more, so a deep entry could be listed by nobody, sized
// by nobody and deleted by nobody; a wide call takes up to 32,767 characters
// when the path carries the "\\?\" prefix. Callers above the platform keep
// their ANSI paths and never see the difference.
#pragma once

#include <string>

namespace platform {
namespace win32 {

// `text` (code page of the system) as UTF-16, converted as the ANSI calls
// convert it.
std::wstring Wide(const std::string& text);

// `path` as the wide calls take it. A path shorter than the shortest ANSI
// limit (CreateDirectory's, MAX_PATH less room for an 8.3 name) whose names
// all end otherwise than in a dot or a space is only converted: the wide call
// then does what the ANSI one did. A longer one, and one with a name such as
// "Game." or "Game " — which the usual form would trim, reaching the entry
// "Game" beside it — is given in the "\\?\" form, made by hand
// (VerbatimPath.h): "/" made "\", "." and ".." taken as the system takes
// them, every name kept as it is, and no length limit.
// A path that has no such form (relative, or a device path) and has such a
// name gives "": every call refuses it, so it reaches nothing rather than the
// neighbour. The program's paths all start at a drive root. A long one
// without such a name is made full by the system first.
std::wstring SystemPath(const std::string& path);

// The name `name` (`length` units, from a listing) in the code page of the
// system. False when the code page cannot hold one of its characters: *text
// then has '?' in their place, which names no entry (or another one), so no
// path formed from it reaches the entry.
bool NarrowName(const wchar_t* name, size_t length, std::string* text);

}  // namespace win32
}  // namespace platform
