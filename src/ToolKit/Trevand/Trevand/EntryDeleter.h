// Deleting one entry for good — a file, or a folder tree bottom-up — without
// ever reaching through a link. Window-free: the deletion window's worker and
// the purge of quarantined entries both delete through it.
//
// Links and junctions are never followed and never deleted: a delete
// through one would reach outside the entry (see EntryDeletion.h). Nor is a
// cloud drive's placeholder, or any reparse point whose tag is not known
// (ReparseTag.h): deleting it could delete what a service beyond this
// machine keeps. They are logged and left, so the folders holding one stay
// too. The other reparse points — a deduplicated or compressed file, an
// archive's stub — are entries like any other.
//
// The log says what happened: "删除目录"/"删除文件" only for an entry that is
// gone afterwards; an entry still there gets an error line with the system's
// code; a tree left by a stop gets a line saying so. The bytes freed are the
// lengths of the files deleted here, nothing estimated.
//
// One thread uses an object at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CEntryDeleter {
public:
    enum class Fate {
        kDeleted,  // gone entirely
        kLeft,     // still there, whole or in part: refused, a link inside, an error
        kStopped,  // a tree stopped part way because keepGoing said so
    };

    // `keepGoing` is asked before each entry inside a tree; once it answers
    // false the tree is left as far as it got.
    explicit CEntryDeleter(std::function<bool()> keepGoing) : m_keepGoing(std::move(keepGoing)) {}

    // Deletes `path`, whose attributes (as read just before) are
    // `attributes`, and logs what became of it.
    Fate Delete(const std::string& path, uint32_t attributes);

    // The lengths of the files deleted so far, in every entry.
    uint64_t FreedBytes() const { return m_nFreedBytes; }

    // What was deleted and what was left so far, in every entry: a caller
    // that wants one entry's share takes the difference around its Delete.
    struct TCounts {
        uint64_t nRemoved = 0;     // files deleted and folders removed
        uint64_t nLinksLeft = 0;   // links met and left
        uint64_t nOthersLeft = 0;  // anything else that stayed for a reason of its own
    };
    const TCounts& Counts() const { return m_counts; }

private:
    // What became of a directory tree. The directory itself is still there
    // when it was stopped or when dwError is not 0 (the code of its removal).
    struct TreeOutcome {
        bool bStopped = false;
        uint32_t dwError = 0;
    };

    bool DeleteTopFile(const std::string& path);
    TreeOutcome DeleteDirectory(const std::string& path);

    std::function<bool()> m_keepGoing;
    uint64_t m_nFreedBytes = 0;
    TCounts m_counts;
};
