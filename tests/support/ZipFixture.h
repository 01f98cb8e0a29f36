// Writes small zip archives for the skin archive tests: stored or deflated
// entries, names as given (flag 0x0800 marks a UTF-8 name).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct ZipEntryDescription {
    std::string strName;
    std::string strBytes;
    bool bDeflate = false;
    uint16_t nFlags = 0;
};

// The whole archive: local headers with data, central directory, end record.
std::string BuildZip(const std::vector<ZipEntryDescription>& entries);

// Offset of the first byte of `name`'s data in an archive BuildZip made.
size_t DataOffset(const std::string& archive, const std::string& name);

}  // namespace testsupport
