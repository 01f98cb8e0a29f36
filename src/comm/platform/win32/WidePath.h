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
// limit (CreateDirectory's, MAX_PATH less room for an 8.3 name) is only
// converted: the wide call then does what the ANSI one did. A longer one is
// made a full path — its "." and ".." resolved, "/" made "\", as the system
// does to any path without the prefix — and given the "\\?\" prefix ("\\?\UNC\"
// for a share), which lifts the limit but takes the path as it stands.
std::wstring SystemPath(const std::string& path);

// The name `name` (`length` units, from a listing) in the code page of the
// system. False when the code page cannot hold one of its characters: *text
// then has '?' in their place, which names no entry (or another one), so no
// path formed from it reaches the entry.
bool NarrowName(const wchar_t* name, size_t length, std::string* text);

}  // namespace win32
}  // namespace platform
