// lingchuan-calc: the program's calculations without a display.
#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/batch.h"
#include "cli/table.h"
#include "console/console.h"
#include "core/chain_state.h"
#include "core/json_input.h"
#include "core/quote.h"

namespace {

constexpr int kOk = 0;
constexpr int kInternal = 1;
constexpr int kNotCurrent = 1;  // check: a sheet is not current
constexpr int kBadInput = 2;
constexpr int kWriteFailed = 3;

const char* const kHelp = R"HELP(Usage:
  lingchuan-calc run < WORKBOOK.json
  lingchuan-calc gears TARGET [TOLERANCE]
  lingchuan-calc table SHEET < WORKBOOK.json
  lingchuan-calc check < WORKBOOK.json
  lingchuan-calc --help | --version

lingchuan-calc run
  Reads one JSON workbook on standard input, performs its actions in order,
  each exactly as the program does it, and writes the resulting workbook as
  JSON (UTF-8) on standard output.

  Input, every key optional; a job file saved by the program is one:
    {"format": "lingchuan-workbook", "version": 2,
     "flags": {"a2Done": false, "b1Done": false, "pinionRightHand": false},
     "properties": {"pinionDrawing": "...", "gearDrawing": "...", "name": "...",
                    "material": "...", "designer": "...", "checker": "...",
                    "date": "...", "remarks": "..."},
     "sheets": {"A2": {...}, "B1": {...}, "C": {...}, "gears": {...}},
     "actions": [...]}
  "format", when given, must be "lingchuan-workbook"; "version", when given,
  no newer than 2. "properties" (texts, each optional) are the job's title
  block; output without them is version 1, with them version 2. A sheet named under "sheets" exists at the start with its
  default texts overlaid by the given ones; its creation steps do not run.
  Its keys are control names: "Text1", "Text23(0)", "Text1(0)" (texts),
  "Check1" (0 or 1); on A2 also "Option1", "Option2" (captions) and
  "selected" ("Option1" or "Option2"); on gears "Text1", "Text2", "List1"
  (array of lines), "Caption"; on every sheet "visible" (false: its window is
  hidden). A "log" key is ignored, so that a result can be fed in again.

  Actions, strings:
    menu commands     A1  B1  C  Gljs
    buttons, clicks   A2.Command1  A2.Command2  A2.Command3  A2.Label1
                      A2.Option1  A2.Option2  B1.Command1  B1.Command3
                      C.Command1  C.Command3  gears.Command1  gears.Command2
    Enter key         A2.Text1.Enter, likewise Text2, Text3, Text5, Text12, Text17
    closing a window  A2.close  B1.close  C.close  gears.close
    typing, ticking   A2.Text2=41  A2.Check1=1  (split at the first '=')
  A control event, typing or ticking on a sheet that does not exist creates
  that sheet first, with its creation steps (sheet A2 clears a2Done and
  b1Done; sheets B1 and C import), as the program creates a window whenever
  something needs it. Closing a sheet that does not exist does nothing.

  Output: "format", "version", the flags, the properties, every sheet that exists at the end
  with all its texts, check boxes, option captions and selection (gears: list
  and caption) and "visible", and "log", one entry per action; without its
  "log" the output is a job file the program opens. A result the program
  would refuse to open (a text of more than 10000 characters, a list of more
  than 10001 lines) is bad input: nothing is written.
    {"action": "A2.Command1", "outcome": "done" | "message" | "fault",
     "message": the message or fault text ("" when done),
     "focus": the control that has the focus afterwards, or null,
     and for faults "fault": "conversion" | "division_by_zero" | "overflow" |
     "invalid", "sheet": "A2", "field": "Text7"}

lingchuan-calc gears TARGET [TOLERANCE]
  Runs the change-gear search for TARGET within TOLERANCE (default 0.000001),
  both as typed into the window, and prints the list lines, one a line, then
  the final caption. A message of the program (an empty TARGET) or a fault
  (a TARGET or TOLERANCE that is not a number) is printed as one line on
  standard error; standard output then shows the list and the caption as the
  window shows them after it.

lingchuan-calc table SHEET
  Reads a JSON workbook on standard input exactly as run does (a result of
  run, or a workbook with actions, which are performed first) and prints
  SHEET (A2, B1, C or gears) as a table for the terminal, one line an item:
  项 (the item's number), 名称 (its caption), 数值（小轮） (the text of a
  single item, or the pinion's of a paired one), 大轮 (the gear's text of a
  paired item), 单位 and 类别 (输入 typed, 计算 computed). A check box
  follows the item it stands beside, 是 ticked or 否 not. Every text is
  printed whole, control characters in it as \xNN (a tab as \x09); columns
  are aligned for a terminal that draws Chinese characters two columns wide,
  each padded to at most 40 columns (a wider text pushes the rest of its
  line on). A SHEET that does not exist in the workbook is bad input.

lingchuan-calc check
  Reads a JSON workbook on standard input exactly as run does and tells, for
  every sheet in it, "current" or each reason why not, one line a reason with
  the items it concerns: results that calculating again would change, a
  calculation that would stop, a sheet never calculated, inputs copied from
  sheet A2 or B1 that differ from their source now, a sheet read that is itself
  not current. Exit status 0 when every sheet is current, 1 when one is not.

Examples:
  echo '{"actions": ["A1", "A2.Text1=20", "A2.Text2=41", "A2.Text2.Enter"]}' \
    | lingchuan-calc run
  lingchuan-calc gears 0.5
  lingchuan-calc run < job.json | lingchuan-calc table A2
  lingchuan-calc check < job.lcjob

Exit status: 0 when the tool ran, also when the program stopped at a message
or a fault (those are log entries); 2 for bad input or usage, with one line on
standard error naming what is wrong and where, and nothing on standard output;
3 when standard output cannot be written (a full disk, a closed output), with
one line on standard error; 1 for an internal error (and from check, for a
sheet that is not current).
)HELP";

