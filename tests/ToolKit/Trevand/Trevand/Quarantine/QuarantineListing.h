// Windows only: listings of disks that hold quarantines, and what a listing
// must look like once entries have moved into them (support/QuarantineListing.h
// in the shape these tests use).
#pragma once

#include <string>
#include <vector>

#include "support/DiskListing.h"
#include "support/QuarantineListing.h"

namespace quarantinetest {

// An entry moved in: from where to where.
using Move = testsupport::HeldEntry;

// The entries below `roots` with their content (TakeListingWithContent),
// except the size and content of each quarantine's record database
// ("X:\TrevandQuarantine\Quarantine.db"), which change with every record: the
// records are checked through the quarantine itself.
testsupport::DiskListing QuarantineListing(const std::vector<std::string>& roots);

// How `after` differs from `before` with `moves` done: each moved entry's
// tree must be at its stored path byte for byte, the rest of the disks
// unchanged, and each quarantine moved into hold nothing else than its
// hidden folder, its database and the plain folders above stored entries.
std::string DifferenceAfterMoves(const testsupport::DiskListing& before, const testsupport::DiskListing& after,
                                 const std::vector<Move>& moves);

}  // namespace quarantinetest
