// The numbered items of every sheet in one table: caption as on the form,
// what the item is, its unit, its field or fields, and whether the user types
// it. Tooltips, the copied table, the printed sheet and the batch tool's
// table all read it, so an item is described in one place only.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/workbook.h"

namespace lc {

enum class Unit { None, Millimetre, Degree, ArcMinute, Inch };

// "", "mm", "°", "′", "in".
std::string_view unitText(Unit unit);

struct Item {
    int number;                  // the number on the form; 0 for sheet C's top block and the change-gear fields
    std::string_view caption;    // as on the form, blanks included ("1  小 轮  齿 数Z1")
    std::string_view meaning;    // what it is, in Chinese ("小轮齿数")
    Unit unit;
    std::string_view field;      // the single or pinion field ("Text1", "Text23(0)"); "" for item 20 of A2 (the hand)
    std::string_view gearField;  // the gear row's field of a paired item, else ""
    bool input;                  // typed by the user (green) rather than computed (orange)
    bool noStep = false;         // a result field that no step of the calculation writes
};

// The sheet's items in form order (column by column, top to bottom).
std::span<const Item> itemsOf(SheetId sheet);

// The item that shows this field (either row of a paired item), or nullptr.
const Item* itemOfField(SheetId sheet, std::string_view field);

// A check box of a sheet and what ticking it means.
struct CheckBox {
    std::string_view name;     // "Check1"
    int besideItem;            // the item whose row it stands in
    std::string_view meaning;  // "勾选：保留输入的齿宽"
    // Ticked, the item keeps the text typed into it; unticked, the sheet's
    // calculation writes it. False for a box that nothing reads.
    bool keepsTyped;
};
std::span<const CheckBox> checkBoxesOf(SheetId sheet);

// One row of a sheet's table, every text whole. Items give their number,
// caption and texts (`second` is the gear row's text of a paired item); item
// 20 of A2 gives the two hands ("左", "右"); a check box follows the item it
// stands beside, with "是" or "否" and its meaning as caption (a box that nothing
// reads is left out), and the item beside a box counts as typed only while the
// box is ticked; an item that no step writes counts as typed once it holds a
// text, and is marked `uncomputed` while empty; the change-gear window's list
// lines follow its two fields, one row a line.
struct TableRow {
    std::string number;   // "15", or "" where the form shows none
    std::string caption;
    std::string first;    // the single or pinion text
    std::string second;   // the gear text of a paired item, else ""
    Unit unit = Unit::None;
    bool input = false;
    bool paired = false;
    bool uncomputed = false;  // empty, and no step writes it
};
std::vector<TableRow> tableOf(const Sheet& sheet);

}  // namespace lc
