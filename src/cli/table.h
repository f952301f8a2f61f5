// `table`: one sheet of a workbook as aligned lines for a terminal.
#pragma once

#include <iosfwd>
#include <string_view>

#include "core/workbook.h"

namespace lc::cli {

// Columns of padding a cell gets at most: a wider text stands whole and
// pushes the rest of its own line on, so the output stays about as long as
// the texts.
inline constexpr int kWidestColumn = 40;

// The sheet's title line, a heading and one line a row of its table (item,
// caption, single value or pinion, gear, unit, typed or computed), written
// line by line. Each column is padded to its widest entry (at most
// kWidestColumn) by the columns a terminal gives it; control characters stand
// as \xNN, as in the messages.
void writeSheetTable(const Sheet& sheet, std::ostream& out);

// Columns a terminal gives the UTF-8 text: two for East Asian Wide and
// Fullwidth characters (汉字, fullwidth forms, emoji), none for combining marks
// and zero-width characters, one otherwise.
int displayWidth(std::string_view text);

}  // namespace lc::cli
