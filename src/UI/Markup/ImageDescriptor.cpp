#include "UI/Markup/ImageDescriptor.h"

#include <cstring>

#include "UI/Base/CharStep.h"
#include "UI/Markup/ValueParse.h"

namespace Vellum {
namespace {

bool IsBlank(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x01 && u <= 0x20;
}

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) {
        ++p;
    }
    return p;
}

// Reads one key='value' pair at *cursor (after any blanks). On success moves the
// cursor past the closing quote.
bool ReadPair(const char** cursor, CUIString* key, CUIString* value) {
    const char* p = SkipBlanks(*cursor);
    const char* keyBegin = p;
    while (*p != '\0' && *p != '=' && !IsBlank(*p)) {
        p = UICharNext(p);
    }
    const char* keyEnd = p;
    p = SkipBlanks(p);
    if (keyEnd == keyBegin || *p != '=') {
        return false;
    }
    p = SkipBlanks(p + 1);
    if (*p != '\'') {
        return false;
    }
    const char* valueBegin = ++p;
    while (*p != '\0' && *p != '\'') {
        p = UICharNext(p);
    }
    if (*p != '\'') {
        return false;
    }
    key->Assign(keyBegin, static_cast<int>(keyEnd - keyBegin));
    value->Assign(valueBegin, static_cast<int>(p - valueBegin));
    *cursor = p + 1;
    return true;
}

class DescriptorReader {
public:
    // Reads one string of pairs; false when it held no pair at all.
    bool ReadPairs(const char* text) {
        const char* p = text;
        bool any = false;
        CUIString key;
        CUIString value;
        while (*SkipBlanks(p) != '\0' && ReadPair(&p, &key, &value)) {
            any = true;
            Apply(key, value);
            // Pairs are separated by blanks; anything else ends the list.
            if (*p != '\0' && !IsBlank(*p)) {
                break;
            }
        }
        return any;
    }

    void SetPlainName(const char* name) { m_current.strFile = name; }

    std::vector<UIImageDescriptor> Finish() {
        if (!m_current.strFile.IsEmpty()) {
            m_images.push_back(m_current);
        }
        return std::move(m_images);
    }

private:
    void Apply(const CUIString& key, const CUIString& value) {
        if (key == "file" || key == "res") {
            if (!m_current.strFile.IsEmpty()) {
                m_images.push_back(m_current);
            }
            m_current.strFile = value;
        } else if (key == "restype") {
            m_current.strResType = value;
        } else if (key == "dest") {
            m_current.rcDest = ParseRect(value);
            m_current.bDest = true;
        } else if (key == "source") {
            m_current.rcSource = ParseRect(value);
            m_current.bSource = true;
        } else if (key == "corner") {
            m_current.rcCorner = ParseRect(value);
        } else if (key == "mask") {
            m_current.dwMask = ParseColor(value);
            m_current.bMask = true;
        } else if (key == "fade") {
            const int fade = ParseInt(value);
            m_current.nFade = fade < 0 ? 0 : fade > 255 ? 255 : fade;
        } else if (key == "hole") {
            m_current.bHole = ParseBool(value);
        } else if (key == "xtiled") {
            m_current.bXTiled = ParseBool(value);
        } else if (key == "ytiled") {
            m_current.bYTiled = ParseBool(value);
        }
    }

    UIImageDescriptor m_current;
    std::vector<UIImageDescriptor> m_images;
};

}  // namespace

std::vector<UIImageDescriptor> ParseImageDescriptor(const char* descriptor, const char* modifier) {
    DescriptorReader reader;
    const char* text = descriptor != nullptr ? descriptor : "";
    if (!reader.ReadPairs(text)) {
        reader.SetPlainName(text);
    }
    if (modifier != nullptr) {
        reader.ReadPairs(modifier);
    }
    return reader.Finish();
}

}  // namespace Vellum
