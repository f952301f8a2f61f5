// Bad input is refused with one line on standard error naming what is wrong
// and where, exit status 2, and nothing on standard output.
#include <gtest/gtest.h>

#include "tool.h"

using lctest::runTool;

namespace {

struct BadCase {
    const char* what;
    std::vector<std::string> args;
    std::string input;
    std::string error;  // the whole line on standard error, without its newline
};

void expectRefused(const BadCase& c) {
    SCOPED_TRACE(c.what);
    const lctest::ToolRun run = runTool(c.args, c.input);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.error + "\n");
}

}  // namespace

TEST(BadInput, MalformedDocuments) {
    const std::vector<std::string> run{"run"};
    for (const BadCase& c : std::vector<BadCase>{
             {"empty input", run, "",
              "lingchuan-calc: document: malformed JSON: parse error at line 1, column 1: syntax error while "
              "parsing value - unexpected end of input; expected '[', '{', or a literal"},
             {"unfinished object", run, "{\"actions\": [\"A1\"",
              "lingchuan-calc: document: malformed JSON: parse error at line 1, column 18: syntax error while "
              "parsing array - unexpected end of input; expected ']'"},
             {"not an object", run, "[\"A1\"]", "lingchuan-calc: document: expected an object, got an array"},
             {"unknown key", run, R"({"action": ["A1"]})",
              "lingchuan-calc: action: no such key (format, version, flags, properties, sheets, actions)"},
             // A job file of another kind or of a newer program is named as such,
             // whatever else it holds.
             {"another format", run, R"({"sheets": {"A3": {}}, "format": "lingchuan-report"})",
              "lingchuan-calc: format: not a lingchuan workbook (expected \"lingchuan-workbook\", got "
              "\"lingchuan-report\")"},
             {"a newer version", run, R"({"format": "lingchuan-workbook", "version": 3, "pages": {}})",
              "lingchuan-calc: version: written by a newer program (version 3; this one reads up to 2)"},
             {"a version beyond a whole number", run, R"({"version": 1e30})",
              "lingchuan-calc: version: written by a newer program (version 1e+30; this one reads up to 2)"},
         })
        expectRefused(c);
}

TEST(BadInput, FlagsSheetsAndValues) {
    const std::vector<std::string> run{"run"};
    for (const BadCase& c : std::vector<BadCase>{
             {"flags not an object", run, R"({"flags": true})", "lingchuan-calc: flags: expected an object, got a boolean"},
             {"unknown flag", run, R"({"flags": {"a3Done": true}})",
              "lingchuan-calc: flags.a3Done: no such flag (a2Done, b1Done, pinionRightHand)"},
             {"flag as a number", run, R"({"flags": {"a2Done": -1}})",
              "lingchuan-calc: flags.a2Done: expected true or false, got a number"},
             {"unknown sheet", run, R"({"sheets": {"A3": {}}})",
              "lingchuan-calc: sheets.A3: no such sheet (A2, B1, C, gears)"},
             {"unknown field", run, R"({"sheets": {"A2": {"Text99": "1"}}})",
              "lingchuan-calc: sheets.A2.Text99: no such field on sheet A2"},
             {"a field of another sheet", run, R"({"sheets": {"C": {"Text41": "1"}}})",
              "lingchuan-calc: sheets.C.Text41: no such field on sheet C"},
             {"option captions only on A2", run, R"({"sheets": {"B1": {"Option1": "左"}}})",
              "lingchuan-calc: sheets.B1.Option1: no such field on sheet B1"},
             {"number where a text belongs", run, R"({"sheets": {"A2": {"Text1": 10}}})",
              "lingchuan-calc: sheets.A2.Text1: expected a text (JSON string), got a number"},
             {"check box 2", run, R"({"sheets": {"A2": {"Check1": 2}}})",
              "lingchuan-calc: sheets.A2.Check1: a check box takes 0 or 1, got 2"},
             {"check box as text", run, R"({"sheets": {"B1": {"Check1": "1"}}})",
              "lingchuan-calc: sheets.B1.Check1: a check box takes 0 or 1, got \"1\""},
             {"check box as boolean", run, R"({"sheets": {"C": {"Check2": true}}})",
              "lingchuan-calc: sheets.C.Check2: a check box takes 0 or 1, got true"},
             {"selection", run, R"({"sheets": {"A2": {"selected": "Option3"}}})",
              "lingchuan-calc: sheets.A2.selected: expected \"Option1\" or \"Option2\", got \"Option3\""},
             {"list not an array", run, R"({"sheets": {"gears": {"List1": "24X24/24X48=0.5"}}})",
              "lingchuan-calc: sheets.gears.List1: expected an array of texts, got a text"},
             {"list line a number", run, R"({"sheets": {"gears": {"List1": ["a", 0.5]}}})",
              "lingchuan-calc: sheets.gears.List1[1]: expected a text (JSON string), got a number"},
         })
        expectRefused(c);
}

