#include "ToolKit/Trevand/Trevand/Quarantine/QuarantineDisks.h"

#include <windows.h>

CQuarantineDisk* CQuarantineDisks::Open(char drive, uint32_t* error) {
    auto found = m_disks.find(drive);
    if (found == m_disks.end()) {
        TDisk& disk = m_disks[drive];
        disk.store.reset(new CQuarantineDisk(drive));
        // No quarantine where one is only to be opened answers 0: still a
        // reason why nothing there can be done.
        if (!disk.store->Open(m_bCreate, &disk.dwError) && disk.dwError == 0) disk.dwError = ERROR_PATH_NOT_FOUND;
        found = m_disks.find(drive);
    }
    *error = found->second.dwError;
    return found->second.store->IsOpen() ? found->second.store.get() : nullptr;
}

std::map<char, uint32_t> CQuarantineDisks::Failures() const {
    std::map<char, uint32_t> failures;
    for (const auto& disk : m_disks) {
        if (!disk.second.store->IsOpen()) failures[disk.first] = disk.second.dwError;
    }
    return failures;
}
