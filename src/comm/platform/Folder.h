// Windows only: folder existence and folder listings with attributes.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// File attribute bits, with the values Windows gives them.
const uint32_t kAttributeReadOnly = 0x1;
const uint32_t kAttributeHidden = 0x2;
const uint32_t kAttributeDirectory = 0x10;
const uint32_t kAttributeReparsePoint = 0x400;
const uint32_t kAttributesInvalid = 0xFFFFFFFF;  // attributes that could not be read

// Paths have no length limit here: one too long for the ANSI calls (MAX_PATH)
// is handed to the system's wide calls in the form that lifts it.

// Whether `path` names an existing folder (its attributes say directory).
// "E:" asks about the root of drive E.
bool IsExistingFolder(const std::string& path);

// One entry of a listing: its own name, its attributes as the listing reports
// them (the same attributes a status query of the entry gives), its reparse
// tag, and what the listing says of its size and last write.
struct FolderEntry {
    std::string strName;
    uint32_t dwAttributes = 0;
    // When dwAttributes says reparse point: its tag, which tells a link from
    // an entry kept in another form (ReparseTag.h). 0 when the listing gives
    // none, as Wine 8 does for its links. 0 for any other entry.
    uint32_t dwReparseTag = 0;
    uint64_t nSize = 0;     // a file's length in bytes (64 bits: files over 4 GiB); 0 for a folder
    int64_t nModified = 0;  // last write time, seconds since 1970-01-01 00:00 UTC
    // The name holds a character the system code page cannot represent:
    // strName has '?' in its place and names no entry (or another one), so no
    // path the program forms reaches this one. Never to be offered, entered or
    // deleted by name; its size and attributes are still what the listing says.
    bool bNameLost = false;
};

// Whether `name` is the "." or ".." a listing gives for the folder itself
// and its parent: never an entry of its own.
inline bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// A listing of the entries matching a pattern such as "E:\Games\*.*", in the
// order the file system delivers them, "." and ".." included where the file
// system reports them. Owns the find handle; not copyable.
class FolderListing {
public:
    FolderListing() = default;
    ~FolderListing();
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // Starts the listing and reads its first entry into *entry. False when the
    // listing cannot start (no such folder, or no entry at all — a drive root
    // with nothing in it lists nothing, not even "." and "..").
    bool Start(const std::string& pattern, FolderEntry* entry);
    // Reads the next entry; false at the end. REQUIRES: Start returned true.
    bool Next(FolderEntry* entry);
    // Ends the listing; also done by the destructor.
    void Close();

    // After Start or Next returned false: the system's error code when the
    // folder could not be read (no such folder, access refused, a read error
    // part way through); 0 when the
    // listing simply had no entry, or no further one, to give. A caller that
    // reports what a tree holds tells "nothing there" from "not read" by it.
    unsigned long FailureCode() const { return m_failure; }

private:
    void* m_handle = nullptr;
    unsigned long m_failure = 0;
    std::string m_strFolder;  // the pattern's folder and separator, kept only for the tests' hook
};

// The reparse tag of the entry `path`, as a listing of its folder gives it
// (FolderEntry::dwReparseTag): 0 when the entry is no reparse point, has no
// tag (Wine 8's links) or cannot be read — and ClassifyEntry (ReparseTag.h)
// takes a reparse point without a tag for a link. It reads the folder (under
// Wine all of it): ask it only of entries whose attributes say reparse point.
uint32_t ReadReparseTag(const std::string& path);

// For tests only. Wine 8 has no reparse point but its links (setting one
// fails with ERROR_NOT_SUPPORTED), so a test that needs a deduplicated file
// or a cloud placeholder presents a real file or folder as one: `hook` is
// asked, with the entry's path, about every entry a listing gives and every
// path ReadReparseTag and ReadAttributes (EntryDeletion.h) read; when it
// answers true the entry is reported as a reparse point with the tag it put
// in *tag, its other attributes as they are. The entry itself stays what it
// is, so every call that acts on it acts on the real file or folder. Null
// removes it. Set it only while nothing lists, sizes, deletes or moves.
using ReparseTagHook = bool (*)(const std::string& path, uint32_t* tag);
void SetReparseTagHookForTests(ReparseTagHook hook);

}  // namespace platform
