// Windows only: the machine's network adapters and their IPv4 addresses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Adapter types as the IP helper reports them.
const uint32_t kAdapterTypeEthernet = 6;
const uint32_t kAdapterTypeWireless = 71;  // IEEE 802.11

struct NetworkAdapter {
    uint32_t type = 0;
    std::vector<std::string> addresses;  // dotted-decimal IPv4 texts, in list order
};

// The adapters in the order the system lists them (GetAdaptersInfo). The list
// size is asked first; only the answers "buffer too small" (111) and "invalid
// parameter" (87) go on to fetch it into that size plus 512 bytes. Any other
// answer, or a fetch that fails, gives an empty list.
std::vector<NetworkAdapter> ListNetworkAdapters();

}  // namespace platform
