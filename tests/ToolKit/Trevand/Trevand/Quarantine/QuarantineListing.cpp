#include "QuarantineListing.h"

#include <windows.h>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineLayout.h"
#include "comm/platform/PathSeparator.h"

using testsupport::DiskListing;

namespace quarantinetest {

namespace {

std::string DatabaseOf(const std::string& folder) { return folder + "\\" + quarantine::kDatabaseName; }

}  // namespace

DiskListing QuarantineListing(const std::vector<std::string>& roots) {
    DiskListing listing = testsupport::TakeListingWithContent(roots);
    for (char drive = 'A'; drive <= 'Z'; ++drive) {
        auto database = listing.find(DatabaseOf(quarantine::FolderOfDrive(drive)));
        if (database == listing.end()) continue;
        database->second.size = 0;
        database->second.content.clear();
    }
    return listing;
}

std::string DifferenceAfterMoves(const DiskListing& before, const DiskListing& after, const std::vector<Move>& moves) {
    std::vector<std::string> originals;
    for (const Move& move : moves) originals.push_back(move.original);
    DiskListing expected = testsupport::Without(before, originals);
    for (const Move& move : moves) {
        // The quarantine's own entries: its hidden folder and its database...
        const std::string folder = quarantine::FolderOfDrive(quarantine::DriveOfPath(move.stored));
        expected[folder] = {0, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN, false, ""};
        expected[DatabaseOf(folder)] = {0, FILE_ATTRIBUTE_ARCHIVE, false, ""};
        // ...the plain folders above each stored entry...
        for (std::string above = platform::ParentFolder(move.stored); above.size() > folder.size();
             above = platform::ParentFolder(above)) {
            expected[above] = {0, FILE_ATTRIBUTE_DIRECTORY, false, ""};
        }
        // ...and the entries moved, exactly as they were.
        for (const auto& entry : testsupport::Rebased(before, move.original, move.stored)) expected.insert(entry);
    }
    return testsupport::ListingDifference(expected, after);
}

}  // namespace quarantinetest
