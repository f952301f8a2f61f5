// A sheet as a table a spreadsheet takes as it is: a header row (项目, 名称,
// 类别, 小轮/数值, 大轮, 单位), then one row an item in the columns of the
// printed page, captions without the form's padding, every text whole; check
// boxes as rows of their own ("勾选：保留输入的齿宽", 是/否); the change-gear
// window's list under a header of its own, one line a row. Every row has the
// same number of cells. Cells are data: a text beginning with =, +, -, @, a
// tab or a CR that is not a number (-0.5 and -2 are) is written after an
// apostrophe, so that a spreadsheet never takes it for a formula.
#pragma once

#include <string>

#include "core/workbook.h"

namespace lc {

// Tab-separated lines, as a spreadsheet pastes them. A cell holding a tab, a
// line break or a leading quote mark is put in quote marks with its own quote
// marks doubled, so that it stays one cell.
std::string tabSeparated(const Sheet& sheet);
// The workbook's sheet (which must exist) the same way, after the lines of its
// notice when it is not current (one a reason, items named: chain_state.h),
// and after the job's properties, a row each (名称, its text), when one is
// filled in.
std::string tabSeparated(const Workbook& wb, SheetId id);
// The same rows as a CSV file: UTF-8 after a byte order mark (which tells a
// spreadsheet the file is not in the system's code page), cells separated by
// commas, lines ended by CR LF, a cell holding a comma, quote mark or line
// break quoted.
std::string commaSeparated(const Workbook& wb, SheetId id);

}  // namespace lc