// Standard output through the console module, which keeps the reason of the
// first failed write or flush.
std::ostream& output = std::cout;

int badInput(const std::string& what) {
    std::cerr << "lingchuan-calc: " << what << "\n";
    return kBadInput;
}

// Standard input whole; one that cannot be read (closed, a folder) is bad
// input with the system's reason, not an empty document.
std::string readInput() {
    std::string input;
    char chunk[1 << 16];
    errno = 0;
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;) input.append(chunk, n);
    if (std::ferror(stdin)) {
        const int error = errno;
        throw lc::cli::InputError("standard input", "cannot read" + (error ? ": " + std::generic_category().message(error)
                                                                          : std::string()));
    }
    return input;
}

int runCommand() {
    lc::cli::runDocument(readInput(), output);
    return kOk;
}

int gearsCommand(const std::vector<std::string>& args) {
    const std::string tolerance = args.size() > 2 ? args[2] : std::string("0.000001");
    const lc::cli::GearsRun run = lc::cli::runGears(args[1], tolerance);
    if (run.outcome.kind != lc::Outcome::Kind::Done) std::cerr << run.outcome.message << "\n";
    for (const auto& line : run.list) output << line << "\n";
    output << run.caption << "\n";
    return kOk;
}

int tableCommand(const std::string& name) {
    const auto id = lc::sheetFromKey(name);
    if (!id) return badInput("no such sheet " + lc::shortQuote(name) + " (A2, B1, C, gears)");
    const lc::Workbook wb = lc::cli::runToEnd(readInput());
    const lc::Sheet* sheet = wb.find(*id);
    if (!sheet) return badInput("sheet " + name + " does not exist in the workbook");
    lc::cli::writeSheetTable(*sheet, output);
    return kOk;
}

int checkCommand() {
    const lc::Workbook wb = lc::cli::runToEnd(readInput());
    const lc::ChainState chain = lc::chainState(wb);
    for (lc::SheetId id : lc::kAllSheets) {
        const lc::SheetState* state = chain.of(id);
        if (!state) continue;
        if (state->current()) output << lc::sheetKey(id) << ": current\n";
        for (const lc::Reason& r : state->reasons) output << lc::visibleText(lc::reasonEnglish(id, r)) << "\n";
    }
    return chain.allCurrent() ? kOk : kNotCurrent;
}

int command(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        output << kHelp;
        return kOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        output << "lingchuan-calc " << LC_VERSION << "\n";
        return kOk;
    }
    if (args.empty()) return badInput("no command given (run, gears, table, check; try --help)");
    if (args[0] == "run") {
        if (args.size() != 1) return badInput("run takes no arguments, the workbook comes on standard input");
        return runCommand();
    }
    if (args[0] == "gears") {
        if (args.size() < 2 || args.size() > 3) return badInput("usage: lingchuan-calc gears TARGET [TOLERANCE]");
        return gearsCommand(args);
    }
    if (args[0] == "table") {
        if (args.size() != 2) return badInput("usage: lingchuan-calc table SHEET < WORKBOOK.json");
        return tableCommand(args[1]);
    }
    if (args[0] == "check") {
        if (args.size() != 1) return badInput("check takes no arguments, the workbook comes on standard input");
        return checkCommand();
    }
    return badInput("unknown command " + lc::shortQuote(args[0]) + " (run, gears, table, check; try --help)");
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const lc::console::StandardStreams streams;
    int status = kOk;
    try {
        status = command(args);
    } catch (const lc::cli::InputError& e) {
        return badInput(e.what());
    } catch (const std::exception& e) {
        std::cerr << "lingchuan-calc: internal error: " << e.what() << "\n";
        status = kInternal;
    }
    output.flush();
    if (streams.output().failed()) {
        const int error = streams.output().error();
        std::cerr << "lingchuan-calc: cannot write the output"
                  << (error ? ": " + std::generic_category().message(error) : std::string()) << "\n";
        return kWriteFailed;
    }
    return status;
}
