// The actions of a document: the program's own table of user actions, and the
// typing and ticking actions read from "Sheet.Control=value".
#include <optional>
#include <string_view>

#include "cli/batch.h"
#include "core/actions.h"

namespace lc::cli {
namespace {


// Each sheet as it is created, to look its controls up in.
const Sheet& blankSheet(SheetId id) {
    static const Sheet blanks[] = {Sheet(SheetId::A2), Sheet(SheetId::B1), Sheet(SheetId::C), Sheet(SheetId::Gears)};
    return blanks[static_cast<int>(id)];
}

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
    const auto id = sheetFromKey(sheetName);
    if (!id)
        throw InputError(where, shortQuote(name) + ": no such sheet " + shortQuote(sheetName) + " (A2, B1, C, gears)");

    const Sheet& blank = blankSheet(*id);
    if (blank.hasField(control)) {
        return Action{name,
                      [id = *id, control, value](Workbook& wb) {
                          wb.sheet(id).setText(control, value);
                          return Outcome::done();
                      },
                      nullptr, Typing{*id, control, value}};
    }
    if (blank.hasCheck(control)) {
        if (value != "0" && value != "1")
            throw InputError(where, shortQuote(name) + ": check box " + keyInMessage(control) + " takes 0 or 1, not " + shortQuote(value));
        return Action{name,
                      [id = *id, control, tick = value == "1" ? 1 : 0](Workbook& wb) {
                          wb.sheet(id).setCheck(control, tick);
                          return Outcome::done();
                      },
                      nullptr, Typing{*id, control, value, true}};
    }
    throw InputError(where, shortQuote(name) + ": no such field or check box " + keyInMessage(control) +
                                " on sheet " + std::string(sheetName));
}

}  // namespace

Action resolveAction(const std::string& name, const std::string& where) {
    if (const ActionDef* def = findAction(name)) {
        // A control event needs its window: one that does not exist is created
        // first, with its creation steps, as the program creates a window
        // whenever something needs it. Menu commands create what they need,
        // and closing a window that does not exist does nothing.
        if (def->reach != ActionReach::Control) return Action{name, def->run, def, std::nullopt};
        return Action{name,
                      [def](Workbook& wb) {
                          wb.sheet(def->sheet);
                          return def->run(wb);
                      },
                      def, std::nullopt};
    }
    if (auto typed = typingAction(name, where)) return *typed;
    throw InputError(where, "unknown action " + shortQuote(name));
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
