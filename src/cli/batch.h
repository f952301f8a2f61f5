// The batch tool's work, apart from its command line: a JSON workbook and its
// actions in, the resulting workbook and one log entry per action out; and the
// change-gear search on its own.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/actions.h"
#include "core/calc.h"
#include "core/json_input.h"
#include "core/workbook.h"

namespace lc::cli {

using Json = lc::Json;

// Bad input: the document, an action or a value is not what the tool accepts.
// `what()` names the place ("sheets.A2.Text99") and what is wrong with it.
using InputError = DocumentError;

// "A2.Text2=41": typing 41 into Text2 of sheet A2, or ticking a check box.
struct Typing {
    SheetId sheet;
    std::string control;
    std::string value;
    bool check = false;  // a check box: value is "0" or "1"
};

// One action of the document, resolved to what it does to the workbook, and
// what the user does for it: a command of the action table, or typing.
struct Action {
    std::string name;
    std::function<Outcome(Workbook&)> run;
    const ActionDef* def = nullptr;
    std::optional<Typing> typing;
};

// Looks the name up in the action table, or reads it as typing ("A2.Text2=41")
// or ticking ("A2.Check1=1"). `where` is the place reported in an InputError.
Action resolveAction(const std::string& name, const std::string& where);

// The log entry of one action: its name and what the handler handed back.
Json logEntry(const std::string& action, const Outcome& outcome);

// A document read and checked to the last key: the starting workbook (its
// given sheets exist without their creation steps) and its actions, resolved.
struct Batch {
    Workbook workbook;
    std::vector<Action> actions;
};
Batch readBatch(std::string_view input);

// The resulting document (as text, with a final newline): the job file of
// `wb` and the log.
std::string writeBatchResult(const Workbook& wb, Json log);

// The workbook after the document's actions (no log is kept). Throws
// InputError for bad input before anything runs.
Workbook runToEnd(std::string input);

// `run`: the whole document in, the resulting document out (as text, with a
// final newline). Throws InputError for bad input before anything is written,
// and when the resulting workbook is beyond what a job file may hold.
// The output is written as it is made; once `out` fails, nothing more is
// written or run.
void runDocument(std::string input, std::ostream& out);

// `gears`: the change-gear search for a target and tolerance as typed.
struct GearsRun {
    std::vector<std::string> list;
    std::string caption;
    Outcome outcome;
};
GearsRun runGears(const std::string& target, const std::string& tolerance);

}  // namespace lc::cli
