// Windows only: what the disks' listings must be once entries rest in their
// disks' quarantines, for every test that moves entries in or out: exactly
// the moved trees changed place, byte for byte, and nothing else changed.
#pragma once

#include <string>
#include <vector>

#include "support/DiskListing.h"

namespace testsupport {

// An entry held in a quarantine: where it was, where it is stored
// ("E:\Games\Old" and "E:\TrevandQuarantine\20261211-093000\Games\Old").
struct HeldEntry {
    std::string original;
    std::string stored;
};

// The listing expected when `held` rest in their quarantines and everything
// else is as in `before` (taken with every entry in its original place):
// each original's tree is gone and stands at its stored path as it was; each
// quarantine folder used (the first folder of a stored path) is there,
// hidden, with its record database and the plain folders above each stored
// entry. Compare it with a listing passed through WithoutDatabaseBytes.
DiskListing ExpectedWithHeld(const DiskListing& before, const std::vector<HeldEntry>& held);

// `listing` with the size and content of every quarantine record database
// blanked: they change with every record, and the records are checked
// through the quarantine itself.
DiskListing WithoutDatabaseBytes(DiskListing listing);

}  // namespace testsupport
