#include "comm/platform/NetworkAdapters.h"

#include <winsock2.h>
#include <iphlpapi.h>
#include <windows.h>

#include <memory>
#include <new>

namespace platform {
namespace {

// Room added to the size the first call reports: the list may grow between the
// two calls.
const ULONG kSlack = 512;

NetworkAdapter FromInfo(const IP_ADAPTER_INFO& info) {
    NetworkAdapter adapter;
    adapter.type = info.Type;
    for (const IP_ADDR_STRING* address = &info.IpAddressList; address != nullptr; address = address->Next) {
        adapter.addresses.push_back(address->IpAddress.String);
    }
    return adapter;
}

}  // namespace

std::vector<NetworkAdapter> ListNetworkAdapters() {
    std::vector<NetworkAdapter> adapters;
    ULONG size = 0;
    const DWORD sizeAnswer = GetAdaptersInfo(nullptr, &size);
    if (sizeAnswer != ERROR_BUFFER_OVERFLOW && sizeAnswer != ERROR_INVALID_PARAMETER) {
        return adapters;
    }
    size += kSlack;
    // IP_ADAPTER_INFO needs its natural alignment, which new of a struct array gives.
    const size_t count = size / sizeof(IP_ADAPTER_INFO) + 1;
    std::unique_ptr<IP_ADAPTER_INFO[]> buffer(new (std::nothrow) IP_ADAPTER_INFO[count]);
    if (!buffer) {
        return adapters;
    }
    ULONG bufferSize = static_cast<ULONG>(count * sizeof(IP_ADAPTER_INFO));
    if (GetAdaptersInfo(buffer.get(), &bufferSize) != NO_ERROR) {
        return adapters;
    }
    for (const IP_ADAPTER_INFO* info = buffer.get(); info != nullptr; info = info->Next) {
        adapters.push_back(FromInfo(*info));
    }
    return adapters;
}

}  // namespace platform