TEST(BadInput, Actions) {
    const std::vector<std::string> run{"run"};
    for (const BadCase& c : std::vector<BadCase>{
             {"actions not an array", run, R"({"actions": "A1"})",
              "lingchuan-calc: actions: expected an array, got a text"},
             {"action not a text", run, R"({"actions": ["A1", 5]})",
              "lingchuan-calc: actions[1]: expected a text (JSON string), got a number"},
             {"unknown action", run, R"({"actions": ["A1", "A2.Command9"]})",
              "lingchuan-calc: actions[1]: unknown action \"A2.Command9\""},
             {"Enter where the sheet has none", run, R"({"actions": ["A2.Text15.Enter"]})",
              "lingchuan-calc: actions[0]: unknown action \"A2.Text15.Enter\""},
             {"menu command in lower case", run, R"({"actions": ["a1"]})",
              "lingchuan-calc: actions[0]: unknown action \"a1\""},
             {"typing into an unknown field", run, R"({"actions": ["A2.Text99=5"]})",
              "lingchuan-calc: actions[0]: \"A2.Text99=5\": no such field or check box Text99 on sheet A2"},
             {"typing on an unknown sheet", run, R"({"actions": ["D.Text1=5"]})",
              "lingchuan-calc: actions[0]: \"D.Text1=5\": no such sheet \"D\" (A2, B1, C, gears)"},
             {"ticking with 2", run, R"({"actions": ["A2.Check1=2"]})",
              "lingchuan-calc: actions[0]: \"A2.Check1=2\": check box Check1 takes 0 or 1, not \"2\""},
             {"typing without a sheet", run, R"({"actions": ["Text1=5"]})",
              "lingchuan-calc: actions[0]: unknown action \"Text1=5\""},
         })
        expectRefused(c);
}

TEST(BadInput, CommandLine) {
    for (const BadCase& c : std::vector<BadCase>{
             {"no command", {}, "", "lingchuan-calc: no command given (run, gears, table, check; try --help)"},
             {"unknown command", {"calc"}, "", "lingchuan-calc: unknown command \"calc\" (run, gears, table, check; try --help)"},
             {"run with an argument", {"run", "in.json"}, "{}",
              "lingchuan-calc: run takes no arguments, the workbook comes on standard input"},
             {"table without a sheet", {"table"}, "{}", "lingchuan-calc: usage: lingchuan-calc table SHEET < WORKBOOK.json"},
             {"table of an unknown sheet", {"table", "A3"}, "{}",
              "lingchuan-calc: no such sheet \"A3\" (A2, B1, C, gears)"},
             {"table of a sheet the workbook lacks", {"table", "B1"}, R"({"actions": ["A1"]})",
              "lingchuan-calc: sheet B1 does not exist in the workbook"},
             {"table of a malformed workbook", {"table", "A2"}, R"({"sheets": {"A2": {"Text99": "1"}}})",
              "lingchuan-calc: sheets.A2.Text99: no such field on sheet A2"},
         })
        expectRefused(c);
}

// A bad action late in the list refuses the whole document: nothing is run
// and nothing is written, even for the good actions before it.
TEST(BadInput, ALateBadActionRefusesTheWholeDocument) {
    const auto run = runTool({"run"}, R"({"actions": ["A1", "A2.Text1=10", "A2.Text1.Enter", "B1.Command2"]})");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "lingchuan-calc: actions[3]: unknown action \"B1.Command2\"\n");
}
