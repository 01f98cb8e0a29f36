// A folder for one test (or one demo), removed with everything in it
// afterwards unless the owner asks to keep it.
#pragma once

#include <string>

namespace testsupport {

class TempDir {
public:
    // A fresh folder below the system's temporary folder, removed afterwards.
    TempDir();
    // The folder `path` (created with its parents when missing); removed
    // afterwards unless `keep`. REQUIRES: `path` is ASCII.
    TempDir(const std::string& path, bool keep);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as the program gets it (native separators, ASCII only).
    const std::string& Path() const { return m_path; }
    // `name` below the folder, with the native separator.
    std::string File(const std::string& name) const;

private:
    std::string m_path;
    bool m_keep = false;
};

// `name` below `dir`, with the native separator.
std::string JoinPath(const std::string& dir, const std::string& name);

// The whole content of a file ("" when it cannot be read), and whether it exists.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace testsupport
