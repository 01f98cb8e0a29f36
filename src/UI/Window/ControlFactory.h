// The element-to-class table of the framework's own controls: what the skin
// builder makes of an element name. It sits above the controls, beside the
// builder, so nothing below this layer includes a control.
#pragma once

namespace Vellum {

class CControlUI;

// A new control for the skin element `pstrClass` ("Button", "List", …);
// null for names the table does not hold. The caller owns the control.
CControlUI* CreateBuiltinControl(const char* pstrClass);

}  // namespace Vellum
