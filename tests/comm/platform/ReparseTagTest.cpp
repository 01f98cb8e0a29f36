#include "comm/platform/ReparseTag.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using platform::ReparseClass;

const char* Name(ReparseClass c) {
    switch (c) {
    case ReparseClass::kLink: return "link";
    case ReparseClass::kEntry: return "entry";
    case ReparseClass::kBeyondMachine: return "beyond the machine";
    }
    return "?";
}

TEST(ReparseTag, EachTagIsALinkAnEntryOrLeftForWhatItsDeletionWouldReach) {
    const struct {
        const char* name;
        uint32_t tag;
        ReparseClass expected;
    } cases[] = {
        // Not read: Wine 8 reports no tag for its links, and no real tag is 0.
        {"no tag read", 0, ReparseClass::kLink},
        // Every tag with the name surrogate bit names another place.
        {"symbolic link", 0xA000000C, ReparseClass::kLink},
        {"junction or mount point", 0xA0000003, ReparseClass::kLink},
        {"WSL symbolic link", 0xA000001D, ReparseClass::kLink},
        {"global reparse", 0xA0000019, ReparseClass::kLink},
        {"IIS cache", 0xA0000010, ReparseClass::kLink},
        {"container tombstone", 0xA000001F, ReparseClass::kLink},
        {"projected file system tombstone", 0xA0000022, ReparseClass::kLink},
        {"container link", 0xA0000027, ReparseClass::kLink},
        {"container link, second form", 0xA0001027, ReparseClass::kLink},
        {"a third party's name surrogate", 0x2000ABCD, ReparseClass::kLink},
        // The bit wins over a tag that would otherwise be a cloud's.
        {"cloud tag with the surrogate bit", 0xB000001A, ReparseClass::kLink},
        // The entry's own data on this machine, in another form.
        {"deduplicated", 0x80000013, ReparseClass::kEntry},
        {"compressed on demand", 0x80000017, ReparseClass::kEntry},
        {"single instance storage", 0x80000007, ReparseClass::kEntry},
        {"archive stub", 0xC0000004, ReparseClass::kEntry},
        {"archive stub, second form", 0x80000006, ReparseClass::kEntry},
        {"file of a mounted image", 0x80000008, ReparseClass::kEntry},
        {"app execution alias", 0x8000001B, ReparseClass::kEntry},
        {"Unix socket", 0x80000023, ReparseClass::kEntry},
        {"WSL fifo", 0x80000024, ReparseClass::kEntry},
        {"WSL character device", 0x80000025, ReparseClass::kEntry},
        {"WSL block device", 0x80000026, ReparseClass::kEntry},
        // Kept by a service beyond this machine: deleting it here reaches there.
        {"OneDrive", 0x80000021, ReparseClass::kBeyondMachine},
        {"Windows 8.1 placeholder", 0x80000015, ReparseClass::kBeyondMachine},
        {"Azure File Sync", 0x8000001E, ReparseClass::kBeyondMachine},
        {"Azure File Sync folder", 0x90000027, ReparseClass::kBeyondMachine},
        {"projected file system", 0x9000001C, ReparseClass::kBeyondMachine},
        {"DFS namespace", 0x8000000A, ReparseClass::kBeyondMachine},
        {"DFS replication", 0x80000012, ReparseClass::kBeyondMachine},
        {"cluster shared volume", 0x80000009, ReparseClass::kBeyondMachine},
        {"app streamed on demand", 0xC0000014, ReparseClass::kBeyondMachine},
        // Unknown: left, as what may stand for data kept elsewhere.
        {"reserved one", 1, ReparseClass::kBeyondMachine},
        {"reserved two", 2, ReparseClass::kBeyondMachine},
        {"a third party's tag", 0x00001234, ReparseClass::kBeyondMachine},
        {"a Microsoft tag newer than the table", 0x80000099, ReparseClass::kBeyondMachine},
        {"NFS special file", 0x80000014, ReparseClass::kBeyondMachine},
        {"cloud-like but not a cloud's", 0x9000F01B, ReparseClass::kBeyondMachine},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(Name(c.expected), Name(platform::ClassifyReparseTag(c.tag)));
    }
}

TEST(ReparseTag, EveryCloudPlaceholderVariantIsLeft) {
    // IO_REPARSE_TAG_CLOUD and its fifteen variants, which differ in the
    // bits 0x0000F000 alone.
    for (uint32_t variant = 0; variant <= 0xF; ++variant) {
        const uint32_t tag = 0x9000001A | (variant << 12);
        char name[16];
        std::snprintf(name, sizeof(name), "0x%08X", static_cast<unsigned>(tag));
        SCOPED_TRACE(name);
        EXPECT_STREQ(Name(ReparseClass::kBeyondMachine), Name(platform::ClassifyReparseTag(tag)));
    }
}

TEST(ReparseTag, AnEntryIsClassedByItsTagOnlyWhenItIsAReparsePoint) {
    const struct {
        const char* name;
        uint32_t attributes;
        uint32_t tag;
        ReparseClass expected;
    } cases[] = {
        {"plain file", 0x20, 0, ReparseClass::kEntry},
        // A listing leaves other values in the tag's place when the attribute is clear.
        {"plain folder, stray tag", 0x10, 0xA000000C, ReparseClass::kEntry},
        {"Wine's link to a folder", 0x410, 0, ReparseClass::kLink},
        {"junction", 0x410, 0xA0000003, ReparseClass::kLink},
        {"deduplicated file", 0x420, 0x80000013, ReparseClass::kEntry},
        {"compressed read-only file", 0x421, 0x80000017, ReparseClass::kEntry},
        {"cloud folder", 0x410, 0x9000601A, ReparseClass::kBeyondMachine},
        {"attributes not read", 0xFFFFFFFF, 0x80000013, ReparseClass::kLink},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(Name(c.expected), Name(platform::ClassifyEntry(c.attributes, c.tag)));
    }
}

}  // namespace
