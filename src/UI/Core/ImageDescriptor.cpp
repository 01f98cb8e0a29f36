#include "UI/Core/ImageDescriptor.h"

#include <cstdlib>
#include <cstring>

#include "UI/Core/ValueParse.h"

namespace Vellum {

namespace {

void ApplyKey(TImageItem& item, const std::string& key, const std::string& value) {
    const char* v = value.c_str();
    if (key == "restype") item.strResType = value;
    else if (key == "dest") item.draw.rcDest = ParseRectValue(v);
    else if (key == "source") item.draw.rcSource = ParseRectValue(v);
    else if (key == "corner") item.draw.rcCorner = ParseRectValue(v);
    else if (key == "mask") item.dwMask = ParseColorValue(v);
    else if (key == "fade") item.draw.uFade = static_cast<BYTE>(std::atoi(v));
    else if (key == "hole") item.draw.bHole = ParseBoolValue(v);
    else if (key == "xtiled") item.draw.bTiledX = ParseBoolValue(v);
    else if (key == "ytiled") item.draw.bTiledY = ParseBoolValue(v);
}

void SkipBlanks(const char*& p) {
    while (*p > '\0' && *p <= ' ') ++p;
}

// Reads pairs from p into items; the last item collects keys until a second
// "file" appears.
void ReadPairs(const char* p, std::vector<TImageItem>& items) {
    while (*p) {
        SkipBlanks(p);
        const char* keyStart = p;
        while (*p && *p != '=' && *p > ' ') ++p;
        const std::string key(keyStart, p);
        SkipBlanks(p);
        if (*p != '=') return;
        ++p;
        SkipBlanks(p);
        if (*p != '\'') return;
        const char* valueStart = ++p;
        while (*p && *p != '\'') ++p;
        if (*p != '\'') return;
        const std::string value(valueStart, p);
        ++p;
        if (key == "file" || key == "res") {
            if (items.empty() || !items.back().strFile.empty()) items.emplace_back();
            items.back().strFile = value;
        } else {
            if (items.empty()) items.emplace_back();
            ApplyKey(items.back(), key, value);
        }
    }
}

}  // namespace

std::vector<TImageItem> ParseImageDescriptor(const char* pstrImage, const char* pstrModify) {
    std::vector<TImageItem> items;
    if (!pstrImage || !*pstrImage) return items;
    if (!std::strchr(pstrImage, '=')) {
        items.emplace_back();
        items.back().strFile = pstrImage;
    } else {
        ReadPairs(pstrImage, items);
    }
    if (pstrModify && *pstrModify && !items.empty()) {
        // The modifier's keys land on the last image named and override it.
        ReadPairs(pstrModify, items);
    }
    return items;
}

}  // namespace Vellum
