// `table`: one sheet of a workbook as aligned lines for a terminal.
#pragma once

#include <string>

#include "core/workbook.h"

namespace lc::cli {

// The sheet's title line, a heading and one line a row of its table (item,
// caption, single value or pinion, gear, unit, typed or computed), each
// column padded to its widest entry by the columns a terminal gives it (two
// for a Chinese character).
std::string sheetTable(const Sheet& sheet);

}  // namespace lc::cli
