// The main window's menu commands as operations on the workbook.
#pragma once

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

// A1, C, Gljs: create the sheet when needed and show it.
Outcome menuA1(Workbook& wb);
Outcome menuC(Workbook& wb);
Outcome menuGljs(Workbook& wb);
// B1: create sheet B1 when needed (its creation imports), show it, then import
// sheet A2's values again when a2Done, overwriting what was typed.
Outcome menuB1(Workbook& wb);

}  // namespace lc
