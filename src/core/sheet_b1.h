// Sheet B1: the start button's calculation and the next button.
#pragma once

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

// 开  始: items 4 to 9 and 48 to 58 from sheet A2's fields and cosβe.
Outcome b1Command1(Workbook& wb);
// 下一步: creates sheet C when needed (its creation imports) and shows it.
Outcome b1Command3(Workbook& wb);

}  // namespace lc
