// Entries whose names end in a dot or a space, moved into the quarantine and
// restored beside the entries the usual form of their paths would reach
// instead ("E:\网络游戏\Game." reaches "E:\网络游戏\Game"): folders and files,
// at short paths and past the ANSI limit. Each moves itself, to exactly its
// place in the layout, and comes back; the neighbours stay byte for byte.
#include <algorithm>

#include "QuarantineFixture.h"
#include "ToolKit/Trevand/Trevand/QuarantineRestore.h"
#include "support/TrimmedTwins.h"

using testsupport::AddTrimmedTwins;
using testsupport::CafeEntry;
using testsupport::DiskListing;
using testsupport::ListingDifference;

namespace quarantinetest {
namespace {

const std::string kShort = testsupport::kTwinsShortFolder;
// 255 characters: the entries below it are past the ANSI limit, and more so
// once stored.
const std::string kLong = testsupport::TwinsLongFolder();
const std::string kIn = std::string("E:\\TrevandQuarantine\\") + kBatch + "\\";

class QuarantineTrimmedName : public Quarantine {
protected:
    // Per folder: the package "Game" and its twins "Game." and "Game ", the
    // file "setup.exe" and its twins; the sizes tell every file from the
    // others.
    void ChangeCafe(testsupport::CafeDescription* desc) override {
        std::vector<CafeEntry>& e = desc->drives[0].entries;
        for (const std::string& folder : {kShort, kLong}) {
            AddTrimmedTwins(folder, folder == kLong ? 1000 : 0, &e);
        }
    }
};

TEST_F(QuarantineTrimmedName, EachMovesInToItsOwnPlaceAndBackAndTheNeighboursStayByteForByte) {
    const DiskListing before = Listing();
    std::vector<Move> moves;
    for (const std::string& folder : {kShort, kLong})
        for (const char* name : {"\\Game.", "\\Game ", "\\setup.exe.", "\\setup.exe "})
            moves.push_back({folder + name, kIn + folder.substr(3) + name});
    for (const Move& move : moves) ASSERT_EQ(1u, before.count(move.original)) << move.original;

    std::unique_ptr<CQuarantineDisk> disk = OpenE();
    for (const Move& move : moves) {
        TQuarantineRecord record;
        uint32_t error = 0;
        const bool bDir = move.original.find("\\Game") != std::string::npos;
        EXPECT_TRUE(disk->MoveIn(move.original, bDir, 0, kBatch, kNow, &record, &error))
            << move.original << ": " << error;
        EXPECT_EQ(move.stored, record.strStoredPath);
    }
    EXPECT_EQ("", DifferenceAfterMoves(before, Listing(), moves));
    const std::vector<TQuarantineRecord> held = disk->Records();
    disk.reset();

    const TRestoreOutcome outcome = RestoreRecords(held);
    EXPECT_EQ(moves.size(), outcome.restored.size());
    EXPECT_TRUE(outcome.refused.empty());
    EXPECT_EQ("", ListingDifference(before, Listing()));

    // One line each way, in the order of the moves and then of the paths.
    std::vector<std::string> lines;
    for (const Move& move : moves) lines.push_back("[Info]|Trevand  隔离" + move.original + " -> " + move.stored);
    std::vector<std::string> originals;
    for (const Move& move : moves) originals.push_back(move.original);
    std::sort(originals.begin(), originals.end());
    for (const std::string& original : originals) lines.push_back("[Info]|Trevand  还原" + original);
    EXPECT_EQ(lines, QuarantineLines());
}

}  // namespace
}  // namespace quarantinetest
