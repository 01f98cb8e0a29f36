#include "UI/Core/ImageAttribute.h"

namespace Vellum {

CImageAttribute::CImageAttribute(const char* pstrText) { *this = pstrText; }

CImageAttribute& CImageAttribute::operator=(const char* pstrText) {
    const char* text = pstrText ? pstrText : "";
    if (m_strText == text) return *this;
    m_strText = text;
    m_images = ParseImageDescriptor(text);
    return *this;
}

void CImageAttribute::Empty() {
    m_strText.Empty();
    m_images.clear();
}

}  // namespace Vellum
