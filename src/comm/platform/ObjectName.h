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

}  // namespace platform
