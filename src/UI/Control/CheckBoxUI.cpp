#include "UI/Control/CheckBoxUI.h"

#include <cstring>

namespace Vellum {

const char* CCheckBoxUI::GetClass() const { return "CheckBoxUI"; }

void* CCheckBoxUI::GetInterface(const char* pstrName) {
    if (std::strcmp(pstrName, "CheckBox") == 0) return static_cast<CCheckBoxUI*>(this);
    return COptionUI::GetInterface(pstrName);
}

const char* CCheckBoxUI::GetDefaultGlyph() const { return "Default_Checkbox.png"; }

}  // namespace Vellum
