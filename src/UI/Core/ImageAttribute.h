// CImageAttribute: the value of one image attribute ("bkimage", "normalimage",
// "sepimage", ...) together with the images its descriptor names. The
// descriptor is read when the value is set, never while painting: a paint
// only draws what was read.
//
// TImageModifier: a place a control works out at paint time (a progress
// bar's fill, a column's separator, a check box kept in the middle of its
// row). It overrides the "dest" (and "source") of the attribute's last
// image, as the same keys written after the descriptor would, without a
// text to build and read on every paint.
#pragma once

#include <vector>

#include "UI/Base/UIString.h"
#include "UI/Base/UITypes.h"
#include "UI/Markup/ImageDescriptor.h"

namespace Vellum {

class CImageAttribute {
public:
    CImageAttribute() = default;
    CImageAttribute(const char* pstrText);  // NOLINT: converts like the attribute's text
    // Stores the text (null as empty) and reads its descriptor; an unchanged
    // text is not read again.
    CImageAttribute& operator=(const char* pstrText);

    const CUIString& GetText() const { return m_strText; }
    bool IsEmpty() const { return m_strText.IsEmpty(); }
    // Forgets the text and its images.
    void Empty();
    // The images to draw, in drawing order; none when the text names no image.
    const std::vector<UIImageDescriptor>& GetImages() const { return m_images; }

private:
    CUIString m_strText;
    std::vector<UIImageDescriptor> m_images;
};

struct TImageModifier {
    bool bDest = false;
    UIRect rcDest;  // relative to the control's left/top
    bool bSource = false;
    UIRect rcSource;
};

}  // namespace Vellum
