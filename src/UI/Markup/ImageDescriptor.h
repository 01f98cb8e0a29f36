// Image descriptors: how an image attribute ("bkimage", "normalimage", ...) says
// which image to draw and how. The value is either a plain image name:
//
//     Default_Shadow.png
//
// or pairs key='value' (blanks allowed around "=", pairs separated by blanks):
//
//     file='Default_Checkbox.png' source='32,0,48,16' dest='10,2,26,18'
//
// Keys: "file" or "res" (image name), "restype" (resource type when the image
// is a module resource), "dest" (rectangle relative to the control's left/top),
// "source" (rectangle of the image), "corner" (nine-grid corner sizes), "mask"
// (colour drawn transparent), "fade" (constant alpha 0..255), "hole" (nine-grid
// centre not drawn), "xtiled", "ytiled" (tile instead of stretching). Unknown
// keys are ignored. Reading stops silently at the first malformed pair.
//
// A second "file" (or "res") finishes the image collected so far and starts
// another, which begins with the settings of the previous one. The control's
// own modifier string (a computed "dest", say) is read after the descriptor with
// the same pair syntax and so overrides it; a modifier that is no pair list is
// ignored.
#pragma once

#include <cstdint>
#include <vector>

#include "UI/Base/UITypes.h"
#include "UI/Base/UIString.h"

namespace Vellum {

struct UIImageDescriptor {
    CUIString strFile;     // image name, as the manager's image cache knows it
    CUIString strResType;  // "" unless the image is a module resource
    UIRect rcDest;         // where to draw, when bDest; else the whole control
    bool bDest = false;
    UIRect rcSource;  // part of the image, when bSource; else all of it
    bool bSource = false;
    UIRect rcCorner;      // nine-grid corners; all 0: plain stretching
    uint32_t dwMask = 0;  // colour drawn transparent, when bMask
    bool bMask = false;
    int nFade = 255;  // constant alpha
    bool bHole = false;
    bool bXTiled = false;
    bool bYTiled = false;
};

// The images `descriptor` (with `modifier` after it; either may be null) draws,
// in drawing order: usually one, none when no image name results.
std::vector<UIImageDescriptor> ParseImageDescriptor(const char* descriptor, const char* modifier = nullptr);

}  // namespace Vellum
