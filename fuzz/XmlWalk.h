// Shared by the document fuzz targets: touches every part of a loaded document
// and stops the run if a promise of the interface is broken.
#pragma once

#include <cstdlib>
#include <cstring>

#include "UI/Markup/XmlDocument.h"

namespace fuzzwalk {

inline void Check(bool promise) {
    if (!promise) {
        std::abort();
    }
}

inline void WalkNode(const Vellum::CXmlNode& node) {
    Check(std::strlen(node.GetName()) < 0x400000);
    Check(std::strlen(node.GetValue()) < 0x400000);
    const int count = node.GetAttributeCount();
    Check(count >= 0 && count <= Vellum::CXmlNode::kMaxAttributes);
    for (int i = 0; i < count; ++i) {
        const char* name = node.GetAttributeName(i);
        Check(node.HasAttribute(name));
        char buffer[Vellum::CXmlNode::kAttributeBufferSize];
        Check(node.GetAttributeValue(name, buffer, sizeof buffer));
        Check(std::strlen(buffer) < sizeof buffer);
        Check(std::strlen(node.GetAttributeValue(i)) < 0x400000);
    }
}

// Walks the elements without recursion (documents may nest deeply).
inline void WalkDocument(const Vellum::CXmlDocument& doc, bool loaded) {
    Check(std::strlen(doc.GetErrorMessage()) < 100);
    Check(std::strlen(doc.GetErrorLocation()) < 50);
    Check(loaded == (*doc.GetErrorMessage() == '\0'));
    if (!loaded) {
        Check(!doc.GetRoot().IsValid());
        return;
    }
    size_t seen = 0;
    Vellum::CXmlNode node = doc.GetRoot();
    while (node.IsValid()) {
        WalkNode(node);
        ++seen;
        if (node.HasChildren()) {
            node = node.GetChild();
            continue;
        }
        while (node.IsValid() && !node.HasSiblings()) {
            node = node.GetParent();
        }
        if (node.IsValid()) {
            node = node.GetSibling();
        }
    }
    Check(seen == doc.GetElementCount());
}

}  // namespace fuzzwalk
