// CCheckBoxUI: an option with its own class name, used on its own (no group)
// so that every activation toggles it. Its default glyph strip is
// "Default_Checkbox.png" (unchecked, hot, checked, disabled).
#pragma once

#include "UI/Control/OptionUI.h"

namespace Vellum {

class CCheckBoxUI : public COptionUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;

protected:
    const char* GetDefaultGlyph() const override;
};

}  // namespace Vellum
