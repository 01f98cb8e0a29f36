// CXmlNode: navigating a loaded document and reading an element's attributes.
#include <cstring>

#include "UI/Base/CharStep.h"
#include "UI/Markup/XmlDocument.h"
#include "UI/Markup/XmlText.h"

namespace Vellum {

CXmlNode CXmlNode::At(uint32_t index) const { return index != 0 ? CXmlNode(m_pOwner, index) : CXmlNode(); }

CXmlNode CXmlNode::GetParent() const { return IsValid() ? At(m_pOwner->m_elements[m_nIndex].nParent) : CXmlNode(); }

CXmlNode CXmlNode::GetSibling() const { return IsValid() ? At(m_pOwner->m_elements[m_nIndex].nSibling) : CXmlNode(); }

CXmlNode CXmlNode::GetChild() const { return IsValid() ? At(m_pOwner->m_elements[m_nIndex].nChild) : CXmlNode(); }

CXmlNode CXmlNode::GetChild(const char* name) const {
    for (CXmlNode child = GetChild(); child.IsValid(); child = child.GetSibling()) {
        if (std::strcmp(child.GetName(), name) == 0) {
            return child;
        }
    }
    return CXmlNode();
}

bool CXmlNode::HasSiblings() const { return IsValid() && m_pOwner->m_elements[m_nIndex].nSibling != 0; }

bool CXmlNode::HasChildren() const { return IsValid() && m_pOwner->m_elements[m_nIndex].nChild != 0; }

const char* CXmlNode::GetName() const {
    return IsValid() ? m_pOwner->m_text.data() + m_pOwner->m_elements[m_nIndex].nName : "";
}

const char* CXmlNode::GetValue() const {
    return IsValid() ? m_pOwner->m_text.data() + m_pOwner->m_elements[m_nIndex].nData : "";
}

// The parser packed the attributes as name\0value\0 pairs right behind the
// element name's NUL, up to the data offset or the first fill byte.
void CXmlNode::MapAttributes() const {
    m_nAttributes = 0;
    if (!IsValid()) {
        return;
    }
    const char* text = m_pOwner->m_text.data();
    const char* name = GetName();
    const char* p = name + std::strlen(name) + 1;
    const char* end = text + m_pOwner->m_elements[m_nIndex].nData;
    while (p < end && *p != kXmlFill && m_nAttributes < kMaxAttributes) {
        const char* value = p + std::strlen(p) + 1;
        m_aAttributes[m_nAttributes].nName = static_cast<uint32_t>(p - text);
        m_aAttributes[m_nAttributes].nValue = static_cast<uint32_t>(value - text);
        ++m_nAttributes;
        p = value + std::strlen(value) + 1;
    }
}

int CXmlNode::GetAttributeCount() const {
    if (m_nAttributes < 0) {
        MapAttributes();
    }
    return m_nAttributes;
}

bool CXmlNode::HasAttributes() const { return GetAttributeCount() > 0; }

const char* CXmlNode::GetAttributeName(int index) const {
    if (index < 0 || index >= GetAttributeCount()) {
        return "";
    }
    return m_pOwner->m_text.data() + m_aAttributes[index].nName;
}

const char* CXmlNode::GetAttributeValue(int index) const {
    if (index < 0 || index >= GetAttributeCount()) {
        return "";
    }
    return m_pOwner->m_text.data() + m_aAttributes[index].nValue;
}

const char* CXmlNode::GetAttributeValue(const char* name) const {
    const int count = GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(GetAttributeName(i), name) == 0) {
            return GetAttributeValue(i);
        }
    }
    return "";
}

bool CXmlNode::HasAttribute(const char* name) const {
    const int count = GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(GetAttributeName(i), name) == 0) {
            return true;
        }
    }
    return false;
}

bool CXmlNode::GetAttributeValue(const char* name, char* value, size_t size) const {
    value[0] = '\0';
    if (!HasAttribute(name)) {
        return false;
    }
    const char* text = GetAttributeValue(name);
    size_t length = 0;
    for (const char* p = text; *p != '\0';) {
        const char* next = UICharNext(p);
        if (static_cast<size_t>(next - text) > size - 1) {
            break;
        }
        p = next;
        length = static_cast<size_t>(p - text);
    }
    std::memcpy(value, text, length);
    value[length] = '\0';
    return true;
}

}  // namespace Vellum
