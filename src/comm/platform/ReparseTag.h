// What a reparse point is to the program, told by its tag.
//
// Windows marks more than links with FILE_ATTRIBUTE_REPARSE_POINT: a file of
// a deduplicated volume, one compressed on demand, a stub whose data an
// archive holds, a placeholder of a cloud drive. Only the tags with the name
// surrogate bit name another place; the others hold the entry's own data in
// another form, or stand for data a service beyond this machine keeps.
// Pure: the same answer on every platform, tested on the host.
#pragma once

#include <cstdint>

namespace platform {

// Tags by name, with the values Windows gives them: the ones the tests and
// the log speak of.
const uint32_t kReparseTagMountPoint = 0xA0000003;  // a junction, or a volume mounted on a folder
const uint32_t kReparseTagSymlink = 0xA000000C;
const uint32_t kReparseTagHsm = 0xC0000004;  // an archive's stub
const uint32_t kReparseTagDedup = 0x80000013;
const uint32_t kReparseTagWof = 0x80000017;    // compressed on demand (compact.exe)
const uint32_t kReparseTagCloud = 0x9000001A;  // a cloud drive's placeholder; 0x9000101A ... 0x9000F01A too
const uint32_t kReparseTagOneDrive = 0x80000021;
const uint32_t kReparseTagNameSurrogate = 0x20000000;  // the bit every tag of a link carries

enum class ReparseClass {
    // Names another place (symbolic link, junction, mount point): never
    // followed, deleted or moved; it may lead to another disk, or back in.
    kLink,
    // The entry's own data, kept on this machine in another form
    // (deduplicated, compressed, archived): listed, entered, sized, deleted
    // and moved like any other entry.
    kEntry,
    // Stands for data a service beyond this machine keeps (a cloud drive, a
    // sync or replication service): deleting or moving it here would reach
    // there, so it is left alone.
    kBeyondMachine,
};

// The class of the reparse tag `tag`. 0 is no tag Windows gives: it means the
// tag could not be read (and Wine 8 gives it for its links), so the entry is
// taken for a link. A tag this program does not know — one newer than it, or
// a third party's, which are those of archiving, backup and sync products —
// is taken as kBeyondMachine: their stubs commonly stand for data kept
// elsewhere, and some delete that data with the stub; leaving one costs its
// space, deleting one may cost data that is not on this machine.
ReparseClass ClassifyReparseTag(uint32_t tag);

// The class of an entry whose attributes (with their Windows values) and
// tag are `attributes` and `tag`, as a listing or a status query gives them:
// kEntry for an entry that is no reparse point at all, whatever `tag` holds.
// Attributes that could not be read (0xFFFFFFFF, which has every bit set)
// give kLink: nothing is known of the entry.
ReparseClass ClassifyEntry(uint32_t attributes, uint32_t tag);

}  // namespace platform
