// Windows only: a real service installed with CreateServiceA for one test and
// deleted again by the destructor (unless kept). The service is never started.
#pragma once

#include <string>

namespace testsupport {

struct ServiceDescription {
    std::string name;          // key name, code page 936
    std::string binaryPath;    // stored exactly as given
    std::string description;   // none when empty
    std::string dependencies;  // NUL-separated names, as CreateServiceA takes them
};

class InstalledService {
public:
    explicit InstalledService(const ServiceDescription& desc);
    ~InstalledService();
    InstalledService(const InstalledService&) = delete;
    InstalledService& operator=(const InstalledService&) = delete;

    bool Installed() const { return m_installed; }
    // Leaves the service installed when this object goes.
    void Keep() { m_keep = true; }

private:
    std::string m_name;
    bool m_installed = false;
    bool m_keep = false;
};

}  // namespace testsupport
