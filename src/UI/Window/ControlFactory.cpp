// The element names of the skin dialect and the classes they create. A new
// control class is one line here. Names whose class does not exist yet are
// absent, so their elements are skipped like unknown names.
#include "UI/Window/ControlFactory.h"

#include <cstring>

#include "UI/Control/ButtonUI.h"
#include "UI/Control/CheckBoxUI.h"
#include "UI/Control/ComboUI.h"
#include "UI/Control/EditUI.h"
#include "UI/Control/LabelUI.h"
#include "UI/Control/ListHeaderItemUI.h"
#include "UI/Control/ListHeaderUI.h"
#include "UI/Control/ListTextElementUI.h"
#include "UI/Control/ListUI.h"
#include "UI/Control/OptionUI.h"
#include "UI/Control/ProgressUI.h"
#include "UI/Control/TextUI.h"
#include "UI/Core/ContainerUI.h"
#include "UI/Core/HorizontalLayoutUI.h"
#include "UI/Core/ScrollBarUI.h"
#include "UI/Core/VerticalLayoutUI.h"

namespace Vellum {

namespace {

template <class T>
CControlUI* Make() {
    return new T;
}

struct TControlClass {
    const char* pstrElement;
    CControlUI* (*pfnCreate)();
};

const TControlClass kControlClasses[] = {
    {"Control", &Make<CControlUI>},
    {"Container", &Make<CContainerUI>},
    {"VerticalLayout", &Make<CVerticalLayoutUI>},
    {"HorizontalLayout", &Make<CHorizontalLayoutUI>},
    {"Label", &Make<CLabelUI>},
    {"Text", &Make<CTextUI>},
    {"Button", &Make<CButtonUI>},
    {"List", &Make<CListUI>},
    {"ListHeader", &Make<CListHeaderUI>},
    {"ListHeaderItem", &Make<CListHeaderItemUI>},
    {"ListLabelElement", &Make<CListLabelElementUI>},
    {"ListTextElement", &Make<CListTextElementUI>},
    {"ScrollBar", &Make<CScrollBarUI>},
    {"Option", &Make<COptionUI>},
    {"CheckBox", &Make<CCheckBoxUI>},
    {"Progress", &Make<CProgressUI>},
    {"Combo", &Make<CComboUI>},
    {"Edit", &Make<CEditUI>},
};

}  // namespace

CControlUI* CreateBuiltinControl(const char* pstrClass) {
    for (const TControlClass& cls : kControlClasses) {
        if (std::strcmp(cls.pstrElement, pstrClass) == 0) return cls.pfnCreate();
    }
    return nullptr;
}

}  // namespace Vellum
