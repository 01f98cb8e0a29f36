// CXmlDocument: a skin document, parsed in place, and CXmlNode, one element of it.
//
// The dialect is a small XML: elements with attributes in double quotes, data
// text, comments ("<!" up to the first "->") and processing instructions ("<?" up
// to "?>"), the five entities &amp; &lt; &gt; &quot; &apos; and nothing else (no
// numeric references, no CDATA). Names are runs of ASCII letters, digits, "_",
// ":" and double-byte characters; "-" and "." end a name, and attributes
// follow a name only after whitespace, so "<a-b/>" fails at "-b/>". A document
// may end while its root element (or a child of the root) is still open; a
// closing tag at the top level ends the document and what follows is not read.
// Nesting depth is limited by memory only (the parser does not recurse).
//
// All texts are code page 936. The document owns one buffer holding the whole
// text; names, values and data are cut out of it where they lie, so the pointers
// a node returns stay valid until the document is loaded again or destroyed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "UI/Base/UIString.h"

namespace Vellum {

class CSkinStore;
class CXmlDocument;

// One element of a loaded document: a small value (the document and an element
// index) plus the element's attribute table, mapped on first use. A node that
// names no element is invalid: every query on it answers empty.
// REQUIRES: the document outlives the node and is not reloaded meanwhile.
class CXmlNode {
public:
    // At most this many attributes of an element are seen; later ones are not.
    static constexpr int kMaxAttributes = 64;
    // Size of the buffer the builder gives GetAttributeValue (name, buffer, size).
    static constexpr size_t kAttributeBufferSize = 500;

    CXmlNode() {}  // NOLINT: the attribute table is filled on first use

    bool IsValid() const { return m_pOwner != nullptr; }
    // The element's index in its document (1 for the root); 0 when invalid.
    uint32_t GetIndex() const { return m_nIndex; }

    CXmlNode GetParent() const;
    CXmlNode GetSibling() const;
    CXmlNode GetChild() const;
    // The first child element named `name` (case-sensitive).
    CXmlNode GetChild(const char* name) const;
    bool HasSiblings() const;
    bool HasChildren() const;

    // The element's name and its data text (the text right after the start tag,
    // entities replaced); "" when invalid.
    const char* GetName() const;
    const char* GetValue() const;

    bool HasAttributes() const;
    bool HasAttribute(const char* name) const;
    int GetAttributeCount() const;
    // Name and value of the attribute at `index` (document order); "" outside.
    const char* GetAttributeName(int index) const;
    const char* GetAttributeValue(int index) const;
    // Value of the first attribute named `name` (case-sensitive); "" when absent.
    const char* GetAttributeValue(const char* name) const;
    // Copies the value of the attribute named `name` into `value`, at most
    // size - 1 bytes (a double-byte character is never cut in half) and a NUL.
    // False, with `value` empty, when the element has no such attribute.
    // REQUIRES: `value` holds `size` bytes, size > 0.
    bool GetAttributeValue(const char* name, char* value, size_t size) const;

private:
    friend class CXmlDocument;
    CXmlNode(const CXmlDocument* owner, uint32_t index) : m_pOwner(owner), m_nIndex(index) {}
    CXmlNode At(uint32_t index) const;
    void MapAttributes() const;

    struct AttributeRef {
        uint32_t nName;
        uint32_t nValue;
    };

    const CXmlDocument* m_pOwner = nullptr;
    uint32_t m_nIndex = 0;
    mutable int m_nAttributes = -1;  // -1: not mapped yet
    mutable AttributeRef m_aAttributes[kMaxAttributes];
};

class CXmlDocument {
public:
    // Largest skin file or archive entry LoadFile accepts, in bytes.
    static constexpr size_t kMaxFileSize = 0x400000;

    CXmlDocument();
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Parses a copy of `text`, which is already code page 936. A null text is
    // the empty document. False on a parse error (see GetErrorMessage).
    bool Load(const char* text);
    // Parses UTF-8 bytes: a byte order mark (EF BB BF) is dropped when `length`
    // exceeds 2, then the text is converted to code page 936 (bytes that are no
    // UTF-8 and characters GBK lacks become '?'). A NUL ends the text.
    bool LoadBytes(const void* bytes, size_t length);
    // Reads the skin file `name` through `store` (the skin folder or the skin
    // archive, see SkinStore.h), then LoadBytes. A file that cannot be read sets
    // one of "Error opening file", "File is empty", "File too large", "Could not
    // read file", "Error opening zip file", "Could not find ziped file", "Could
    // not unzip file", with an empty location.
    bool LoadFile(const char* name, CSkinStore& store);
    // Forgets the document (the error fields stay).
    void Release();

    // Whether a document is loaded; an empty document is loaded but has no root.
    bool IsValid() const { return !m_text.empty(); }

    // Whether a space in data and attribute values keeps the whitespace after
    // it. On by default, and the program never turns it off.
    void SetPreserveWhitespace(bool preserve) { m_bPreserveWhitespace = preserve; }
    bool GetPreserveWhitespace() const { return m_bPreserveWhitespace; }

    // The module resource type the document was loaded from ("" when it came
    // from a file or a text); the builder reads includes the same way.
    void SetResourceType(const char* type) { m_strResourceType = type; }
    const char* GetResourceType() const { return m_strResourceType; }

    // The first element (index 1); invalid for an empty or failed document.
    CXmlNode GetRoot() const;
    // Number of elements parsed.
    size_t GetElementCount() const { return m_elements.empty() ? 0 : m_elements.size() - 1; }

    // Why the last load failed (at most 99 characters; "" after a success) and
    // the first 49 bytes of the text where it failed ("" for file errors).
    const char* GetErrorMessage() const { return m_szErrorMsg; }
    const char* GetErrorLocation() const { return m_szErrorXml; }

private:
    friend class CXmlNode;

    // One element: offsets into m_text and indexes into m_elements (0 = none).
    struct Element {
        uint32_t nName;
        uint32_t nChild;
        uint32_t nSibling;
        uint32_t nParent;
        uint32_t nData;
    };

    // Loading: take the text, parse it, and keep it only on success.
    bool LoadText(std::string text);
    bool Fail(const char* message, const char* location);
    void ClearError();

    // The parser (XmlParser.cpp).
    bool Parse();
    uint32_t NewElement(uint32_t parent, uint32_t previous);
    bool ParseAttributes(char** cursor);
    bool CloseElement(uint32_t element, char** cursor);
    char* ReadData(char* in, char* out, char terminator);
    uint32_t Offset(const char* p) const { return static_cast<uint32_t>(p - m_text.data()); }

    std::vector<char> m_text;         // the document, NUL-terminated
    std::vector<Element> m_elements;  // record 0 is a dummy
    bool m_bPreserveWhitespace = true;
    CUIString m_strResourceType;
    char m_szErrorMsg[100];
    char m_szErrorXml[50];
};

}  // namespace Vellum
