// Reads an image descriptor: a plain image name, or pairs key='value'
// separated by one space (keys file/res, restype, dest, source, corner, mask,
// fade, hole, xtiled, ytiled). A control's modifier string is read after the
// descriptor and overrides it. A second "file" starts another image.
#pragma once

#include <string>
#include <vector>

#include "UI/Render/RenderEngine.h"

namespace Vellum {

struct TImageItem {
    std::string strFile;
    std::string strResType;
    DWORD dwMask = 0;
    TImageDraw draw;
};

// Reading stops silently at the first deviation from the syntax.
std::vector<TImageItem> ParseImageDescriptor(const char* pstrImage, const char* pstrModify);

}  // namespace Vellum
