// Sheet A2: the start button's calculation and the sheet's editing behaviour.
#pragma once

#include <string_view>

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

// 开始计算: the whole calculation of the sheet, step by step through its fields.
Outcome a2Command1(Workbook& wb);
// 下一步: creates sheet B1 when needed (its creation imports) and shows it.
Outcome a2Command2(Workbook& wb);
// 重新开始: empties the sheet for a new pair.
Outcome a2Command3(Workbook& wb);
// Enter in Text1, Text2, Text3, Text5, Text12 or Text17: moves the focus along
// the chain, then fills the gear ratio or the table coefficients. Enter in any
// other field does nothing.
Outcome a2Enter(Workbook& wb, std::string_view field);
// The spiral-hand buttons: the clicked one becomes selected and reads "左".
Outcome a2Option1Click(Workbook& wb);
Outcome a2Option2Click(Workbook& wb);
// A click on item 1's caption writes "wr " into Text2.
Outcome a2Label1Click(Workbook& wb);

}  // namespace lc
