#include "ToolKit/Trevand/Trevand/Service.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/InstalledService.h"
#include "support/LogCapture.h"

using testsupport::InstalledService;
using testsupport::LogCapture;
using testsupport::ServiceDescription;

namespace {

using Lines = std::vector<std::string>;

TEST(ServiceInformation, ReadsConfigurationStatusAndDescriptionOfAGbkNamedService) {
    const ServiceDescription desc{"Zervan服务", "\"C:\\Program Files\\Zervan\\Zervan.exe\" -k run", "网吧服务器管理",
                                  std::string("Tcpip\0Dnscache", 14)};
    InstalledService installed(desc);
    ASSERT_TRUE(installed.Installed());
    LogCapture log;

    ServiceInfo info;
    ASSERT_TRUE(CService::ServiceInformation("Zervan服务", info));

    EXPECT_EQ(info.strBinaryPathName, desc.binaryPath) << "kept exactly as configured";
    EXPECT_EQ(info.strDescription, desc.description);
    EXPECT_EQ(info.dwServiceType, static_cast<uint32_t>(SERVICE_WIN32_OWN_PROCESS));
    EXPECT_EQ(info.dwStartType, static_cast<uint32_t>(SERVICE_DEMAND_START));
    EXPECT_EQ(info.dwErrorControl, static_cast<uint32_t>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(info.dwCurrentState, static_cast<uint32_t>(SERVICE_STOPPED));
    EXPECT_EQ(info.strServiceStartName, "LocalSystem");
    // Wine 8 answers an empty dependency list whatever was configured; Windows
    // gives the list, of which only the first name is taken.
    EXPECT_TRUE(info.strDependencies.empty() || info.strDependencies == "Tcpip") << info.strDependencies;
    EXPECT_EQ(log.Lines(), Lines{});
}

TEST(ServiceInformation, ServiceWithoutDescriptionHasAnEmptyOne) {
    InstalledService installed({"TrevandNoDescription", "C:\\svc\\plain.exe", "", ""});
    ASSERT_TRUE(installed.Installed());

    ServiceInfo info;
    info.strDescription = "stale";
    ASSERT_TRUE(CService::ServiceInformation("TrevandNoDescription", info));
    EXPECT_EQ(info.strDescription, "");
    EXPECT_EQ(info.strBinaryPathName, "C:\\svc\\plain.exe");
}

TEST(ServiceInformation, ServiceNotInstalledFailsWithOneLine) {
    LogCapture log;
    ServiceInfo info;
    EXPECT_FALSE(CService::ServiceInformation("TrevandNoSuchService", info));
    EXPECT_EQ(log.Lines(), (Lines{"[Info]|[Service] OpenService  Error: 1060", ""}));
    EXPECT_EQ(info.strBinaryPathName, "");
}

TEST(ServiceInformation, InvalidNameCountsAsAnsweredAndLeavesTheRecordUntouched) {
    LogCapture log;
    ServiceInfo info;
    info.strBinaryPathName = "kept";
    info.dwCurrentState = 7;
    EXPECT_TRUE(CService::ServiceInformation("", info));
    EXPECT_EQ(log.Lines(), (Lines{"[Info]|[Service]  no Found !", ""}));
    EXPECT_EQ(info.strBinaryPathName, "kept");
    EXPECT_EQ(info.dwCurrentState, 7u);
}

}  // namespace
