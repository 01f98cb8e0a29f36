#include "support/OtherVolume.h"

#include <windows.h>

#include <cctype>

#include "support/WineHost.h"

namespace testsupport {

OtherVolumeDrive::OtherVolumeDrive(char letter, const std::string& beside) : m_letter(letter) {
    const std::string dosDevices = DosDevicesFolder();
    const std::string besideFolder = UnixPathOf(beside);
    if (dosDevices.empty() || besideFolder.empty()) {
        m_problem = "not running under Wine";
        return;
    }
    m_folder = "/dev/shm/trevand-volume-" + std::to_string(GetCurrentProcessId()) + "-" + std::string(1, letter);
    m_link = dosDevices + "/" + static_cast<char>(std::tolower(static_cast<unsigned char>(letter))) + ":";
    std::string devices;
    if (!RunUnixCommand({"mkdir", "-p", m_folder}) || !RunUnixCommand({"ln", "-sfn", m_folder, m_link}) ||
        !RunUnixCommandOutput({"stat", "-c", "%d", m_folder, besideFolder}, &devices)) {
        m_problem = "cannot map " + Root() + " to " + m_folder;
        return;
    }
    // Two lines, one device number each: they must differ.
    const size_t end = devices.find('\n');
    const std::string first = devices.substr(0, end);
    const std::string second =
        end == std::string::npos ? "" : devices.substr(end + 1, devices.find('\n', end + 1) - end - 1);
    if (first.empty() || first == second) m_problem = m_folder + " is on the same file system as " + besideFolder;
}

OtherVolumeDrive::~OtherVolumeDrive() {
    if (!m_link.empty()) RunUnixCommand({"rm", "-f", m_link});
    if (!m_folder.empty()) RunUnixCommand({"rm", "-rf", m_folder});
}

}  // namespace testsupport
