// A loaded document as one line, so parser cases compare whole trees:
// name[attr=value;...]'data'(child,child) for each element, top-level
// elements separated by ",".
#pragma once

#include <string>

#include "UI/Markup/XmlDocument.h"

namespace markuptest {

inline std::string DumpNode(const Vellum::CXmlNode& node) {
    std::string out = node.GetName();
    if (node.GetAttributeCount() > 0) {
        out += "[";
        for (int i = 0; i < node.GetAttributeCount(); ++i) {
            out += (i > 0 ? ";" : "");
            out += std::string(node.GetAttributeName(i)) + "=" + node.GetAttributeValue(i);
        }
        out += "]";
    }
    if (*node.GetValue() != '\0') {
        out += std::string("'") + node.GetValue() + "'";
    }
    if (node.HasChildren()) {
        out += "(";
        for (Vellum::CXmlNode child = node.GetChild(); child.IsValid(); child = child.GetSibling()) {
            out += DumpNode(child) + (child.HasSiblings() ? "," : "");
        }
        out += ")";
    }
    return out;
}

inline std::string DumpDocument(const Vellum::CXmlDocument& doc) {
    std::string out;
    for (Vellum::CXmlNode node = doc.GetRoot(); node.IsValid(); node = node.GetSibling()) {
        out += DumpNode(node) + (node.HasSiblings() ? "," : "");
    }
    return out;
}

}  // namespace markuptest
