// The JSON workbook through `run`: given sheets, menu commands, typing,
// ticking, closing and the creation of sheets when something needs them.
#include <gtest/gtest.h>

#include "tool.h"

using lctest::Json;
using lctest::runDocument;

namespace {

Json doneEntry(const char* action) {
    return Json{{"action", action}, {"outcome", "done"}, {"message", ""}, {"focus", nullptr}};
}

Json flags(bool a2Done, bool b1Done, bool pinionRightHand) {
    return Json{{"a2Done", a2Done}, {"b1Done", b1Done}, {"pinionRightHand", pinionRightHand}};
}

}  // namespace

TEST(BatchWorkbook, EmptyDocumentGivesAnEmptyWorkbook) {
    const Json out = runDocument(Json::object());
    // The output without its log is a job file.
    EXPECT_EQ(out, (Json{{"format", "lingchuan-workbook"},
                         {"version", 1},
                         {"flags", flags(false, false, false)},
                         {"sheets", Json::object()},
                         {"log", Json::array()}}));
}

TEST(BatchWorkbook, GivenSheetsExistWithoutTheirCreationSteps) {
    const Json out = runDocument({
        {"flags", flags(true, true, false)},
        {"sheets",
         {{"A2", {{"Text18", "3.5"}, {"Text17", "44.45"}}}, {"B1", Json::object()}, {"C", Json::object()}}},
    });
    // Creating A2 would have cleared both flags; B1 and C would have imported.
    EXPECT_EQ(out["flags"], flags(true, true, false));
    const Json& a2 = out["sheets"]["A2"];
    EXPECT_EQ(a2["Text18"], "3.5");
    EXPECT_EQ(a2["Text5"], "35");
    EXPECT_EQ(a2["Text42(1)"], "");
    EXPECT_EQ(a2["Check3"], 0);
    EXPECT_EQ(a2["Option1"], "左");
    EXPECT_EQ(a2["Option2"], "右");
    EXPECT_EQ(a2["selected"], "Option1");
    EXPECT_EQ(a2["visible"], true);
    // 53 fields, 3 check boxes, 2 captions, the selection and whether it is shown.
    EXPECT_EQ(a2.size(), 53u + 3 + 3 + 1);
    EXPECT_EQ(out["sheets"]["B1"]["Text1(0)"], "");
    EXPECT_EQ(out["sheets"]["B1"].size(), 21u + 1 + 1);
    EXPECT_EQ(out["sheets"]["C"]["Text42"], "");
    EXPECT_EQ(out["sheets"]["C"]["Text13"], "20");
    EXPECT_EQ(out["sheets"]["C"].size(), 58u + 2 + 1);
    EXPECT_FALSE(out["sheets"].contains("gears"));
}

TEST(BatchWorkbook, OverlaidControlsComeBackAndTheOutputCanBeFedIn) {
    const Json given{
        {"flags", flags(false, true, true)},
        {"sheets",
         {{"A2", {{"Option1", "右"}, {"Option2", "左"}, {"selected", "Option2"}, {"Check2", 1}, {"Text19", "30"}}},
          {"gears",
           {{"Text1", "0.5"}, {"List1", {"24X24/24X48=0.5", "x"}}, {"Caption", "计算结束，请挑选数据！"}}}}},
    };
    const lctest::ToolRun run = lctest::runTool({"run"}, given.dump());
    ASSERT_EQ(run.status, 0) << run.err;
    // Chinese texts are written as they are, not as \u escapes.
    EXPECT_NE(run.out.find("\"Option1\": \"右\""), std::string::npos);
    EXPECT_EQ(run.out.find("\\u"), std::string::npos);

    const Json out = Json::parse(run.out);
    EXPECT_EQ(out["flags"], flags(false, true, true));
    const Json& a2 = out["sheets"]["A2"];
    EXPECT_EQ(a2["Option1"], "右");
    EXPECT_EQ(a2["Option2"], "左");
    EXPECT_EQ(a2["selected"], "Option2");
    EXPECT_EQ(a2["Check2"], 1);
    EXPECT_EQ(a2["Check1"], 0);
    EXPECT_EQ(a2["Text19"], "30");
    const Json& gears = out["sheets"]["gears"];
    EXPECT_EQ(gears, (Json{{"Text1", "0.5"},
                           {"Text2", "0.000001"},
                           {"List1", {"24X24/24X48=0.5", "x"}},
                           {"Caption", "计算结束，请挑选数据！"},
                           {"visible", true}}));

    // The result, log and all, is a valid input that reproduces itself.
    const Json again = runDocument(out);
    EXPECT_EQ(again["flags"], out["flags"]);
    EXPECT_EQ(again["sheets"], out["sheets"]);
    EXPECT_EQ(again["log"], Json::array());
}

