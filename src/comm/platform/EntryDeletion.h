// Windows only: deleting files and folders without ever reaching through a
// link.
//
// A symbolic link or junction to a folder reports FILE_ATTRIBUTE_REPARSE_POINT
// and callers must leave it alone (under Wine 8 RemoveDirectoryA on a link to
// an empty folder removes that folder). Other reparse points — a deduplicated
// or compressed file — report it too: the tag tells them apart (ReparseTag.h). A symbolic link to a file is worse:
// Wine 8 reports it as a plain file, and DeleteFileA on it deletes the file it
// points to and leaves the link. So files are deleted here only through a
// handle whose resolved location has first been checked to be the entry's own
// place in its folder.
#pragma once

#include <cstdint>
#include <string>

#include "comm/platform/ReparseTag.h"

namespace platform {

// Paths have no length limit here (see Folder.h).

// The attributes of `path`; kAttributesInvalid (Folder.h)
// when they cannot be read: the entry is gone, or a dangling link. A reparse
// point's tag, which tells whether it is a link, is ReadReparseTag's (Folder.h).
uint32_t ReadAttributes(const std::string& path);

// What the entry `path` is (ReparseTag.h), from its attributes and, for a
// reparse point only, its tag (ReadReparseTag, Folder.h). kEntry when its
// attributes cannot be read: nothing is there to follow or to leave.
ReparseClass ReadReparseClass(const std::string& path);

// Whether `path` still names an entry; one that cannot be looked at counts
// as there. Under Wine a miss reads the whole folder (names are matched
// without regard to case), so callers ask only where they cannot know.
bool EntryExists(const std::string& path);

enum class DeleteResult {
    kDeleted,  // gone: nobody else held it, and it went when our handle closed
    kFailed,   // the system refused; the code is in *error
    kLink,     // resolves to another place (a link): nothing was done to it
};

// A folder whose files are deleted one by one. The folder is opened once and
// each file is opened through that handle by its name alone: the system
// neither looks the folder's path up again for every file nor limits the
// file's full path, and a folder swapped for a link after Open is not
// followed (the files are still looked for in the folder that was opened).
// Each file is checked with one extra query on the handle that deletes it.
// Not copyable; the destructor closes the folder.
class DeletionFolder {
public:
    DeletionFolder() = default;
    ~DeletionFolder();
    DeletionFolder(const DeletionFolder&) = delete;
    DeletionFolder& operator=(const DeletionFolder&) = delete;

    // Opens and resolves `folder` ("E:\Games", "E:\", "E:"). False, with the
    // system's code in *error, when it cannot be opened.
    bool Open(const std::string& folder, uint32_t* error);
    // Lets the folder go; a folder about to be removed is closed first.
    void Close();

    // Deletes the file `name` of the folder. A file another program holds
    // open is refused (ERROR_SHARING_VIOLATION). A file the system refuses (a
    // read-only one) has its attributes reset and is tried once more; when
    // that fails too its attributes are put back, so an entry that stays is
    // left as it was. When `size` is given and the file is deleted, *size is
    // its length, read through the handle that deletes it (nobody can write
    // to it in between). REQUIRES: Open returned true.
    DeleteResult DeleteOneFile(const std::string& name, uint32_t* error, uint64_t* size = nullptr);

private:
    // Whether the open file `handle` resolves to this folder plus `name`.
    bool IsOwnEntry(void* handle, const std::string& name);

    std::string m_strFolder;     // as given; "E:" is made "E:\"
    bool m_bRoot = false;        // a drive root, which ends in its separator
    void* m_handle = nullptr;    // the folder, open for the relative opens
    std::wstring m_strResolved;  // as the system resolves it; a volume root ends in its separator
};

// Removes the empty folder `path`. When that fails its
// attributes are reset and it is tried once more; when that fails too the
// attributes are put back and the system's code is in *error.
// REQUIRES: `path` is no link, nor kept beyond this machine (ReparseTag.h).
bool RemoveFolder(const std::string& path, uint32_t* error);

// For tests only: `hook` runs on the deleting thread before every file deletion,
// with the file's path; tests use it to hold a deletion at a known point.
// Null removes it. Set it only while no deletion runs.
using FileDeletionHook = void (*)(const std::string& path);
void SetFileDeletionHookForTests(FileDeletionHook hook);

}  // namespace platform
