// CUIManager: fonts and the image cache.
#include <cstdio>
#include <cstring>
#include <utility>

#include "UI/Core/UIManager.h"
#include "UI/Render/ImageDecode.h"

namespace Vellum {

namespace {

// A font from the stock GUI font's metrics with the given face, size and styles.
// Its handle is null when GDI refuses the font.
CGdiObject<HFONT> MakeFont(TFontInfo& info, const char* pstrFace, int nSize, bool bBold, bool bUnderline,
                           bool bItalic) {
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    if (pstrFace) {
        std::strncpy(lf.lfFaceName, pstrFace, LF_FACESIZE - 1);
        lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -nSize;
    if (bBold) lf.lfWeight += FW_BOLD;
    if (bUnderline) lf.lfUnderline = TRUE;
    if (bItalic) lf.lfItalic = TRUE;
    CGdiObject<HFONT> font(::CreateFontIndirectA(&lf));
    info = TFontInfo();
    info.hFont = font.Get();
    info.sFontName = lf.lfFaceName;
    info.iSize = nSize;
    info.bBold = bBold;
    info.bUnderline = bUnderline;
    info.bItalic = bItalic;
    return font;
}

std::string ImageKey(const char* pstrName, DWORD dwMask) {
    std::string key = pstrName ? pstrName : "";
    if (dwMask) {
        char suffix[16];
        std::snprintf(suffix, sizeof(suffix), "#%08lX", static_cast<unsigned long>(dwMask));
        key += suffix;
    }
    return key;
}

}  // namespace

void CUIManager::CreateDefaultFont() {
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    const int size = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    m_defaultFont.handle = MakeFont(m_defaultFont.info, lf.lfFaceName, size, false, false, false);
}

int CUIManager::AddFont(const char* pstrFace, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    TOwnedFont font;
    font.handle = MakeFont(font.info, pstrFace, nSize, bBold, bUnderline, bItalic);
    m_fonts.push_back(std::move(font));
    return static_cast<int>(m_fonts.size()) - 1;
}

void CUIManager::SetDefaultFont(const char* pstrFace, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    TOwnedFont font;
    font.handle = MakeFont(font.info, pstrFace, nSize, bBold, bUnderline, bItalic);
    if (!font.handle) return;  // the old default stays usable
    m_defaultFont = std::move(font);
}

HFONT CUIManager::GetFont(int index) { return GetFontInfo(index).hFont; }

const TFontInfo& CUIManager::GetFontInfo(int index) {
    TFontInfo& font = (index >= 0 && index < GetFontCount()) ? m_fonts[index].info : m_defaultFont.info;
    // Metrics are read lazily: the manager may not have a DC when the font is added.
    if (font.tm.tmHeight == 0 && m_dcPaint.Get()) {
        CSelectObject selected(m_dcPaint.Get(), font.hFont);
        ::GetTextMetricsA(m_dcPaint.Get(), &font.tm);
    }
    return font;
}

const TImageInfo* CUIManager::GetImage(const char* pstrName, DWORD dwMask) {
    auto it = m_mImageHash.find(ImageKey(pstrName, dwMask));
    if (it != m_mImageHash.end()) return &it->second->info;
    return m_pParentResourceManager ? m_pParentResourceManager->GetImage(pstrName, dwMask) : nullptr;
}

const TImageInfo* CUIManager::GetImageEx(const char* pstrName, const char* pstrType, DWORD dwMask) {
    if (const TImageInfo* image = GetImage(pstrName, dwMask)) return image;
    return AddImage(pstrName, pstrType, dwMask);
}

// Images come from the skin folder. Module resources ("restype") are not a
// source this program uses; such an image is looked up as a file all the same.
const TImageInfo* CUIManager::AddImage(const char* pstrName, const char*, DWORD dwMask) {
    if (!pstrName || !*pstrName) return nullptr;
    const std::string key = ImageKey(pstrName, dwMask);
    auto it = m_mImageHash.find(key);
    if (it != m_mImageHash.end()) return &it->second->info;
    const std::string path = GetSkinPath() + pstrName;
    CDecodedImage decoded;
    if (!DecodeImageFile(path.c_str(), dwMask, decoded)) return nullptr;  // the decoder logged why
    auto image = std::make_unique<TCachedImage>();
    image->info.nX = decoded.GetWidth();
    image->info.nY = decoded.GetHeight();
    image->info.bAlpha = decoded.HasAlpha();
    image->info.dwMask = dwMask;
    image->handle.Reset(decoded.Release());
    image->info.hBitmap = image->handle.Get();
    const TImageInfo* result = &image->info;
    m_mImageHash[key] = std::move(image);
    return result;
}

}  // namespace Vellum
