#include "QuarantineListing.h"

#include "support/QuarantineListing.h"

using testsupport::DiskListing;

namespace quarantinetest {

DiskListing QuarantineListing(const std::vector<std::string>& roots) {
    return testsupport::WithoutDatabaseBytes(testsupport::TakeListingWithContent(roots));
}

std::string DifferenceAfterMoves(const DiskListing& before, const DiskListing& after, const std::vector<Move>& moves) {
    return testsupport::ListingDifference(testsupport::ExpectedWithHeld(before, moves), after);
}

}  // namespace quarantinetest
