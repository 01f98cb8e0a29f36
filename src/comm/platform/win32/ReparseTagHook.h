// Internal to the win32 platform code: the tests' hook that presents a real
// entry as a reparse point of a given tag (SetReparseTagHookForTests,
// Folder.h), where Wine has none but its links.
#pragma once

#include <cstdint>
#include <string>

namespace platform {
namespace win32 {

// Whether a hook is set at all: a listing forms each entry's path for it
// only then.
bool ReparseTagHookIsSet();

// Whether the hook presents the entry `path` as a reparse point, with its
// tag in *tag. False, at the cost of one atomic load, when no hook is set.
bool PresentedReparseTag(const std::string& path, uint32_t* tag);

}  // namespace win32
}  // namespace platform
