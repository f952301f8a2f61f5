// Sheet C: the start button's calculation and the end button.
#pragma once

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

// 开  始: items 1 to 17, 23 to 30 and 34 to 38.
Outcome cCommand1(Workbook& wb);
// 结  束: hides the window; its texts stay.
Outcome cCommand3(Workbook& wb);

}  // namespace lc
