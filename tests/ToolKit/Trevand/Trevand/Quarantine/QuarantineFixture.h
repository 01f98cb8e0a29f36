// The quarantine on real Wine drives: drive E holds a tree with read-only,
// hidden and GBK-named entries (誠, whose trail byte is that of "\"), loose
// files, links to a folder and a file outside every disk, and a tree of 200
// files (Bulk) to stop a deletion in; drive F is another disk on the same
// Linux file system.
//
// Every test that moves compares the disks and the outside folder file by
// file, content included, against a listing taken before.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "QuarantineListing.h"
#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"
#include "support/Cafe.h"
#include "support/DiskListing.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

namespace quarantinetest {

extern const char kFolder[];  // "E:\\TrevandQuarantine"
extern const char kBatch[];   // "20261211-093000"
extern const int64_t kNow;    // when the tests' moves happen

class Quarantine : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Changes the disks' description before they are made; the fixture's own
    // tests keep it as it is.
    virtual void ChangeCafe(testsupport::CafeDescription* /*desc*/) {}

    // Drives E and F and the folder outside every disk (QuarantineListing).
    testsupport::DiskListing Listing() const;
    std::string Outside(const std::string& relative) const { return m_outside->File(relative); }

    // E's quarantine, opened with `create`; the test fails when it cannot be.
    std::unique_ptr<CQuarantineDisk> OpenE(bool create = true);

    // Moves `original` into kBatch, expecting success; its held record.
    TQuarantineRecord MoveIn(CQuarantineDisk& disk, const std::string& original);

    // The quarantine's lines logged since the test began ("[Info]|Trevand  …").
    std::vector<std::string> QuarantineLines() const;

    testsupport::LogCapture m_log;
    std::unique_ptr<testsupport::TempDir> m_outside;
    std::unique_ptr<testsupport::Cafe> m_cafe;
};

}  // namespace quarantinetest
