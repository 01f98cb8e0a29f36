#include "comm/platform/ReparseTag.h"

#include "comm/platform/Folder.h"

namespace platform {
namespace {

// The tags of entries whose data this machine holds, in another form than a
// plain file's: deleting one deletes that entry and nothing elsewhere.
const uint32_t kEntryTags[] = {
    kReparseTagDedup,  // a deduplicated volume's file, its chunks in the volume's own store
    kReparseTagWof,    // compressed on demand, or backed by an image file on this machine
    0x80000007,        // single instance storage: one copy on the volume for many files
    kReparseTagHsm,    // the stubs of the archive built into old Windows servers
    0x80000006,        // (its second tag)
    0x80000008,        // a file of an image mounted from this machine
    0x8000001B,        // an app execution alias: a small file that only names its app
    0x80000023,        // a Unix socket
    0x80000024,        // WSL's special files: a fifo,
    0x80000025,        // a character device,
    0x80000026,        // a block device
};

}  // namespace

ReparseClass ClassifyReparseTag(uint32_t tag) {
    if (tag == 0 || (tag & kReparseTagNameSurrogate) != 0) return ReparseClass::kLink;
    for (const uint32_t entryTag : kEntryTags) {
        if (tag == entryTag) return ReparseClass::kEntry;
    }
    // Everything else: the cloud drives' placeholders (kReparseTagCloud and
    // its variants, kReparseTagOneDrive, the older 0x80000015), Azure File
    // Sync (0x8000001E, 0x90000027), projected file systems (0x9000001C),
    // DFS namespaces and replication (0x8000000A, 0x80000012), cluster
    // volumes (0x80000009), apps streamed on demand (0xC0000014) — and every
    // tag not known here, for the reason the header gives.
    return ReparseClass::kBeyondMachine;
}

ReparseClass ClassifyEntry(uint32_t attributes, uint32_t tag) {
    if (attributes == kAttributesInvalid) return ReparseClass::kLink;
    if ((attributes & kAttributeReparsePoint) == 0) return ReparseClass::kEntry;
    return ClassifyReparseTag(tag);
}

}  // namespace platform
