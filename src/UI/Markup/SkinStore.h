// CSkinStore: where skin files come from. The window manager owns one and sets
// it up at start-up: the skin folder, and optionally a zip skin archive (a file
// in that folder or a block of memory such as a module resource), kept open
// between reads or reopened for each one.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace Vellum {

class CZipArchive;

class CSkinStore {
public:
    CSkinStore();
    ~CSkinStore();
    CSkinStore(const CSkinStore&) = delete;
    CSkinStore& operator=(const CSkinStore&) = delete;

    // The folder skin names are relative to; prefixed to each name as it is, so
    // it normally ends with a backslash.
    void SetFolder(const std::string& folder) { m_strFolder = folder; }
    const std::string& GetFolder() const { return m_strFolder; }

    // Reads skins from the zip archive `name` in the skin folder; an empty name
    // goes back to plain files. With `keepOpen` the archive is opened on the
    // first read and kept open until the archive setting changes.
    void SetArchive(const std::string& name, bool keepOpen);
    // Reads skins from a zip archive held in memory (an empty or null block goes
    // back to plain files).
    // REQUIRES: `bytes` stays valid and unchanged while it is set.
    void SetArchiveMemory(const void* bytes, size_t size, bool keepOpen);
    bool HasArchive() const;
    const std::string& GetArchiveName() const { return m_strArchive; }

    // Reads the whole of the skin file `name` into *bytes. False, with *error
    // set to one of the messages below and *bytes empty, when it cannot:
    //   plain files: "Error opening file", "File is empty", "File too large"
    //                (above `maxSize` bytes), "Could not read file";
    //   archive:     "Error opening zip file", "Could not find ziped file",
    //                "File is empty", "File too large", "Could not unzip file".
    bool ReadSkinFile(const std::string& name, size_t maxSize, std::string* bytes, const char** error);
    // The same with the limit of skin documents (4 MiB).
    bool ReadSkinFile(const std::string& name, std::string* bytes, const char** error);

private:
    bool ReadPlainFile(const std::string& name, size_t maxSize, std::string* bytes, const char** error) const;
    bool ReadFromArchive(const std::string& name, size_t maxSize, std::string* bytes, const char** error);
    bool OpenArchive(CZipArchive* archive) const;

    std::string m_strFolder;
    std::string m_strArchive;
    const void* m_pArchiveBytes = nullptr;
    size_t m_nArchiveSize = 0;
    bool m_bKeepOpen = false;
    std::unique_ptr<CZipArchive> m_pOpenArchive;  // the archive kept open, when so
};

}  // namespace Vellum
