// The change-gear search through `gears TARGET [TOLERANCE]` and through `run`.
#include <gtest/gtest.h>

#include "core/calc.h"
#include "tool.h"

using lctest::Json;
using lctest::lines;
using lctest::runTool;

TEST(BatchGears, ListLinesThenTheFinalCaption) {
    lctest::ToolRun run = runTool({"gears", "0.5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(lines(run.out), (std::vector<std::string>{"24X24/24X48=0.5", "计算结束，请挑选数据！"}));

    // Tolerance 0: exact matches only.
    run = runTool({"gears", "1", "0"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out), (std::vector<std::string>{"24X24/24X24=1", "计算结束，请挑选数据！"}));

    // Beyond the largest ratio 115 * 115 / (24 * 24): no line at all.
    run = runTool({"gears", "100"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out), (std::vector<std::string>{"计算结束，无合格数据！请降低精度再开始！"}));
}

TEST(BatchGears, MessagesAndFaultsGoToStandardError) {
    // An empty target: the program's message; the window is untouched.
    lctest::ToolRun run = runTool({"gears", ""});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "请输入结果！\n");
    EXPECT_EQ(run.out, "Form1\n");

    // A target that is not a number: a conversion fault after the list was
    // cleared and the first caption set.
    run = runTool({"gears", "abc"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, lc::faultMessage({lc::FaultKind::Conversion, lc::SheetId::Gears, "Text1", "abc"}) + "\n");
    EXPECT_EQ(run.out, "计算中，请稍后！ 92\n");
}

TEST(BatchGears, BadUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"gears"}, std::vector<std::string>{"gears", "0.5", "0.1", "x"}}) {
        const lctest::ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "lingchuan-calc: usage: lingchuan-calc gears TARGET [TOLERANCE]\n");
    }
}

TEST(BatchGears, TheWindowThroughRun) {
    const Json out = lctest::runDocument(
        {{"sheets", {{"gears", {{"List1", {"old line"}}}}}},
         {"actions", {"gears.Text1=1", "gears.Text2=0", "gears.Command1", "gears.Command2", "Gljs"}}});
    for (const Json& e : out["log"]) EXPECT_EQ(e["outcome"], "done") << e.dump();
    // Hidden and shown again: the list and caption stay.
    EXPECT_EQ(out["sheets"]["gears"],
              (Json{{"Text1", "1"},
                     {"Text2", "0"},
                     {"List1", {"24X24/24X24=1"}},
                     {"Caption", "计算结束，请挑选数据！"},
                     {"visible", true}}));
}
