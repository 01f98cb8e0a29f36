// HTML-styled text: a small tag language for bold, italic, underline, colour
// and links. The text is cut into pieces (one word, one space or one
// double-byte character), laid out line by line, then drawn with the
// alignment the style asks for.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "UI/Render/GdiHandles.h"
#include "UI/Render/RenderEngine.h"
#include "comm/platform/CharNext936.h"

namespace Vellum {

namespace {

struct TStyle {
    bool bBold = false;
    bool bItalic = false;
    bool bUnderline = false;
    DWORD dwColor = 0;
    int nLink = -1;  // index into the link targets, -1 outside a link
};

struct TPiece {
    std::string strText;
    TStyle style;
    bool bBreak = false;  // a forced line break, no text
    bool bSpace = false;
    int x = 0, cx = 0, nLine = 0;
};

// Fonts for the eight style combinations, made from the base font on demand.
class CStyleFonts {
public:
    explicit CStyleFonts(HFONT hBase) {
        LOGFONTA lf = {};
        ::GetObjectA(hBase ? hBase : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        m_base = lf;
    }
    HFONT Get(const TStyle& s) {
        const int i = (s.bBold ? 1 : 0) | (s.bItalic ? 2 : 0) | (s.bUnderline ? 4 : 0);
        if (!m_fonts[i]) {
            LOGFONTA lf = m_base;
            if (s.bBold) lf.lfWeight = FW_BOLD;
            if (s.bItalic) lf.lfItalic = TRUE;
            if (s.bUnderline) lf.lfUnderline = TRUE;
            m_fonts[i].Reset(::CreateFontIndirectA(&lf));
        }
        return m_fonts[i].Get();
    }

private:
    LOGFONTA m_base;
    CGdiObject<HFONT> m_fonts[8];
};

// Reads "#AARRGGBB" or "#RRGGBB" (the latter opaque).
DWORD ParseTagColor(const char* p) {
    while (*p == ' ') ++p;
    if (*p == '#') ++p;
    char* end = nullptr;
    const DWORD value = static_cast<DWORD>(std::strtoul(p, &end, 16));
    return (end - p) <= 6 ? (value | 0xFF000000) : value;
}

// Applies one known tag to the style stack; false when the tag is unknown.
bool ApplyTag(const std::string& tag, std::vector<TStyle>& stack, std::vector<TPiece>& pieces,
              std::vector<std::string>& links) {
    TStyle s = stack.back();
    if (tag == "n") {
        TPiece br;
        br.bBreak = true;
        pieces.push_back(br);
        return true;
    }
    if (!tag.empty() && tag[0] == '/') {
        const std::string name = tag.substr(1);
        if (name != "b" && name != "i" && name != "u" && name != "c" && name != "a") return false;
        if (stack.size() > 1) stack.pop_back();
        return true;
    }
    if (tag == "b") {
        s.bBold = true;
    } else if (tag == "i") {
        s.bItalic = true;
    } else if (tag == "u") {
        s.bUnderline = true;
    } else if (tag.size() > 1 && tag[0] == 'c' && tag[1] == ' ') {
        s.dwColor = ParseTagColor(tag.c_str() + 2);
    } else if (tag == "a" || (tag.size() > 1 && tag[0] == 'a' && tag[1] == ' ')) {
        links.push_back(tag.size() > 2 ? tag.substr(2) : std::string());
        s.nLink = static_cast<int>(links.size()) - 1;
    } else {
        return false;
    }
    stack.push_back(s);
    return true;
}

// Bytes of the character at p[i], never past the end of the n bytes: a lead
// byte that is the last of them (its trail is a tag's '<' or the end of the
// text) stands alone.
size_t CharSizeWithin(const char* p, size_t i, size_t n) {
    const size_t size = static_cast<size_t>(platform::CharNext936(p + i) - (p + i));
    return size == 0 ? 1 : std::min(size, n - i);
}

void AppendText(std::vector<TPiece>& pieces, const TStyle& style, const char* p, size_t n) {
    size_t i = 0;
    while (i < n) {
        TPiece piece;
        piece.style = style;
        const unsigned char ch = static_cast<unsigned char>(p[i]);
        const size_t size = CharSizeWithin(p, i, n);
        if (ch == '\n' || ch == '\r') {
            if (ch == '\r' && i + 1 < n && p[i + 1] == '\n') ++i;
            piece.bBreak = true;
            ++i;
        } else if (ch == ' ') {
            piece.strText = " ";
            piece.bSpace = true;
            ++i;
        } else if (size > 1) {
            piece.strText.assign(p + i, size);
            i += size;
        } else {
            // A word: single-byte characters up to a space, a line break or a
            // double-byte character (lines may break beside each of those).
            size_t j = i + 1;
            while (j < n && p[j] != ' ' && p[j] != '\n' && p[j] != '\r' && CharSizeWithin(p, j, n) == 1) ++j;
            piece.strText.assign(p + i, j - i);
            i = j;
        }
        pieces.push_back(piece);
    }
}

std::vector<TPiece> Parse(const char* text, DWORD dwTextColor, std::vector<std::string>& links) {
    std::vector<TPiece> pieces;
    std::vector<TStyle> stack(1);
    stack[0].dwColor = dwTextColor;
    const char* p = text;
    while (*p) {
        const char* lt = std::strchr(p, '<');
        const char* gt = lt ? std::strchr(lt, '>') : nullptr;
        if (!lt || !gt) {
            AppendText(pieces, stack.back(), p, std::strlen(p));
            break;
        }
        AppendText(pieces, stack.back(), p, lt - p);
        const std::string tag(lt + 1, gt);
        if (!ApplyTag(tag, stack, pieces, links)) AppendText(pieces, stack.back(), lt, gt + 1 - lt);
        p = gt + 1;
    }
    return pieces;
}

}  // namespace

void CRenderEngine::DrawHtmlText(HDC hDC, HFONT hFont, RECT& rc, const char* pstrText, DWORD dwTextColor,
                                 DWORD dwLinkColor, std::vector<THtmlLink>* pLinks, UINT uStyle, int iHoverLink,
                                 DWORD dwHoverLinkColor) {
    if (pLinks) pLinks->clear();
    if (!pstrText) pstrText = "";
    std::vector<std::string> targets;
    std::vector<TPiece> pieces = Parse(pstrText, dwTextColor, targets);
    CStyleFonts fonts(hFont);

    // Layout: place pieces on lines; a piece that does not fit starts a new
    // line unless it is the first of its line or the text is single-line.
    const bool bSingle = (uStyle & DT_SINGLELINE) != 0;
    const int width = rc.right - rc.left;
    std::vector<int> lineWidth(1, 0);
    int lineHeight = 0;
    int x = 0, line = 0;
    for (TPiece& piece : pieces) {
        if (piece.bBreak) {
            if (bSingle) continue;
            ++line;
            x = 0;
            lineWidth.push_back(0);
            continue;
        }
        CSelectObject sel(hDC, fonts.Get(piece.style));
        SIZE sz = {0, 0};
        ::GetTextExtentPoint32A(hDC, piece.strText.c_str(), static_cast<int>(piece.strText.size()), &sz);
        TEXTMETRICA tm;
        ::GetTextMetricsA(hDC, &tm);
        lineHeight = std::max<int>(lineHeight, tm.tmHeight);
        if (!bSingle && x > 0 && x + sz.cx > width) {
            ++line;
            x = 0;
            lineWidth.push_back(0);
            if (piece.bSpace) continue;  // a wrapped line does not start with a blank
        }
        piece.x = x;
        piece.cx = sz.cx;
        piece.nLine = line;
        x += sz.cx;
        lineWidth[line] = x;
    }
    if (lineHeight == 0) {
        CSelectObject sel(hDC, fonts.Get(TStyle()));
        TEXTMETRICA tm;
        ::GetTextMetricsA(hDC, &tm);
        lineHeight = tm.tmHeight;
    }
    const int totalHeight = lineHeight * static_cast<int>(lineWidth.size());
    if (uStyle & DT_CALCRECT) {
        rc.right = rc.left + *std::max_element(lineWidth.begin(), lineWidth.end());
        rc.bottom = rc.top + totalHeight;
        return;
    }

    int top = rc.top;
    if (uStyle & DT_VCENTER) top = rc.top + (rc.bottom - rc.top - totalHeight) / 2;
    if (uStyle & DT_BOTTOM) top = rc.bottom - totalHeight;
    CSaveDC saved(hDC);
    ::IntersectClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    ::SetBkMode(hDC, TRANSPARENT);
    for (const TPiece& piece : pieces) {
        if (piece.bBreak || piece.strText.empty()) continue;
        int left = rc.left;
        if (uStyle & DT_CENTER) left += (width - lineWidth[piece.nLine]) / 2;
        if (uStyle & DT_RIGHT) left += width - lineWidth[piece.nLine];
        const int px = left + piece.x;
        const int py = top + piece.nLine * lineHeight;
        TStyle style = piece.style;
        if (style.nLink >= 0) {
            style.bUnderline = true;
            DWORD color = dwLinkColor;
            if (style.nLink == iHoverLink && (dwHoverLinkColor >> 24)) color = dwHoverLinkColor;
            if (color >> 24) style.dwColor = color;
        }
        CSelectObject sel(hDC, fonts.Get(style));
        ::SetTextColor(hDC, ToColorRef(style.dwColor));
        ::TextOutA(hDC, px, py, piece.strText.c_str(), static_cast<int>(piece.strText.size()));
        if (pLinks && style.nLink >= 0) {
            THtmlLink link;
            link.rc = {px, py, px + piece.cx, py + lineHeight};
            link.nIndex = style.nLink;
            link.strTarget = targets[style.nLink];
            pLinks->push_back(link);
        }
    }
}

}  // namespace Vellum
