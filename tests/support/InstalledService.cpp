#include "support/InstalledService.h"

#include <windows.h>

namespace testsupport {
namespace {

// Removes a service of that name left by an earlier run that was killed.
void DeleteIfPresent(SC_HANDLE manager, const std::string& name) {
    SC_HANDLE old = OpenServiceA(manager, name.c_str(), DELETE);
    if (old != nullptr) {
        DeleteService(old);
        CloseServiceHandle(old);
    }
}

}  // namespace

InstalledService::InstalledService(const ServiceDescription& desc) : m_name(desc.name) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager == nullptr) {
        return;
    }
    DeleteIfPresent(manager, desc.name);
    std::string dependencies = desc.dependencies;
    dependencies.append(2, '\0');
    SC_HANDLE service =
        CreateServiceA(manager, desc.name.c_str(), desc.name.c_str(), SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                       SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, desc.binaryPath.c_str(), nullptr, nullptr,
                       desc.dependencies.empty() ? nullptr : dependencies.c_str(), nullptr, nullptr);
    if (service != nullptr) {
        m_installed = true;
        if (!desc.description.empty()) {
            SERVICE_DESCRIPTIONA description = {const_cast<char*>(desc.description.c_str())};
            ChangeServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, &description);
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
}

InstalledService::~InstalledService() {
    if (!m_installed || m_keep) {
        return;
    }
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager != nullptr) {
        DeleteIfPresent(manager, m_name);
        CloseServiceHandle(manager);
    }
}

}  // namespace testsupport
