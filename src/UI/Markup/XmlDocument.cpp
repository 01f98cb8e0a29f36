// Loading a CXmlDocument: from a text, from UTF-8 bytes, from a skin file.
#include "UI/Markup/XmlDocument.h"

#include <cstring>
#include <utility>

#include "UI/Base/CharStep.h"
#include "UI/Markup/SkinStore.h"
#include "comm/platform/CodePage.h"

namespace Vellum {
namespace {

// Copies at most `size` - 1 bytes of `text` to `out`, never ending on half a
// double-byte character, and NUL-terminates it.
void CopyWhole(char* out, size_t size, const char* text) {
    size_t length = 0;
    for (const char* p = text; *p != '\0';) {
        const char* next = UICharNext(p);
        const size_t end = static_cast<size_t>(next - text);
        if (end > size - 1) {
            break;
        }
        length = end;
        p = next;
    }
    std::memcpy(out, text, length);
    out[length] = '\0';
}

}  // namespace

CXmlDocument::CXmlDocument() { ClearError(); }

CXmlDocument::~CXmlDocument() = default;

void CXmlDocument::ClearError() {
    m_szErrorMsg[0] = '\0';
    m_szErrorXml[0] = '\0';
}

bool CXmlDocument::Fail(const char* message, const char* location) {
    CopyWhole(m_szErrorMsg, sizeof m_szErrorMsg, message);
    CopyWhole(m_szErrorXml, sizeof m_szErrorXml, location != nullptr ? location : "");
    return false;
}

void CXmlDocument::Release() {
    m_text.clear();
    m_text.shrink_to_fit();
    m_elements.clear();
    m_elements.shrink_to_fit();
}

bool CXmlDocument::Load(const char* text) { return LoadText(text != nullptr ? std::string(text) : std::string()); }

bool CXmlDocument::LoadBytes(const void* bytes, size_t length) {
    const char* begin = static_cast<const char*>(bytes);
    if (length > 2 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0) {
        begin += 3;
        length -= 3;
    }
    return LoadText(platform::Utf8ToCodePage936Lossy(std::string(begin, length)));
}

bool CXmlDocument::LoadFile(const char* name, CSkinStore& store) {
    Release();
    ClearError();
    std::string bytes;
    const char* error = nullptr;
    if (!store.ReadSkinFile(name != nullptr ? name : "", &bytes, &error)) {
        return Fail(error, "");
    }
    return LoadBytes(bytes.data(), bytes.size());
}

bool CXmlDocument::LoadText(std::string text) {
    Release();
    ClearError();
    // The text ends at its first NUL, as every C text does.
    const size_t length = std::strlen(text.c_str());
    m_text.assign(text.c_str(), text.c_str() + length + 1);
    if (!Parse()) {
        Release();
        return false;
    }
    return true;
}

CXmlNode CXmlDocument::GetRoot() const { return m_elements.size() > 1 ? CXmlNode(this, 1) : CXmlNode(); }

}  // namespace Vellum
