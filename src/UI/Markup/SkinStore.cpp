#include "UI/Markup/SkinStore.h"

#include "UI/Markup/XmlDocument.h"
#include "UI/Markup/ZipArchive.h"
#include "comm/platform/ReadOnlyFile.h"

namespace Vellum {

CSkinStore::CSkinStore() = default;

CSkinStore::~CSkinStore() = default;

void CSkinStore::SetArchive(const std::string& name, bool keepOpen) {
    m_strArchive = name;
    m_pArchiveBytes = nullptr;
    m_nArchiveSize = 0;
    m_bKeepOpen = keepOpen;
    m_pOpenArchive.reset();
}

void CSkinStore::SetArchiveMemory(const void* bytes, size_t size, bool keepOpen) {
    m_strArchive.clear();
    m_pArchiveBytes = size > 0 ? bytes : nullptr;
    m_nArchiveSize = m_pArchiveBytes != nullptr ? size : 0;
    m_bKeepOpen = keepOpen;
    m_pOpenArchive.reset();
}

bool CSkinStore::HasArchive() const { return !m_strArchive.empty() || m_pArchiveBytes != nullptr; }

bool CSkinStore::ReadSkinFile(const std::string& name, std::string* bytes, const char** error) {
    return ReadSkinFile(name, CXmlDocument::kMaxFileSize, bytes, error);
}

bool CSkinStore::ReadSkinFile(const std::string& name, size_t maxSize, std::string* bytes, const char** error) {
    bytes->clear();
    *error = nullptr;
    return HasArchive() ? ReadFromArchive(name, maxSize, bytes, error) : ReadPlainFile(name, maxSize, bytes, error);
}

bool CSkinStore::ReadPlainFile(const std::string& name, size_t maxSize, std::string* bytes, const char** error) const {
    platform::ReadOnlyFile file;
    if (!file.Open(m_strFolder + name)) {
        *error = "Error opening file";
        return false;
    }
    const uint64_t size = file.Size();
    if (size == 0) {
        *error = "File is empty";
        return false;
    }
    if (size > maxSize) {
        *error = "File too large";
        return false;
    }
    bytes->resize(static_cast<size_t>(size));
    if (file.ReadAt(0, &(*bytes)[0], bytes->size()) < bytes->size()) {
        bytes->clear();
        *error = "Could not read file";
        return false;
    }
    return true;
}

bool CSkinStore::OpenArchive(CZipArchive* archive) const {
    return m_pArchiveBytes != nullptr ? archive->OpenMemory(m_pArchiveBytes, m_nArchiveSize)
                                      : archive->OpenFile(m_strFolder + m_strArchive);
}

bool CSkinStore::ReadFromArchive(const std::string& name, size_t maxSize, std::string* bytes, const char** error) {
    CZipArchive once;
    CZipArchive* archive = &once;
    if (m_bKeepOpen) {
        if (!m_pOpenArchive) {
            auto opened = std::make_unique<CZipArchive>();
            if (!OpenArchive(opened.get())) {
                *error = "Error opening zip file";
                return false;
            }
            m_pOpenArchive = std::move(opened);
        }
        archive = m_pOpenArchive.get();
    } else if (!OpenArchive(&once)) {
        *error = "Error opening zip file";
        return false;
    }
    switch (archive->Extract(name.c_str(), maxSize, bytes)) {
    case CZipArchive::Result::kOk: return true;
    case CZipArchive::Result::kNotFound: *error = "Could not find ziped file"; return false;
    case CZipArchive::Result::kEmpty: *error = "File is empty"; return false;
    case CZipArchive::Result::kTooLarge: *error = "File too large"; return false;
    case CZipArchive::Result::kUnzipFailed: break;
    }
    *error = "Could not unzip file";
    return false;
}

}  // namespace Vellum
