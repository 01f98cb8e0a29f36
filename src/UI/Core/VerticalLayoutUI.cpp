#include "UI/Core/VerticalLayoutUI.h"

#include <cstring>

namespace Vellum {

const char* CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

void* CVerticalLayoutUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "VerticalLayout") == 0) return this;
    return CBoxLayoutUI::GetInterface(pstrName);
}

}  // namespace Vellum
