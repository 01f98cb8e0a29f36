// The "item…" attributes that a list and a combo box both pass to their rows.
#pragma once

#include "UI/Control/ListItemUI.h"

namespace Vellum {

// Stores the row attribute `pstrName` (itemfont, itemalign, itemendellipsis,
// itemaltbk, itemshowhtml, itemtextpadding, the item colours and images) in
// `info`. False when the name is not one of them, so the owner handles it.
bool SetListInfoAttribute(TListInfoUI& info, const char* pstrName, const char* pstrValue);

}  // namespace Vellum
