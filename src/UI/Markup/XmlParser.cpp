// The in-place parser of CXmlDocument.
//
// Everything the parser cuts out (names, attribute values, data text) is written
// one byte or more to the left of where it was read, into delimiters already
// consumed ("<", blanks, "=", quotes, ">"). So the byte under the read cursor is
// always the original one: error locations show the text as written, and the
// cursor's delimiters survive for the steps that still need them.
//
// Element layout after parsing, for <Name a="1" b="&amp;">data</Name>:
//   Name\0 a\0 1\0 b\0 &\0 <fill> data\0 ...
// The attribute pairs are packed name\0value\0 right behind the element name,
// and the rest of the tag up to the data is filled with kFill, which no name
// starts with; CXmlNode maps the pairs back from there on demand.
#include <cstring>
#include <vector>

#include "UI/Base/CharStep.h"
#include "UI/Markup/XmlDocument.h"
#include "UI/Markup/XmlText.h"

namespace Vellum {
namespace {

// A level of open elements: the parent of the elements read at this level and
// the last of them so far (0 = none yet).
struct Level {
    uint32_t nParent;
    uint32_t nPrevious;
};

char* SkipSpace(char* p) {
    while (IsXmlSpace(*p)) {
        ++p;
    }
    return p;
}

char* Next(char* p) { return const_cast<char*>(UICharNext(p)); }

char* SkipIdentifier(char* p) {
    while (IsXmlIdentifierChar(p)) {
        p = Next(p);
    }
    return p;
}

// The first `marker` (two single-byte characters) at a character boundary, or
// the terminating NUL.
char* FindMarker(char* p, const char* marker) {
    while (*p != '\0' && !(p[0] == marker[0] && p[1] == marker[1])) {
        p = Next(p);
    }
    return p;
}

// Moves the run [begin, end) one byte to the left and NUL-terminates it there;
// returns where it now starts.
char* ShiftLeft(char* begin, char* end) {
    std::memmove(begin - 1, begin, static_cast<size_t>(end - begin));
    end[-1] = '\0';
    return begin - 1;
}

}  // namespace

uint32_t CXmlDocument::NewElement(uint32_t parent, uint32_t previous) {
    // Grow in large steps: half the present size plus 500 records.
    if (m_elements.size() == m_elements.capacity()) {
        m_elements.reserve(m_elements.capacity() + m_elements.capacity() / 2 + 500);
    }
    const uint32_t index = static_cast<uint32_t>(m_elements.size());
    m_elements.push_back(Element{0, 0, 0, parent, 0});
    if (previous != 0) {
        m_elements[previous].nSibling = index;
    } else if (parent != 0) {
        m_elements[parent].nChild = index;
    }
    return index;
}

bool CXmlDocument::Parse() {
    m_elements.clear();
    NewElement(0, 0);  // record 0: the dummy, so that 0 can mean "none"

    std::vector<Level> levels{{0, 0}};
    char* p = m_text.data();
    for (;;) {
        p = SkipSpace(p);
        if (*p == '\0') {
            // The root (or a child of it) may stay open at the end.
            if (levels.back().nParent <= 1) {
                return true;
            }
            return Fail("Expected start tag", p);
        }
        if (*p != '<') {
            return Fail("Expected start tag", p);
        }
        if (p[1] == '/') {
            // "</" ends this level; it closes the level's parent element.
            const uint32_t element = levels.back().nParent;
            if (element == 0) {
                return true;
            }
            levels.pop_back();
            if (!CloseElement(element, &p)) {
                return false;
            }
            levels.back().nPrevious = element;
            continue;
        }
        p = SkipSpace(p + 1);
        if (*p == '!' || *p == '?') {
            char* end = FindMarker(p + 1, *p == '!' ? "->" : "?>");
            p = *end != '\0' ? end + 2 : end;
            continue;
        }

        const uint32_t parent = levels.back().nParent;
        const uint32_t element = NewElement(parent, levels.back().nPrevious);
        levels.back().nPrevious = element;

        char* name = p;
        p = SkipIdentifier(p);
        if (*p == '\0') {
            return Fail("Error parsing element name", p);
        }
        m_elements[element].nName = Offset(ShiftLeft(name, p));
        if (IsXmlSpace(*p) && !ParseAttributes(&p)) {
            return false;
        }
        p = SkipSpace(p);
        if (p[0] == '/' && p[1] == '>') {
            *p = '\0';  // the empty data text
            m_elements[element].nData = Offset(p);
            p += 2;
            continue;
        }
        if (*p != '>') {
            return Fail("Expected start-tag closing", p);
        }
        // The data text moves one byte left, over the ">".
        m_elements[element].nData = Offset(p);
        p = ReadData(p + 1, p, '<');
        if (*p == '\0') {
            if (parent <= 1) {
                return true;
            }
            return Fail("Expected end-tag start", p);
        }
        if (*p != '<') {
            return Fail("Expected end-tag start", p);
        }
        if (p[1] == '/') {
            if (!CloseElement(element, &p)) {
                return false;
            }
            continue;
        }
        levels.push_back(Level{element, 0});
    }
}

// `*cursor` is at the blank after the element name. Reads the attributes up to
// ">", "/" or the end of the text, packing them as name\0value\0 from the
// cursor on, and fills what is left of the tag with kFill.
bool CXmlDocument::ParseAttributes(char** cursor) {
    char* out = *cursor;
    char* p = SkipSpace(*cursor);
    while (*p != '\0' && *p != '>' && *p != '/') {
        char* name = p;
        char* nameEnd = SkipIdentifier(p);
        p = SkipSpace(nameEnd);
        if (*p != '=') {
            return Fail("Error while parsing attributes", p);
        }
        p = SkipSpace(p + 1);
        if (*p != '"') {
            return Fail("Expected attribute value", p);
        }
        // Everything up to the quote is consumed, so the name may now move.
        const size_t nameLength = static_cast<size_t>(nameEnd - name);
        std::memmove(out, name, nameLength);
        out[nameLength] = '\0';
        out += nameLength + 1;

        char* end = ReadData(p + 1, out, '"');
        if (*end != '"') {
            return Fail("Error while parsing attribute string", end);
        }
        out += std::strlen(out) + 1;
        p = SkipSpace(end + 1);
    }
    std::memset(out, kXmlFill, static_cast<size_t>(p - out));
    *cursor = p;
    return true;
}

// `*cursor` is at "</" of `element`'s end tag. On success it is moved past ">".
bool CXmlDocument::CloseElement(uint32_t element, char** cursor) {
    const char* name = m_text.data() + m_elements[element].nName;
    const size_t length = std::strlen(name);
    char* p = SkipSpace(*cursor + 2);
    if (std::strncmp(p, name, length) != 0) {
        return Fail("Unmatched closing tag", p);
    }
    p = SkipSpace(p + length);
    if (*p != '>') {
        return Fail("Unmatched closing tag", p);
    }
    *cursor = p + 1;
    return true;
}

// Copies the text from `in` up to `terminator` (or the NUL) to `out` with
// entities replaced, NUL-terminates it and fills the bytes it freed with
// spaces. Returns the position of the terminator (or the NUL).
// REQUIRES: out < in.
char* CXmlDocument::ReadData(char* in, char* out, char terminator) {
    static const struct {
        const char* pstrText;
        size_t nLength;
        char ch;
    } kEntities[] = {{"&amp;", 5, '&'}, {"&lt;", 4, '<'}, {"&gt;", 4, '>'}, {"&quot;", 6, '"'}, {"&apos;", 6, '\''}};

    while (*in != '\0' && *in != terminator) {
        if (*in == '&') {
            char ch = '&';
            size_t length = 1;
            for (const auto& entity : kEntities) {
                if (std::strncmp(in, entity.pstrText, entity.nLength) == 0) {
                    ch = entity.ch;
                    length = entity.nLength;
                    break;
                }
            }
            *out++ = ch;
            in += length;
            continue;
        }
        if (*in == ' ') {
            *out++ = *in++;
            if (!m_bPreserveWhitespace) {
                in = SkipSpace(in);
            }
            continue;
        }
        char* next = Next(in);
        while (in < next) {
            *out++ = *in++;
        }
    }
    *out = '\0';
    for (char* fill = out + 1; fill < in; ++fill) {
        *fill = ' ';
    }
    return in;
}

}  // namespace Vellum
