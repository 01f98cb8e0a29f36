// CUIManager: fonts and the image cache.
#include <cstdio>
#include <cstring>

#include "UI/Core/UIManager.h"
#include "UI/Render/ImageDecode.h"

namespace Vellum {

namespace {

// A font from the stock GUI font's metrics with the given face, size and styles.
TFontInfo MakeFont(const char* pstrFace, int nSize, bool bBold, bool bUnderline, bool bItalic) {
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
    TFontInfo info;
    info.hFont = ::CreateFontIndirectA(&lf);
    info.sFontName = lf.lfFaceName;
    info.iSize = nSize;
    info.bBold = bBold;
    info.bUnderline = bUnderline;
    info.bItalic = bItalic;
    return info;
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
    m_defaultFont = MakeFont(lf.lfFaceName, lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, false, false, false);
}

int CUIManager::AddFont(const char* pstrFace, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    m_fonts.push_back(MakeFont(pstrFace, nSize, bBold, bUnderline, bItalic));
    return static_cast<int>(m_fonts.size()) - 1;
}

void CUIManager::SetDefaultFont(const char* pstrFace, int nSize, bool bBold, bool bUnderline, bool bItalic) {
    TFontInfo font = MakeFont(pstrFace, nSize, bBold, bUnderline, bItalic);
    if (!font.hFont) return;
    ::DeleteObject(m_defaultFont.hFont);
    m_defaultFont = font;
}

HFONT CUIManager::GetFont(int index) { return GetFontInfo(index).hFont; }

const TFontInfo& CUIManager::GetFontInfo(int index) {
    TFontInfo& font = (index >= 0 && index < GetFontCount()) ? m_fonts[index] : m_defaultFont;
    // Metrics are read lazily: the manager may not have a DC when the font is added.
    if (font.tm.tmHeight == 0 && m_hDcPaint) {
        HGDIOBJ old = ::SelectObject(m_hDcPaint, font.hFont);
        ::GetTextMetricsA(m_hDcPaint, &font.tm);
        ::SelectObject(m_hDcPaint, old);
    }
    return font;
}

const TImageInfo* CUIManager::GetImage(const char* pstrName, DWORD dwMask) {
    auto it = m_mImageHash.find(ImageKey(pstrName, dwMask));
    if (it != m_mImageHash.end()) return it->second.get();
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
    if (it != m_mImageHash.end()) return it->second.get();
    const std::string path = GetSkinPath() + pstrName;
    CDecodedImage decoded;
    if (!DecodeImageFile(path.c_str(), dwMask, decoded)) return nullptr;  // the decoder logged why
    auto info = std::make_unique<TImageInfo>();
    info->nX = decoded.GetWidth();
    info->nY = decoded.GetHeight();
    info->bAlpha = decoded.HasAlpha();
    info->dwMask = dwMask;
    info->hBitmap = decoded.Release();
    const TImageInfo* result = info.get();
    m_mImageHash[key] = std::move(info);
    return result;
}

void CUIManager::RemoveAllImages() {
    for (auto& entry : m_mImageHash) ::DeleteObject(entry.second->hBitmap);
    m_mImageHash.clear();
}

}  // namespace Vellum
