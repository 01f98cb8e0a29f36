// The skin images, each drawn into a canvas of its final size.
//
// File                  Size     Cells (left to right)
// Default_Shadow.png    48x48    nine-grid with corners 23,13,23,33; centre empty
// MsgBoxIcon.png        96x32    32x32: information, warning, question
// Default_Checkbox.png  64x16    16x16: unchecked, hot, checked, disabled
// Default_Radio.png     64x16    16x16: unselected, hot, selected, disabled
// TitleBtnClose.png     120x32   40x32: normal, hot, pushed (background included)
// TitleBtnMin.png       120x32   40x32: normal, hot, pushed (background included)
#pragma once

#include "Canvas.h"

namespace skingen {

Canvas DrawShadow();
Canvas DrawMsgBoxIcons();
Canvas DrawCheckbox();
Canvas DrawRadio();
Canvas DrawTitleButtonClose();
Canvas DrawTitleButtonMin();

}  // namespace skingen
