// Windows only: the quarantines of the disks one run of the deletion window
// touches, each opened at its first entry and kept open for the run. One that
// could not be opened is not tried again: its entries are refused with the
// same code.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisk.h"

class CQuarantineDisks {
public:
    // `create`: make a disk's quarantine when it has none (moving in), or
    // only open one that exists (purging).
    explicit CQuarantineDisks(bool create) : m_bCreate(create) {}

    // The quarantine of `drive`, open; null when it could not be opened, with
    // the code in *error (never 0 then).
    CQuarantineDisk* Open(char drive, uint32_t* error);

    // The drives whose quarantine could not be opened, with their codes.
    std::map<char, uint32_t> Failures() const;

private:
    struct TDisk {
        std::unique_ptr<CQuarantineDisk> store;
        uint32_t dwError = 0;
    };

    const bool m_bCreate;
    std::map<char, TDisk> m_disks;
};
