#include "ToolKit/Trevand/Trevand/Service.h"

#include <windows.h>

#include <memory>
#include <new>

#include "comm/log/LogWriter.h"

namespace {

// Both configuration queries are documented to need at most this many bytes.
const DWORD kQueryBufferSize = 8192;

// Owns one service control manager handle.
class ScHandle {
public:
    explicit ScHandle(SC_HANDLE handle) : m_handle(handle) {}
    ~ScHandle() {
        if (m_handle != nullptr) {
            CloseServiceHandle(m_handle);
        }
    }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;
    SC_HANDLE get() const { return m_handle; }

private:
    SC_HANDLE m_handle;
};

std::string TextOrEmpty(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

void CopyConfig(const QUERY_SERVICE_CONFIGA& config, ServiceInfo& info) {
    info.dwServiceType = config.dwServiceType;
    info.dwStartType = config.dwStartType;
    info.dwErrorControl = config.dwErrorControl;
    info.strBinaryPathName = TextOrEmpty(config.lpBinaryPathName);
    info.strLoadOrderGroup = TextOrEmpty(config.lpLoadOrderGroup);
    info.dwTagId = config.dwTagId;
    // The list is NUL-separated; its first name ends at the first terminator.
    info.strDependencies = TextOrEmpty(config.lpDependencies);
    info.strServiceStartName = TextOrEmpty(config.lpServiceStartName);
}

void CopyStatus(const SERVICE_STATUS& status, ServiceInfo& info) {
    info.dwCurrentState = status.dwCurrentState;
    info.dwControlsAccepted = status.dwControlsAccepted;
    info.dwWin32ExitCode = status.dwWin32ExitCode;
    info.dwServiceSpecificExitCode = status.dwServiceSpecificExitCode;
    info.dwCheckPoint = status.dwCheckPoint;
    info.dwWaitHint = status.dwWaitHint;
}

// A query buffer; null when it cannot be allocated, which then fails that one
// query with ERROR_NOT_ENOUGH_MEMORY like any other failed query.
std::unique_ptr<BYTE[]> NewQueryBuffer() {
    std::unique_ptr<BYTE[]> buffer(new (std::nothrow) BYTE[kQueryBufferSize]);
    if (!buffer) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return buffer;
}

void QueryConfig(SC_HANDLE service, ServiceInfo& info) {
    std::unique_ptr<BYTE[]> buffer = NewQueryBuffer();
    DWORD needed = 0;
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.get());
    if (buffer && QueryServiceConfigA(service, config, kQueryBufferSize, &needed)) {
        CopyConfig(*config, info);
    } else {
        LOG_WRITE(LOG_INFO, "[Service] QueryServiceConfig Error: %d\n", static_cast<int>(GetLastError()));
    }
}

void QueryStatus(SC_HANDLE service, ServiceInfo& info) {
    SERVICE_STATUS status = {};
    if (QueryServiceStatus(service, &status)) {
        CopyStatus(status, info);
    } else {
        LOG_WRITE(LOG_INFO, "[Service] QueryServiceStatus Error: %d\n", static_cast<int>(GetLastError()));
    }
}

void QueryDescription(SC_HANDLE service, ServiceInfo& info) {
    std::unique_ptr<BYTE[]> buffer = NewQueryBuffer();
    DWORD needed = 0;
    if (buffer && QueryServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, buffer.get(), kQueryBufferSize, &needed)) {
        info.strDescription = TextOrEmpty(reinterpret_cast<SERVICE_DESCRIPTIONA*>(buffer.get())->lpDescription);
    } else {
        LOG_WRITE(LOG_INFO, "[Service] QueryServiceConfig2 Error: %d\n", static_cast<int>(GetLastError()));
    }
}

}  // namespace

bool CService::ServiceInformation(const char* serviceName, ServiceInfo& info) {
    ScHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (manager.get() == nullptr) {
        LOG_WRITE(LOG_INFO, "[Service] OpenschManager Error: %d\n", static_cast<int>(GetLastError()));
        return false;
    }

    ScHandle service(OpenServiceA(manager.get(), serviceName, SERVICE_ALL_ACCESS));
    if (service.get() == nullptr) {
        const DWORD error = GetLastError();
        if (error == ERROR_INVALID_NAME) {
            // An invalid name counts as answered: the caller sees an empty record.
            LOG_WRITE(LOG_INFO, "[Service] %s no Found !\n", serviceName);
            return true;
        }
        LOG_WRITE(LOG_INFO, "[Service] OpenService  Error: %d\n", static_cast<int>(error));
        return false;
    }

    QueryConfig(service.get(), info);
    QueryStatus(service.get(), info);
    QueryDescription(service.get(), info);
    return true;
}
