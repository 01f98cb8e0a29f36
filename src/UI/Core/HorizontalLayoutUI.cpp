#include "UI/Core/HorizontalLayoutUI.h"

#include <cstring>

namespace Vellum {

const char* CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

void* CHorizontalLayoutUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "HorizontalLayout") == 0) return this;
    return CBoxLayoutUI::GetInterface(pstrName);
}

}  // namespace Vellum
