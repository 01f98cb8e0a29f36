#include "UI/Markup/AttributeList.h"

#include "UI/Base/CharStep.h"

namespace Vellum {
namespace {

bool EndsName(char c) { return c == '\0' || c == '=' || c == ' ' || c == '"'; }

}  // namespace

std::vector<UIAttribute> ParseAttributeList(const char* list) {
    std::vector<UIAttribute> pairs;
    const char* p = list != nullptr ? list : "";
    while (*p != '\0') {
        const char* name = p;
        while (!EndsName(*p)) {
            p = UICharNext(p);
        }
        if (p == name || p[0] != '=' || p[1] != '"') {
            break;
        }
        const char* nameEnd = p;
        const char* value = p + 2;
        p = value;
        while (*p != '\0' && *p != '"') {
            p = UICharNext(p);
        }
        if (*p != '"') {
            break;
        }
        UIAttribute pair;
        pair.strName.Assign(name, static_cast<int>(nameEnd - name));
        pair.strValue.Assign(value, static_cast<int>(p - value));
        pairs.push_back(std::move(pair));
        ++p;
        if (*p == '\0') {
            break;
        }
        if (*p != ' ') {
            break;
        }
        ++p;
    }
    return pairs;
}

}  // namespace Vellum
