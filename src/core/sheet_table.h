// A sheet as tab-separated lines, the way a spreadsheet pastes a table: one
// line a row of the sheet's table (item number, caption, single or pinion
// text, gear text), every text whole.
#pragma once

#include <string>

#include "core/workbook.h"

namespace lc {

// A cell holding a tab, a line break or a leading quote mark is put in quote
// marks with its own quote marks doubled, so that it stays one cell.
std::string tabSeparated(const Sheet& sheet);
// The workbook's sheet (which must exist) the same way, after a first line
// with its warning when its results do not belong to its inputs.
std::string tabSeparated(const Workbook& wb, SheetId id);

}  // namespace lc
