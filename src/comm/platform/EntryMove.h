// Windows only: moving an entry by renaming it, and the folders a move needs.
//
// A rename moves a whole tree in one call, however many files it holds, and
// cannot lose data half-way as a copy-then-delete can. So nothing here ever
// copies: a move to another volume fails.
//
// Links: Windows renames a symbolic link or junction itself. Wine 8 renames
// what the link points to, wherever it is, and leaves the link; so before
// every rename the entry is checked to resolve to its own place, and a
// rename that would go through a link is refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Error codes these calls give beside the system's own ones, with the values
// Windows gives them.
const uint32_t kErrorNotSameDevice = 17;   // ERROR_NOT_SAME_DEVICE: the move would cross volumes
const uint32_t kErrorFileExists = 80;      // ERROR_FILE_EXISTS
const uint32_t kErrorAlreadyExists = 183;  // ERROR_ALREADY_EXISTS
const uint32_t kErrorStoppedOnLink = 681;  // ERROR_STOPPED_ON_SYMLINK: the path leads through a link
// ERROR_NOT_SUPPORTED: the entry stands for data a service beyond this
// machine keeps (a cloud drive's placeholder, ReparseTag.h), which would
// take the move for a deletion there.
const uint32_t kErrorBeyondMachine = 50;

// Paths have no length limit here (see Folder.h).

// Renames the entry `from` (a file, a folder with everything in it, or a
// link on systems that rename links themselves) to `to` (MoveFileEx with no
// flags). Never replaces what is at `to` (183 or 80), never copies (a move to
// another volume fails with 17). Refused with kErrorStoppedOnLink, nothing
// done, when CrossesLink says so of either path or `from` resolves to
// another place than its own; with kErrorBeyondMachine when `from` is kept
// beyond this machine (ReparseTag.h). The folder of `to` must exist. Under Wine 8 a
// dangling link at `to` is invisible to every call and is replaced.
// False with the code in *error when nothing was moved.
bool MoveEntry(const std::string& from, const std::string& to, uint32_t* error);

// Whether a folder above `path` (below its drive root) is a link, or a
// folder kept beyond this machine (ReparseTag.h). Paths through a link lead
// somewhere else than they say; a rename out of or into a cloud drive's
// folder is a deletion or an upload there.
bool CrossesLink(const std::string& path);

// Creates the folder `path` and the missing folders above it. True when it
// is a folder afterwards, also when it was one before. False with the code
// in *error otherwise: a file in the way gives kErrorAlreadyExists. When
// `created` is given the folders made are appended to it, the topmost first,
// so a caller that gives up can remove exactly those.
bool CreateFolders(const std::string& path, uint32_t* error, std::vector<std::string>* created = nullptr);

// Adds the hidden attribute to the entry `path`, keeping its others.
bool MarkHidden(const std::string& path, uint32_t* error);

}  // namespace platform
