// Windows only, under Wine: a drive letter on another volume than the café's
// disks. Drive letters whose folders share one Linux file system rename into
// each other under Wine; this one is a folder on the memory file system
// (/dev/shm), so a rename onto it crosses volumes as one between two disks
// of a Windows machine does.
#pragma once

#include <string>

namespace testsupport {

class OtherVolumeDrive {
public:
    // Maps `letter` to a fresh folder on /dev/shm and checks that it lies on
    // another file system than the folder of the Windows path `beside`.
    OtherVolumeDrive(char letter, const std::string& beside);
    ~OtherVolumeDrive();
    OtherVolumeDrive(const OtherVolumeDrive&) = delete;
    OtherVolumeDrive& operator=(const OtherVolumeDrive&) = delete;

    // True when the letter is mapped to another file system; tests ASSERT on it.
    bool Ready() const { return m_problem.empty(); }
    const std::string& Problem() const { return m_problem; }
    // "G:\".
    std::string Root() const { return std::string(1, m_letter) + ":\\"; }

private:
    char m_letter;
    std::string m_folder;  // Linux path
    std::string m_link;    // Linux path of the drive letter link
    std::string m_problem;
};

}  // namespace testsupport
