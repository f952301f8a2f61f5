// Hostile input and broken output: whatever the bytes, the tool ends with a
// short line and its own exit status, never a crash, and never reports a
// failed write as success.
#include <gtest/gtest.h>

#include <string>

#include "tool.h"

using lctest::runTool;

namespace {

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

std::string nested(const std::string& inner, int levels) { return repeat("[", levels) + inner + repeat("]", levels); }

struct Refusal {
    const char* what;
    std::string input;
    std::string error;  // the line on standard error, without "lingchuan-calc: " and the newline
};

}  // namespace

// Depth, repeated keys, bytes after the end and numbers no double holds: exit
// 2, one line naming the place, nothing written.
TEST(HostileInput, DocumentsBeyondWhatTheReaderTakes) {
    const std::string dots = "…";
    for (const Refusal& c : std::vector<Refusal>{
             {"100 000 levels in the ignored log", "{\"log\":" + nested("", 100000) + ",\"actions\":[\"A1\"]}",
              "log[0][0][0][0][0]" + dots + ": nested deeper than 64 levels"},
             {"deep check box", "{\"sheets\":{\"A2\":{\"Check1\":" + nested("1", 100000) + "}}}",
              "sheets.A2.Check1[0][0][0]" + dots + ": nested deeper than 64 levels"},
             {"one level too many", nested("", 65), "[0][0][0][0][0][0]" + dots + ": nested deeper than 64 levels"},
             {"NUL after the document", std::string("{\"actions\":[\"A1\"]}\0{\"bad json", 29),
              "document: a NUL byte after the end of the document at line 1, column 19"},
             {"NUL inside the document", std::string("{\"actions\":\n[\"A1\",\0\"B1\"]}", 23),
              "document: a NUL byte inside the document at line 2, column 7"},
             {"text after the document", "{\"actions\":[\"A1\"]}\n {}",
              "document: more text after the end of the document at line 2, column 2"},
             {"repeated key", R"({"actions":["A1"],"actions":["B1"]})",
              "actions: the key appears more than once in its object"},
             {"repeated key deep in a long object",
              R"({"sheets":{"A2":{"Text1":"1","Text2":"2","Text3":"3","Text4":"4","Text5":"5","Text6":"6",)"
              R"("Text7":"7","Text8":"8","Text9":"9","Text2":"x"}}})",
              "sheets.A2.Text2: the key appears more than once in its object"},
             {"number beyond a double", R"({"log":[1e400]})",
              "log[0]: the number \"1e400\" is beyond the range of a double"},
             {"negative number beyond a double", R"({"log":{"x":[0,-2e308]}})",
              "log.x[1]: the number \"-2e308\" is beyond the range of a double"},
             // The actions are read aside from the tree, as a list of texts:
             // the places in it are named all the same.
             {"deep among the actions", "{\"actions\":[\"A1\",\"B1\"," + nested("", 100) + "]}",
              "actions[2][0][0][0][0]" + dots + ": nested deeper than 64 levels"},
             {"number beyond a double among the actions", R"({"actions":["A1",-1e999,"B1"]})",
              "actions[1]: the number \"-1e999\" is beyond the range of a double"},
             {"no text among the actions", R"({"actions":["A1","B1",{"x":[1]},"C",5]})",
              "actions[2]: expected a text (JSON string), got an object"},
             // The result must open in the program as a job file.
             {"a text beyond a job file's", "{\"actions\":[\"A2.Text2=" + repeat("4", 10001) + "\"]}",
              "sheets.A2.Text2: a text of 10001 characters, longer than a job file's texts may be (10000); "
              "the program could not open the result, so it is not written"},
         }) {
        SCOPED_TRACE(c.what);
        const lctest::ToolRun run = runTool({"run"}, c.input);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "lingchuan-calc: " + c.error + "\n");
    }
    // A long run of blanks is passed over: the parser keeps 4096 of it (the
    // token quoted), the place still counted in the whole input.
    const std::string blanks = runTool({"run"}, "{" + repeat("\n", 9) + std::string(5 << 20, ' ') + "x}").err;
    EXPECT_NE(blanks.find("at line 10, column 5242881: "), std::string::npos) << blanks;
    EXPECT_NE(blanks.find("<U+000A…\" (4161 characters)"), std::string::npos) << blanks;
    // The deepest document taken, and whitespace after the end, are fine.
    for (const std::string& fine : {"{\"log\":" + nested("", 63) + "}", std::string("{} \n\t\r\n")}) {
        const lctest::ToolRun run = runTool({"run"}, fine);
        EXPECT_EQ(run.status, 0) << run.err;
    }
}

