// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as the program gets it (native separators, ASCII only).
    const std::string& Path() const { return m_path; }
    // `name` below the folder, with the native separator.
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

// `name` below `dir`, with the native separator.
std::string JoinPath(const std::string& dir, const std::string& name);

// The whole content of a file ("" when it cannot be read), and whether it exists.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace testsupport
