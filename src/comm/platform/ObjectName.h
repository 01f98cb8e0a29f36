// The system's names for open files and folders ("object names", UTF-16), as
// a handle resolves them: "\??\E:\Games\a.txt" under Wine,
// "\Device\HarddiskVolume3\Games\a.txt" on Windows.
#pragma once

#include <string>

namespace platform {

// The object name of the entry `name` inside the folder whose object name is
// `folder`, as the system gives it for a handle to that entry. A separator
// goes between the two unless `folder` already ends in one: the system keeps
// the separator of a volume root ("\Device\HarddiskVolume3\",
// "\??\E:\") and of no other folder. UTF-16 has no trail bytes, so the last
// unit of `folder` is a separator only when it is one.
std::wstring JoinObjectName(const std::wstring& folder, const std::wstring& name);

// How the object name `resolved` of an open entry compares with the place of
// the entry `name` in the folder whose object name is `folder`.
//   kSame             the very place (Windows names an entry as it was
//                     opened, "Game." included)
//   kSameOnceTrimmed  the same names once the dots and spaces at their ends
//                     are left out: Wine names every entry as the usual form
//                     of a path would read it, so "E:\Pkg\Game." and a link
//                     to "E:\Pkg\Game" both resolve to "\??\E:\Pkg\Game",
//                     and only the files themselves can tell which it is
//   kOther            another place: a link, or the folder now resolves
//                     through another drive letter
enum class ObjectNameMatch { kSame, kSameOnceTrimmed, kOther };
ObjectNameMatch MatchObjectName(const std::wstring& resolved, const std::wstring& folder, const std::wstring& name);

}  // namespace platform
