#include "UI/Window/DialogBuilder.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "UI/Base/NameMatch.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Core/UIManager.h"
#include "UI/Window/ControlFactory.h"
#include "UI/Markup/ValueParse.h"
#include "comm/log/LogWriter.h"

namespace Vellum {

namespace {

std::vector<ControlCreatorUI>& Plugins() {
    static std::vector<ControlCreatorUI> plugins;
    return plugins;
}

bool IsResourceNumber(const char* skin) { return reinterpret_cast<uintptr_t>(skin) < 0x10000; }

// One attribute of the skin's Window element.
void ApplyWindowAttribute(CUIManager* pm, const char* name, const char* value) {
    if (Is(name, "size")) {
        const UISize sz = ParseSize(value);
        pm->SetInitSize(sz.cx, sz.cy);
    } else if (Is(name, "sizebox")) {
        pm->SetSizeBox(ToRECT(ParseRect(value)));
    } else if (Is(name, "caption")) {
        pm->SetCaptionRect(ToRECT(ParseRect(value)));
    } else if (Is(name, "roundcorner")) {
        const UISize sz = ParseSize(value);
        pm->SetRoundCorner(sz.cx, sz.cy);
    } else if (Is(name, "mininfo")) {
        const UISize sz = ParseSize(value);
        pm->SetMinInfo(sz.cx, sz.cy);
    } else if (Is(name, "maxinfo")) {
        const UISize sz = ParseSize(value);
        pm->SetMaxInfo(sz.cx, sz.cy);
    } else if (Is(name, "showdirty")) {
        pm->SetShowUpdateRect(ParseBool(value));
    } else if (Is(name, "alpha")) {
        pm->SetTransparent(ParseInt(value));
    } else if (Is(name, "bktrans")) {
        pm->SetBackgroundTransparent(ParseBool(value));
    } else if (Is(name, "disabledfontcolor")) {
        pm->SetDefaultDisabledColor(ParseColor(value));
    } else if (Is(name, "defaultfontcolor")) {
        pm->SetDefaultFontColor(ParseColor(value));
    } else if (Is(name, "linkfontcolor")) {
        pm->SetDefaultLinkFontColor(ParseColor(value));
    } else if (Is(name, "linkhoverfontcolor")) {
        pm->SetDefaultLinkHoverFontColor(ParseColor(value));
    } else if (Is(name, "selectedcolor")) {
        pm->SetDefaultSelectedBkColor(ParseColor(value));
    } else {
        pm->SetShadowAttribute(name, value);
    }
}

}  // namespace

CDialogBuilder::CDialogBuilder() = default;

void CDialogBuilder::AddPlugin(ControlCreatorUI pCreator) {
    if (pCreator) Plugins().push_back(pCreator);
}

bool CDialogBuilder::LoadSkin(const char* skin, const char* type) {
    if (IsResourceNumber(skin)) {
        HINSTANCE module = CUIManager::GetResourceInstance();
        HRSRC res = ::FindResourceA(module, MAKEINTRESOURCEA(reinterpret_cast<uintptr_t>(skin)), type);
        HGLOBAL data = res ? ::LoadResource(module, res) : nullptr;
        const void* bytes = data ? ::LockResource(data) : nullptr;
        if (!bytes) return false;
        if (!m_xml.LoadBytes(bytes, ::SizeofResource(module, res))) return false;
        m_xml.SetResourceType(type);
        return true;
    }
    if (skin[0] == '<') return m_xml.Load(skin);
    return m_xml.LoadFile(skin, CUIManager::GetSkinStore());
}

CControlUI* CDialogBuilder::Build(const char* skin, const char* type, IDialogBuilderCallback* pCallback,
                                  CUIManager* pManager, CControlUI* pParent) {
    if (!skin || !LoadSkin(skin, type)) return nullptr;
    return Build(pCallback, pManager, pParent);
}

CControlUI* CDialogBuilder::Build(IDialogBuilderCallback* pCallback, CUIManager* pManager, CControlUI* pParent) {
    m_pCallback = pCallback;
    const CXmlNode root = m_xml.GetRoot();
    if (!root.IsValid()) return nullptr;
    if (pManager) {
        ApplyResources(root, pManager);
        if (pManager->GetPaintWindow() && Is(root.GetName(), "Window")) ApplyWindowAttributes(root, pManager);
    }
    CControlUI* first = BuildLevel(root, pParent, pManager, m_nBaseDepth + 1);
    if (m_bTooDeep) {
        if (!pParent) delete first;
        return nullptr;
    }
    return first;
}

void CDialogBuilder::ApplyResources(const CXmlNode& root, CUIManager* pManager) {
    for (CXmlNode node = root.GetChild(); node.IsValid(); node = node.GetSibling()) {
        const char* name = node.GetName();
        if (Is(name, "Image")) {
            const char* image = node.GetAttributeValue("name");
            const char* restype = node.GetAttributeValue("restype");
            const DWORD mask = ParseColor(node.GetAttributeValue("mask"));
            if (*image) pManager->AddImage(image, *restype ? restype : nullptr, mask);
        } else if (Is(name, "Font")) {
            const char* face = node.GetAttributeValue("name");
            const int size = node.HasAttribute("size") ? ParseInt(node.GetAttributeValue("size")) : 12;
            const bool bold = ParseBool(node.GetAttributeValue("bold"));
            const bool underline = ParseBool(node.GetAttributeValue("underline"));
            const bool italic = ParseBool(node.GetAttributeValue("italic"));
            if (!*face) continue;
            pManager->AddFont(face, size, bold, underline, italic);
            if (ParseBool(node.GetAttributeValue("default")))
                pManager->SetDefaultFont(face, size, bold, underline, italic);
        } else if (Is(name, "Default")) {
            const char* control = node.GetAttributeValue("name");
            if (*control) pManager->AddDefaultAttributes(control, node.GetAttributeValue("value"));
        }
    }
}

void CDialogBuilder::ApplyWindowAttributes(const CXmlNode& root, CUIManager* pManager) {
    const int count = root.GetAttributeCount();
    for (int i = 0; i < count; ++i) {
        ApplyWindowAttribute(pManager, root.GetAttributeName(i), root.GetAttributeValue(i));
    }
}

CControlUI* CDialogBuilder::CreateControl(const char* pstrClass) {
    if (CControlUI* control = CreateBuiltinControl(pstrClass)) return control;
    for (ControlCreatorUI creator : Plugins()) {
        if (CControlUI* control = creator(pstrClass)) return control;
    }
    return m_pCallback ? m_pCallback->CreateControl(pstrClass) : nullptr;
}

void CDialogBuilder::BuildInclude(const CXmlNode& node, CControlUI* pParent, CUIManager* pManager, int nDepth) {
    char buffer[CXmlNode::kAttributeBufferSize];
    int count = 1;
    if (node.GetAttributeValue("count", buffer, sizeof(buffer))) count = ParseInt(buffer);
    if (!node.GetAttributeValue("source", buffer, sizeof(buffer))) return;
    const std::string source = buffer;
    if (m_nIncludeDepth >= kMaxIncludeDepth) {
        LOG_WRITE(LOG_ERROR, "skin include of [%s] is nested more than %d deep", source.c_str(), kMaxIncludeDepth);
        m_bTooDeep = true;
        return;
    }
    const std::string type = m_xml.GetResourceType();
    for (int i = 0; i < count && !m_bTooDeep; ++i) {
        CDialogBuilder builder;
        builder.m_nBaseDepth = nDepth - 1;
        builder.m_nIncludeDepth = m_nIncludeDepth + 1;
        if (!type.empty()) {
            const uintptr_t id = static_cast<uintptr_t>(std::strtoul(source.c_str(), nullptr, 10));
            builder.Build(reinterpret_cast<const char*>(id), type.c_str(), m_pCallback, pManager, pParent);
        } else {
            builder.Build(source.c_str(), nullptr, m_pCallback, pManager, pParent);
        }
        m_bTooDeep = builder.m_bTooDeep;
    }
}

CControlUI* CDialogBuilder::BuildLevel(const CXmlNode& parent, CControlUI* pParent, CUIManager* pManager, int nDepth) {
    CControlUI* first = nullptr;
    for (CXmlNode node = parent.GetChild(); node.IsValid(); node = node.GetSibling()) {
        const char* name = node.GetName();
        if (Is(name, "Image") || Is(name, "Font") || Is(name, "Default")) continue;
        if (Is(name, "Include")) {
            BuildInclude(node, pParent, pManager, nDepth);
            if (m_bTooDeep) return first;
            continue;
        }
        if (nDepth > kMaxNestingDepth) {
            LOG_WRITE(LOG_ERROR, "skin element <%s> is nested more than %d deep", name, kMaxNestingDepth);
            m_bTooDeep = true;
            return first;
        }
        CControlUI* control = CreateControl(name);
        if (!control) continue;  // unknown element: skipped with its subtree
        if (node.HasChildren()) BuildLevel(node, control, pManager, nDepth + 1);
        if (m_bTooDeep) {
            delete control;  // with what was built below it
            return first;
        }
        if (pParent) {
            IContainerUI* container = static_cast<IContainerUI*>(pParent->GetInterface("IContainer"));
            if (!container) {
                delete control;
                return nullptr;
            }
            if (!container->Add(control)) {
                delete control;
                continue;
            }
        }
        // A parent that already lives in an attached tree keeps its new child bound.
        const bool keepBound = pParent && pParent->GetManager();
        if (pManager) {
            control->SetManager(pManager, pParent, false);
            if (const char* defaults = pManager->GetDefaultAttributes(name)) control->ApplyAttributeList(defaults);
        }
        const int count = node.GetAttributeCount();
        for (int i = 0; i < count; ++i) control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
        if (pManager && !keepBound) control->SetManager(nullptr, pParent, false);
        if (pManager && keepBound) pManager->InitControls(control, pParent);  // enter the names set just now
        if (!first) first = control;
    }
    return first;
}

}  // namespace Vellum
