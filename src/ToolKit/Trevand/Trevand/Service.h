// What the Windows service control manager knows of one service.
#pragma once

#include <cstdint>
#include <string>

// One service's configuration, status and description. Texts are in the system
// code page; a new record has empty texts and zero numbers.
struct ServiceInfo {
    std::string strDescription;
    uint32_t dwServiceType = 0;
    uint32_t dwCurrentState = 0;
    uint32_t dwControlsAccepted = 0;
    uint32_t dwWin32ExitCode = 0;
    uint32_t dwServiceSpecificExitCode = 0;
    uint32_t dwCheckPoint = 0;
    uint32_t dwWaitHint = 0;
    uint32_t dwStartType = 0;
    uint32_t dwErrorControl = 0;
    uint32_t dwTagId = 0;
    std::string strBinaryPathName;  // as configured: quotes and arguments kept
    std::string strLoadOrderGroup;
    std::string strDependencies;  // the first name of the dependency list only
    std::string strServiceStartName;
};

class CService {
public:
    // Fills `info` for the service whose key name is `serviceName`.
    //
    // Returns true when the service was opened (the record then holds what each
    // single query gave; a failed query leaves its fields untouched) and also
    // when the name is rejected as invalid (record untouched). Returns false
    // when the service control manager or the service cannot be opened for any
    // other reason, a service that is not installed among them. Every step that
    // fails writes one LOG_INFO line.
    static bool ServiceInformation(const char* serviceName, ServiceInfo& info);
};
