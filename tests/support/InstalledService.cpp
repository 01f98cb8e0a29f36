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

InstalledService::InstalledService(const ServiceSpec& spec) : m_name(spec.name) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager == nullptr) {
        return;
    }
    DeleteIfPresent(manager, spec.name);
    std::string dependencies = spec.dependencies;
    dependencies.append(2, '\0');
    SC_HANDLE service = CreateServiceA(manager, spec.name.c_str(), spec.name.c_str(), SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                       spec.binaryPath.c_str(), nullptr, nullptr,
                                       spec.dependencies.empty() ? nullptr : dependencies.c_str(), nullptr, nullptr);
    if (service != nullptr) {
        m_installed = true;
        if (!spec.description.empty()) {
            SERVICE_DESCRIPTIONA description = {const_cast<char*>(spec.description.c_str())};
            ChangeServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, &description);
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
}

InstalledService::~InstalledService() {
    if (!m_installed) {
        return;
    }
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (manager != nullptr) {
        DeleteIfPresent(manager, m_name);
        CloseServiceHandle(manager);
    }
}

}  // namespace testsupport
