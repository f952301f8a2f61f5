// `table`: one sheet of a workbook as aligned lines for a terminal.
#pragma once

#include <string>
#include <string_view>

#include "core/workbook.h"

namespace lc::cli {

// Columns a terminal gives the UTF-8 text: two for each wide East Asian
// character (汉字, fullwidth forms), none for combining marks, one otherwise.
int displayWidth(std::string_view text);

// The sheet's title line, a heading and one line a row of its table (item,
// caption, single value or pinion, gear, unit, typed or computed), each
// column padded to its widest entry by display width.
std::string sheetTable(const Sheet& sheet);

}  // namespace lc::cli
