// CDialogBuilder: turns a skin document into a control tree.
//
// The skin's top-level "Image", "Font" and "Default" elements go to the
// manager; a root named "Window" sets the window settings; every other element
// becomes a control of the class its name selects. For each control: first
// its children are built, then it is added to its parent, then the default
// attribute list of its element name is applied, then its own attributes in
// document order (so they override the defaults). Unknown element names are
// offered to the plug-in creators and to the callback; when none creates a
// control, the element is skipped with its whole subtree.
//
// Building recurses once per nesting level and once per Include, so a skin
// that includes itself, or nests without end, would exhaust the stack. Both
// depths are capped (kMaxNestingDepth, kMaxIncludeDepth): a skin beyond either
// builds nothing — Build returns null after a LOG_ERROR line naming the element
// or the included source.
#pragma once

#include "UI/Markup/XmlDocument.h"

namespace Vellum {

class CControlUI;
class CUIManager;

class IDialogBuilderCallback {
public:
    // A control for an element name the framework does not know, or null.
    virtual CControlUI* CreateControl(const char* pstrClass) = 0;

protected:
    ~IDialogBuilderCallback() = default;
};

// A process-wide control creator; returns null for names it does not know.
using ControlCreatorUI = CControlUI* (*)(const char* pstrClass);

class CDialogBuilder {
public:
    // Far deeper than any skin a person writes (ours nest eight levels), and
    // shallow enough for the recursive layout and painting of the tree built.
    // A control of the top level is at depth 1; an included skin's top level
    // takes the depth of its Include element.
    static constexpr int kMaxNestingDepth = 128;
    // Includes within includes.
    static constexpr int kMaxIncludeDepth = 16;

    CDialogBuilder();

    // Loads the skin, then builds. `skin` is a resource number (a value below
    // 0x10000, loaded as a resource of `type` from the resource module), markup
    // text when it starts with "<", or else a skin file name. Returns the first
    // control of the top level, or null when the skin cannot be loaded or
    // yields no control.
    CControlUI* Build(const char* skin, const char* type, IDialogBuilderCallback* pCallback, CUIManager* pManager,
                      CControlUI* pParent = nullptr);
    // Builds from the document already loaded. When a depth limit is passed,
    // what was built is deleted — except controls already added to a given
    // `pParent`, which owns them — and null is returned.
    CControlUI* Build(IDialogBuilderCallback* pCallback, CUIManager* pManager, CControlUI* pParent = nullptr);

    CXmlDocument& GetMarkup() { return m_xml; }

    // Plug-in creators, asked in registration order for unknown element names.
    static void AddPlugin(ControlCreatorUI pCreator);

private:
    bool LoadSkin(const char* skin, const char* type);
    void ApplyResources(const CXmlNode& root, CUIManager* pManager);
    void ApplyWindowAttributes(const CXmlNode& root, CUIManager* pManager);
    // The children of `parent`, which sit at nesting depth `nDepth`.
    CControlUI* BuildLevel(const CXmlNode& parent, CControlUI* pParent, CUIManager* pManager, int nDepth);
    void BuildInclude(const CXmlNode& node, CControlUI* pParent, CUIManager* pManager, int nDepth);
    CControlUI* CreateControl(const char* pstrClass);

    CXmlDocument m_xml;
    IDialogBuilderCallback* m_pCallback = nullptr;
    // Where this builder's document goes: the depth of the Include element that
    // loaded it (0 for a skin built on its own), and how many Includes led here.
    int m_nBaseDepth = 0;
    int m_nIncludeDepth = 0;
    // A depth limit was passed: everything stops and the build fails.
    bool m_bTooDeep = false;
};

}  // namespace Vellum
