// CListHeaderUI: the header of a list, a row of column items side by side.
// Without a fixed height it is as tall as its tallest item wants, or 28
// pixels.
#pragma once

#include "UI/Core/HorizontalLayoutUI.h"

namespace Vellum {

class CListHeaderUI : public CHorizontalLayoutUI {
public:
    const char* GetClass() const override;
    void* GetInterface(const char* pstrName) override;
    SIZE EstimateSize(SIZE szAvailable) override;
};

}  // namespace Vellum
