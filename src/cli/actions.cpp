// Every action the batch tool knows, mapped to its handler in one table, and
// the typing and ticking actions read from "Sheet.Control=value".
#include <optional>
#include <string_view>

#include "cli/batch.h"
#include "core/change_gears.h"
#include "core/menu.h"
#include "core/sheet_a2.h"
#include "core/sheet_b1.h"
#include "core/sheet_c.h"

namespace lc::cli {
namespace {

// How an action reaches its sheet:
//  Menu     a main-window command; the handler creates what it needs.
//  Control  a control of the sheet's window; a window that does not exist is
//           created first, as the program creates a window whenever something
//           needs it.
//  Close    the window's close control; a window that does not exist has
//           nothing to close.
enum class Reach { Menu, Control, Close };

struct Entry {
    std::string_view name;
    Reach reach;
    SheetId sheet;
    Outcome (*handler)(Workbook&);  // none for Close
};

const Entry kActions[] = {
    {"A1", Reach::Menu, SheetId::A2, menuA1},
    {"B1", Reach::Menu, SheetId::B1, menuB1},
    {"C", Reach::Menu, SheetId::C, menuC},
    {"Gljs", Reach::Menu, SheetId::Gears, menuGljs},
    {"A2.Command1", Reach::Control, SheetId::A2, a2Command1},
    {"A2.Command2", Reach::Control, SheetId::A2, a2Command2},
    {"A2.Command3", Reach::Control, SheetId::A2, a2Command3},
    {"A2.Label1", Reach::Control, SheetId::A2, a2Label1Click},
    {"A2.Option1", Reach::Control, SheetId::A2, a2Option1Click},
    {"A2.Option2", Reach::Control, SheetId::A2, a2Option2Click},
    {"A2.Text1.Enter", Reach::Control, SheetId::A2, [](Workbook& wb) { return a2Enter(wb, "Text1"); }},
    {"A2.Text2.Enter", Reach::Control, SheetId::A2, [](Workbook& wb) { return a2Enter(wb, "Text2"); }},
    {"A2.Text3.Enter", Reach::Control, SheetId::A2, [](Workbook& wb) { return a2Enter(wb, "Text3"); }},
    {"A2.Text5.Enter", Reach::Control, SheetId::A2, [](Workbook& wb) { return a2Enter(wb, "Text5"); }},
    {"A2.Text12.Enter", Reach::Control, SheetId::A2, [](Workbook& wb) { return a2Enter(wb, "Text12"); }},
    {"A2.Text17.Enter", Reach::Control, SheetId::A2, [](Workbook& wb) { return a2Enter(wb, "Text17"); }},
    {"B1.Command1", Reach::Control, SheetId::B1, b1Command1},
    {"B1.Command3", Reach::Control, SheetId::B1, b1Command3},
    {"C.Command1", Reach::Control, SheetId::C, cCommand1},
    {"C.Command3", Reach::Control, SheetId::C, cCommand3},
    {"gears.Command1", Reach::Control, SheetId::Gears, [](Workbook& wb) { return gearsCommand1(wb); }},
    {"gears.Command2", Reach::Control, SheetId::Gears, gearsCommand2},
    {"A2.close", Reach::Close, SheetId::A2, nullptr},
    {"B1.close", Reach::Close, SheetId::B1, nullptr},
    {"C.close", Reach::Close, SheetId::C, nullptr},
    {"gears.close", Reach::Close, SheetId::Gears, nullptr},
};

std::string inQuotes(std::string_view s) { return "\"" + std::string(s) + "\""; }

// "A2.Text2=41" types 41 into Text2 of sheet A2; "A2.Check1=1" ticks Check1.
std::optional<Action> typingAction(const std::string& name, const std::string& where) {
    const auto eq = name.find('=');
    if (eq == std::string::npos) return std::nullopt;
    const std::string_view target = std::string_view(name).substr(0, eq);
    const std::string value = name.substr(eq + 1);
    const auto dot = target.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view sheetName = target.substr(0, dot);
    const std::string control(target.substr(dot + 1));
    const auto id = sheetNamed(sheetName);
    if (!id)
        throw InputError(where, inQuotes(name) + ": no such sheet " + inQuotes(sheetName) + " (A2, B1, C, gears)");

    const Sheet blank(*id);
    if (blank.hasField(control)) {
        return Action{name, [id = *id, control, value](Workbook& wb) {
                          wb.sheet(id).setText(control, value);
                          return Outcome::done();
                      }};
    }
    if (blank.hasCheck(control)) {
        if (value != "0" && value != "1")
            throw InputError(where, inQuotes(name) + ": check box " + control + " takes 0 or 1, not " + inQuotes(value));
        return Action{name, [id = *id, control, tick = value == "1" ? 1 : 0](Workbook& wb) {
                          wb.sheet(id).setCheck(control, tick);
                          return Outcome::done();
                      }};
    }
    throw InputError(where, inQuotes(name) + ": no such field or check box " + control + " on sheet " +
                                std::string(sheetName));
}

}  // namespace

std::optional<SheetId> sheetNamed(std::string_view key) {
    for (SheetId id : kAllSheets)
        if (key == sheetKey(id)) return id;
    return std::nullopt;
}

Action resolveAction(const std::string& name, const std::string& where) {
    for (const Entry& e : kActions) {
        if (e.name != name) continue;
        switch (e.reach) {
            case Reach::Menu:
                return Action{name, e.handler};
            case Reach::Close:
                return Action{name, [e](Workbook& wb) {
                                  wb.close(e.sheet);
                                  return Outcome::done();
                              }};
            case Reach::Control:
                return Action{name, [e](Workbook& wb) {
                                  wb.sheet(e.sheet);
                                  return e.handler(wb);
                              }};
        }
    }
    if (auto typed = typingAction(name, where)) return *typed;
    throw InputError(where, "unknown action " + inQuotes(name));
}

Json logEntry(const std::string& action, const Outcome& outcome) {
    Json entry = Json::object();
    entry["action"] = action;
    switch (outcome.kind) {
        case Outcome::Kind::Done: entry["outcome"] = "done"; break;
        case Outcome::Kind::Message: entry["outcome"] = "message"; break;
        case Outcome::Kind::Fault: entry["outcome"] = "fault"; break;
    }
    entry["message"] = outcome.kind == Outcome::Kind::Done ? std::string() : outcome.message;
    entry["focus"] = outcome.focus ? Json(*outcome.focus) : Json(nullptr);
    if (outcome.kind == Outcome::Kind::Fault && outcome.fault) {
        const FaultRecord& f = *outcome.fault;
        switch (f.kind) {
            case FaultKind::Conversion: entry["fault"] = "conversion"; break;
            case FaultKind::DivisionByZero: entry["fault"] = "division_by_zero"; break;
            case FaultKind::Overflow: entry["fault"] = "overflow"; break;
            case FaultKind::Invalid: entry["fault"] = "invalid"; break;
        }
        entry["sheet"] = sheetKey(f.sheet);
        entry["field"] = f.field;
    }
    return entry;
}

}  // namespace lc::cli