TEST(BatchWorkbook, MenuCommandsCreateShowAndImport) {
    // A1 creates sheet A2, which clears both flags; A1 again keeps the sheet.
    Json out = runDocument({{"flags", flags(true, true, false)}, {"actions", {"A1", "A2.Text1=10", "A1"}}});
    EXPECT_EQ(out["flags"], flags(false, false, false));
    EXPECT_EQ(out["sheets"]["A2"]["Text1"], "10");
    EXPECT_EQ(out["log"], (Json{doneEntry("A1"), doneEntry("A2.Text1=10"), doneEntry("A1")}));

    // B1 after an A2 calculation imports A2's items 18, 17, 26 and 21 into an
    // existing sheet B1, over what was typed there.
    out = runDocument({
        {"flags", flags(true, false, false)},
        {"sheets",
         {{"A2", {{"Text18", "3.5"}, {"Text17", "44.45"}, {"Text26", "12.8811819285765"}, {"Text21", "0.8888738"}}},
          {"B1", {{"Text2", "typed"}}}}},
        {"actions", {"B1"}},
    });
    const Json& b1 = out["sheets"]["B1"];
    EXPECT_EQ(b1["Text1(0)"], "3.5");
    EXPECT_EQ(b1["Text1(1)"], "44.45");
    EXPECT_EQ(b1["Text2"], "12.8811819285765");
    EXPECT_EQ(b1["Text3"], "0.8888738");

    // C creates sheet C, which copies A2's texts and B1's item 53 twice.
    out = runDocument({
        {"flags", flags(true, true, false)},
        {"sheets",
         {{"A2", {{"Text1", "10"}, {"Text2", "41"}, {"Text3", "2"}, {"Text6", "42.2018956920184"},
                  {"Text15", "10.5504739230046"}, {"Text16", "36.9266587305161"}, {"Text31", "3.934887"}}},
          {"B1", {{"Text15", "0.50000000"}}}}},
        {"actions", {"C", "Gljs"}},
    });
    const Json& c = out["sheets"]["C"];
    EXPECT_EQ(c["Text42"], "10");
    EXPECT_EQ(c["Text43"], "41");
    EXPECT_EQ(c["Text44"], "42.2018956920184");
    EXPECT_EQ(c["Text45"], "2");
    EXPECT_EQ(c["Text46"], "35");
    EXPECT_EQ(c["Text47"], "36.9266587305161");
    EXPECT_EQ(c["Text48"], "10.5504739230046");
    EXPECT_EQ(c["Text50"], "3.934887");
    EXPECT_EQ(c["Text56"], "0.50000000");
    EXPECT_EQ(c["Text57"], "0.50000000");
    EXPECT_EQ(out["sheets"]["gears"]["Caption"], "Form1");
}

TEST(BatchWorkbook, ControlEventsCreateTheSheetTheyNeed) {
    // The end buttons of a sheet C and a change-gear window that do not exist
    // yet: each window is created, with its creation steps, and then hidden.
    Json out = runDocument({{"flags", flags(true, false, false)},
                            {"sheets", {{"A2", {{"Text1", "10"}}}}},
                            {"actions", {"C.Command3", "gears.Command2"}}});
    EXPECT_EQ(out["sheets"]["C"]["Text42"], "10");
    EXPECT_EQ(out["sheets"]["gears"]["Caption"], "Form1");
    EXPECT_EQ(out["log"], (Json{doneEntry("C.Command3"), doneEntry("gears.Command2")}));

    // Typing into a sheet A2 that does not exist creates it: the flags clear.
    out = runDocument({{"flags", flags(true, true, false)},
                            {"actions", {"A2.Text2=a=b", "A2.Text5=", "A2.Check3=1", "A2.Check3=0", "A2.Check1=1"}}});
    EXPECT_EQ(out["flags"], flags(false, false, false));
    const Json& a2 = out["sheets"]["A2"];
    EXPECT_EQ(a2["Text2"], "a=b");  // split at the first '='
    EXPECT_EQ(a2["Text5"], "");
    EXPECT_EQ(a2["Check3"], 0);
    EXPECT_EQ(a2["Check1"], 1);

    // Typing into sheet B1 creates it with its import.
    out = runDocument({{"flags", flags(true, false, false)},
                       {"sheets", {{"A2", {{"Text17", "44.45"}}}}},
                       {"actions", {"B1.Text16=0.9"}}});
    EXPECT_EQ(out["sheets"]["B1"]["Text1(1)"], "44.45");
    EXPECT_EQ(out["sheets"]["B1"]["Text16"], "0.9");
    EXPECT_EQ(out["flags"], flags(true, false, false));
}

TEST(BatchWorkbook, ClosingDiscardsASheetAndAReadCreatesItAnew) {
    // Closing sheet A2 discards its texts but leaves the flags.
    Json out = runDocument({{"flags", flags(true, true, false)},
                            {"sheets", {{"A2", {{"Text1", "10"}}}, {"B1", {{"Text15", "0.5"}}}}},
                            {"actions", {"A2.close", "gears.close"}}});
    EXPECT_FALSE(out["sheets"].contains("A2"));
    EXPECT_FALSE(out["sheets"].contains("gears"));
    EXPECT_EQ(out["flags"], flags(true, true, false));
    EXPECT_EQ(out["log"], (Json{doneEntry("A2.close"), doneEntry("gears.close")}));

    // Sheet C's creation then reads sheet A2, which is created anew with its
    // defaults and clears both flags: C takes the new sheet's texts, and the
    // B1 import is skipped.
    out = runDocument({{"flags", flags(true, true, false)},
                       {"sheets", {{"A2", {{"Text1", "10"}, {"Text5", "20"}}}, {"B1", {{"Text15", "0.5"}}}}},
                       {"actions", {"A2.close", "C"}}});
    EXPECT_EQ(out["flags"], flags(false, false, false));
    EXPECT_EQ(out["sheets"]["A2"]["Text1"], "");
    EXPECT_EQ(out["sheets"]["A2"]["Text5"], "35");
    EXPECT_EQ(out["sheets"]["C"]["Text42"], "");
    EXPECT_EQ(out["sheets"]["C"]["Text46"], "35");
    EXPECT_EQ(out["sheets"]["C"]["Text56"], "");
}

TEST(BatchTool, HelpAndVersion) {
    const lctest::ToolRun help = lctest::runTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* part : {"lingchuan-calc run", "lingchuan-calc gears TARGET [TOLERANCE]",
                             "lingchuan-calc gears 0.5", "| lingchuan-calc run", "creates\n  that sheet first"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;

    const lctest::ToolRun version = lctest::runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("lingchuan-calc ", 0), 0u) << version.out;
    EXPECT_EQ(lctest::lines(version.out).size(), 1u);
}