// A long text in any message is quoted by its first 40 characters, "…" and
// its length, and a line break in it is shown as \x0A: the message stays one
// short line.
TEST(HostileInput, MessagesStayOneShortLine) {
    const std::string ones = repeat("1", 99999) + "x";  // 100 000 characters
    const std::string head = repeat("1", 40) + "…";
    const std::string cut = "\"" + head + "\" (100000 characters)";
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::string input;
        std::string error;
    };
    for (const Case& c : std::vector<Case>{
             {"unknown command", {ones}, "", "unknown command " + cut + " (run, gears, table, check; try --help)"},
             {"line break in a key", {"run"}, R"({"a\nb": 1})", "a\\x0Ab: no such key (format, version, flags, properties, sheets, actions)"},
             {"zero-width space in a key", {"run"}, "{\"sheets\":{\"A2\":{\"Text1\u200B\":\"1\"}}}",
              "sheets.A2.Text1\\u200B: no such field on sheet A2"},
             {"long key", {"run"}, "{\"sheets\":{\"A2\":{\"" + ones + "\":\"1\"}}}", "sheets.A2." + cut + ": no such field on sheet A2"},
             {"version 1.0", {"run"}, R"({"version": 1.0})", "version: expected a whole number, got a number that is not whole"},
             {"version 1e-400", {"run"}, R"({"version": 1e-400})", "version: expected a whole number, got a number that is not whole"},
             {"newer version after an unknown key", {"run"}, R"({"x": [[]], "version": 3})",
              "version: written by a newer program (version 3; this one reads up to 2)"},
             {"unknown action", {"run"}, "{\"actions\":[\"" + ones + "\"]}", "actions[0]: unknown action " + cut},
             {"check box given a text", {"run"}, "{\"sheets\":{\"B1\":{\"Check1\":\"" + ones + "\"}}}",
              "sheets.B1.Check1: a check box takes 0 or 1, got " + cut},
             {"check box given a long array", {"run"}, "{\"sheets\":{\"B1\":{\"Check1\":[" + repeat("1,", 50000) + "1]}}}",
              "sheets.B1.Check1: a check box takes 0 or 1, got an array"},
             {"selection", {"run"}, "{\"sheets\":{\"A2\":{\"selected\":\"" + ones + "\"}}}",
              "sheets.A2.selected: expected \"Option1\" or \"Option2\", got " + cut},
             {"unterminated text", {"run"}, "{\"a\":\"" + ones,
              "document: malformed JSON: parse error at line 1, column 100007: syntax error while parsing value - "
              "invalid string: missing closing quote; last read: \"\"" + repeat("1", 39) + "…\" (100001 characters)"},
             {"a target that is no number", {"gears", ones}, "",
              "挂轮计算 结果（Text1）的内容“" + head + "”（共100000个字符）不是数字，计算已停止。"},
         }) {
        SCOPED_TRACE(c.what);
        const lctest::ToolRun run = runTool(c.args, c.input);
        const std::string prefix = c.args[0] == "gears" ? "" : "lingchuan-calc: ";
        EXPECT_EQ(run.err, prefix + c.error + "\n");
    }

    // A fault on the longest text a job file holds, in the log.
    const std::string longest = repeat("1", 9999) + "x";
    const lctest::ToolRun run = runTool({"run"}, "{\"actions\":[\"A1\",\"A2.Text1=" + longest +
                                                     "\",\"A2.Text2=41\",\"A2.Text3=2\",\"A2.Text12=0.4\","
                                                     "\"A2.Text17=44.45\",\"A2.Command1\"]}");
    ASSERT_EQ(run.status, 0) << run.err;
    const lctest::Json out = lctest::Json::parse(run.out);
    EXPECT_EQ(out["sheets"]["A2"]["Text1"], longest);
    EXPECT_EQ(out["log"].back()["message"], "计算单A2 第1项（Text1）的内容“" + head + "”（共10000个字符）不是数字，计算已停止。");
}

// A write or flush that fails is exit status 3 with one line on standard error.
TEST(HostileInput, FailedWritesAreReported) {
    const std::string doc = R"({"actions":["A1","A2.Text1=20"]})";
    for (const auto& [output, reason] : {std::pair{lctest::Output::Full, "No space left on device"},
                                         std::pair{lctest::Output::Closed, "Bad file descriptor"}}) {
        for (const std::vector<std::string>& args : {std::vector<std::string>{"run"}, {"gears", "0.5"}, {"--help"}}) {
            SCOPED_TRACE(args[0] + " " + reason);
            const lctest::ToolRun run = runTool(args, args[0] == "run" ? doc : "", output);
            EXPECT_EQ(run.status, 3);
            EXPECT_EQ(run.err, std::string("lingchuan-calc: cannot write the output: ") + reason + "\n");
        }
    }
}

// `table` writes every text whole but pads a column to at most 40 columns, so
// the output stays about as long as the input; control characters stand as
// \xNN; emoji count two columns, combining marks and joiners none.
TEST(HostileInput, TableOutputIsBoundedAndEscaped) {
    const std::string wide = repeat("9", 100000);
    const std::string doc = "{\"sheets\":{\"gears\":{\"Text1\":\"" + wide + "\",\"List1\":[" + repeat("\"1\",", 1999) +
                            "\"1\"]},\"A2\":{\"Text1\":\"\\u001b[31m\\u0007\\r\\nx\",\"Text2\":\"😀😀\","
                            "\"Text3\":\"e\u0301e\u0301a\u0308b\",\"Text4\":\"abcd\",\"Text5\":\"abcd\","
                            "\"Text6\":\"a\u202Eb\u2028c\u200Bd\u2066\"}}}";
    const std::string gears = runTool({"table", "gears"}, doc).out;
    EXPECT_TRUE(gears.size() < doc.size() + 2100 * 6 * 42 && gears.find(wide) != std::string::npos);
    const std::vector<std::string> rows = lctest::lines(runTool({"table", "A2"}, doc).out);
    EXPECT_NE(rows.at(2).find("\\x1B[31m\\x07\\x0D\\x0Ax"), std::string::npos) << rows[2];
    EXPECT_NE(rows.at(7).find("a\\u202Eb\\u2028c\\u200Bd\\u2066"), std::string::npos) << rows[7];
    // Items 2 to 5 four columns wide; 2 and 4 have no unit, 3 and 5 one: the
    // next cell stands as many blanks after each of a pair.
    const auto blanksAfter = [&](std::size_t row, const std::string& text) {
        const std::size_t end = rows.at(row).find(text) + text.size();
        return rows[row].find_first_not_of(' ', end) - end;
    };
    EXPECT_EQ(blanksAfter(3, "😀😀"), blanksAfter(5, "abcd"));
    EXPECT_EQ(blanksAfter(4, "e\u0301e\u0301a\u0308b"), blanksAfter(6, "abcd"));
}
