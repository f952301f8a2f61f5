// Whether each sheet of the workbook is current, and if not, why, item by
// item. Nothing in the workbook or its file records it: each sheet's own
// calculation is run again on a copy and its results compared, its copied
// inputs are compared with the texts they were copied from (exactly the
// copies its import makes), and the sheets it takes texts from are asked the
// same. The windows, the printed pages, the copied tables, the sketch and
// lingchuan-calc check all ask this one function, so they cannot disagree.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

enum class Mistrust {
    // No result to mistrust yet: the sheet was never calculated (or was
    // restarted); its calculation would fill its result fields, not change them.
    NeverCalculated,
    // Its calculation, run now, ends but writes other texts into these fields.
    ResultsChange,
    // Its calculation, run now, stops with a message or a fault: these fields
    // hold results it would not give.
    CalculationStops,
    // Inputs copied from an earlier sheet no longer match their source.
    CopiesDiffer,
    // A sheet it takes texts from is itself not current.
    SourceNotCurrent,
};

struct MistrustedItem {
    std::string field;        // this sheet's field ("Text45"); "Option1" for sheet A2's hands
    std::string sourceField;  // CopiesDiffer: the field it was copied from ("Text3")
    // CopiesDiffer: the source's text now; ResultsChange: the text the
    // calculation would write (for "Option1": "右" or "左").
    std::string now;
};

struct Reason {
    explicit Reason(Mistrust kind, SheetId source = SheetId::A2) : kind(kind), source(source) {}
    Mistrust kind;
    SheetId source = SheetId::A2;  // CopiesDiffer, SourceNotCurrent
    std::vector<MistrustedItem> items;
    std::string message;  // CalculationStops: the message the calculation would stop with
};

struct SheetState {
    SheetId id = SheetId::A2;
    // Some result field holds a text of its own, so there is something the
    // user could take for a result.
    bool hasResults = false;
    std::vector<Reason> reasons;
    bool current() const { return reasons.empty(); }
};

struct ChainState {
    std::array<std::optional<SheetState>, 4> sheets;  // by SheetId; empty for a sheet that does not exist
    const SheetState* of(SheetId id) const;
    bool allCurrent() const;
};

ChainState chainState(const Workbook& wb);

// How an item is called: "m", "第16项", "第23项小轮"; in English "m",
// "item 16", "item 23 pinion".
std::string itemName(SheetId sheet, const std::string& field);
std::string itemNameEnglish(SheetId sheet, const std::string& field);

// One reason in a line, its items named, control characters of the texts it
// quotes as \xNN: "计算单C取自计算单A2的数据与其现值不一致：m（A2第3项现为“2.5”）、…";
// in English for lingchuan-calc check.
std::string reasonText(SheetId sheet, const Reason& reason);
std::string reasonEnglish(SheetId sheet, const Reason& reason);

// The lines a page, a copied table and the sketch put first: one a reason,
// each starting with the sheet's name; none for a current sheet.
std::vector<std::string> noticeLines(const SheetState& state);

// The window title's suffix while the sheet holds results that are not
// current ("（与计算单A2不一致）"); "" for a current sheet and for one with no
// results to mistrust.
std::string titleSuffix(const SheetState& state);

// The fields a window marks and each one's tooltip note (reason, and for a
// copy the source's present text); none for a sheet with no results to
// mistrust.
struct FieldMark {
    std::string field;
    std::string note;
};
std::vector<FieldMark> fieldMarks(const SheetState& state);

// 从计算单A2重新取值 (B1) / 从计算单A2、B1重新取值 (C): whether it would change a
// copied text, and the command itself: the sheet's creation import run again,
// results left as they are.
const char* reimportCaption(SheetId id);
bool canReimport(const Workbook& wb, SheetId id);
Outcome reimport(Workbook& wb, SheetId id);

}  // namespace lc
