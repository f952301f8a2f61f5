// The sheets' handlers driven through `run`: the A2 worked example, the whole
// chain of sheets, Enter and the clicks, message stops and fault stops.
#include <gtest/gtest.h>

#include "core/calc.h"
#include "tool.h"
#include "../common/a2_worked_example.h"

using lctest::Json;
using lctest::runDocument;

namespace {

const Json kA2Inputs = Json::array(
    {"A2.Text1=10", "A2.Text2=41", "A2.Text3=2", "A2.Text5=35", "A2.Text12=0.4", "A2.Text17=44.45"});

Json actions(std::initializer_list<Json> groups) {
    Json all = Json::array();
    for (const Json& g : groups) {
        if (g.is_array())
            for (const Json& a : g) all.push_back(a);
        else
            all.push_back(g);
    }
    return all;
}

void expectTexts(const Json& sheet, const example::Texts& texts) {
    for (const auto& [field, text] : texts) EXPECT_EQ(sheet[field], text) << field;
}

// The worked example of the A2 calculation: everything the sheet shows after it.
const example::Texts kA2Example = example::a2Calculated();


Json entry(const char* action, const char* outcome, const std::string& message, const Json& focus) {
    return Json{{"action", action}, {"outcome", outcome}, {"message", message}, {"focus", focus}};
}

Json faultEntry(const char* action, lc::FaultRecord f, const char* kind, const Json& focus) {
    Json e = entry(action, "fault", lc::faultMessage(f), focus);
    e["fault"] = kind;
    e["sheet"] = lc::sheetKey(f.sheet);
    e["field"] = f.field;
    return e;
}

}  // namespace

TEST(BatchCalculation, A2WorkedExample) {
    const Json out = runDocument({{"actions", actions({"A1", kA2Inputs, "A2.Command1"})}});
    const Json& a2 = out["sheets"]["A2"];
    expectTexts(a2, kA2Example);
    for (const char* input : {"Text1", "Text2", "Text3", "Text5", "Text12", "Text17"})
        EXPECT_NE(a2[input], "") << input;
    EXPECT_EQ(out["flags"]["a2Done"], true);
    EXPECT_EQ(out["flags"]["pinionRightHand"], false);
    EXPECT_EQ(out["log"].back(), entry("A2.Command1", "done", "", nullptr));
    EXPECT_EQ(out["log"].size(), 8u);
}

TEST(BatchCalculation, WholeChainOfSheets) {
    const Json out = runDocument({{"actions", actions({
                                                   "A1",
                                                   kA2Inputs,
                                                   "A2.Option2",
                                                   "A2.Command1",
                                                   "A2.Command2",
                                                   "B1.Text16=0.95",
                                                   "B1.Command1",
                                                   "B1.Command3",
                                                   "C.Text52=20",
                                                   "C.Text53=10",
                                                   "C.Text54=20",
                                                   "C.Text55=10",
                                                   "C.Command1",
                                                   "C.Command3",
                                               })}});
    for (const Json& e : out["log"]) EXPECT_EQ(e["outcome"], "done") << e.dump();
    EXPECT_EQ(out["flags"], (Json{{"a2Done", true}, {"b1Done", true}, {"pinionRightHand", true}}));

    // Sheet B1 was created by A2's next button after the calculation: it took
    // A2's items 18, 17, 26 and 21.
    const Json& b1 = out["sheets"]["B1"];
    expectTexts(b1, {{"Text1(0)", "3.5"}, {"Text1(1)", "44.45"}, {"Text2", "12.8811819285765"}, {"Text3", "0.8888738"}});
    // Items 55 to 58 ran: the addenda are copied as texts.
    expectTexts(b1, {{"Text19", "2.517444"}, {"Text20", "0.9174438"}, {"Text10", "0"}});
    EXPECT_EQ(b1["Text11"], b1["Text8"]);
    EXPECT_EQ(b1["Text12"], b1["Text6"]);
    EXPECT_EQ(b1["Text15"], b1["Text9"]);

    // Sheet C was created by B1's next button after both calculations.
    const Json& c = out["sheets"]["C"];
    expectTexts(c, example::cImportedFromA2());
    EXPECT_EQ(c["Text56"], b1["Text15"]);
    EXPECT_EQ(c["Text57"], b1["Text15"]);
    // The B1 and C calculations with cosβe 0.95, the angles 20, 10, 20, 10 and
    // a right-hand pinion (tests/core/sheet_bc_reference.py, "whole chain").
    expectTexts(b1, {{"Text9", "0.54171242"}, {"Text17", "3.32261508726731"}, {"Text18", "2.6464112"}});
    expectTexts(c, {{"Text3", "17.409854123526"},
                    {"Text5", "40.6610430410631"},
                    {"Text7", "10.1713004626077"},
                    {"Text11", "2.03426009252154"},
                    {"Text12", "0.496160998175985"},
                    {"Text23", "2.78102255698785"},
                    {"Text29", "-33.1837664796013"},
                    {"Text30", "111.957284651594"}});
    // Equal pairs as the sheet gives them.
    EXPECT_EQ(c["Text25"], c["Text26"]);
    EXPECT_EQ(c["Text27"], c["Text28"]);
    // The cam rise 2h + 6 with h = 3.934887: 13.869774 (Python: 2*3.934887+6 to 15 digits).
    EXPECT_EQ(c["Text38"], "13.869774");
}

TEST(BatchCalculation, EnterAndClicksOfSheetA2) {
    const Json out = runDocument({{"actions",
                                   {"A1", "A2.Text1=20", "A2.Text1.Enter", "A2.Text2=41", "A2.Text2.Enter",
                                    "A2.Text3=0.5", "A2.Text3.Enter", "A2.Text5.Enter", "A2.Text12.Enter",
                                    "A2.Text17.Enter", "A2.Option2", "A2.Label1", "A2.Text1.Enter"}}});
    const Json& log = out["log"];
    EXPECT_EQ(log[2], entry("A2.Text1.Enter", "done", "", "Text2"));
    EXPECT_EQ(log[4], entry("A2.Text2.Enter", "done", "", "Text3"));
    EXPECT_EQ(log[6], entry("A2.Text3.Enter", "done", "", "Text5"));
    EXPECT_EQ(log[7], entry("A2.Text5.Enter", "done", "", "Text12"));
    EXPECT_EQ(log[8], entry("A2.Text12.Enter", "done", "", "Text17"));
    EXPECT_EQ(log[9], entry("A2.Text17.Enter", "done", "", "Command1"));
    // The label writes "wr " into item 2; the gear ratio then cannot read it,
    // and the focus has already moved on.
    EXPECT_EQ(log[12], faultEntry("A2.Text1.Enter", {lc::FaultKind::Conversion, lc::SheetId::A2, "Text2", "wr "},
                                  "conversion", "Text2"));
    const Json& a2 = out["sheets"]["A2"];
    // 41 / 20, written as Double; m = 0.5: Kc 0.35, Kb 0.2; β = 35: f 0.82.
    expectTexts(a2, {{"Text4", "2.05"}, {"Text8", "0.35"}, {"Text14", "0.2"}, {"Text7", "0.82"}, {"Text2", "wr "}});
    expectTexts(a2, {{"Option1", "右"}, {"Option2", "左"}, {"selected", "Option2"}});
    // The hand takes effect only at the next calculation.
    EXPECT_EQ(out["flags"]["pinionRightHand"], false);
}

TEST(BatchCalculation, MessageStopsKeepWhatWasWrittenBefore) {
    // No cutter radius: the first stretch has written items 23 to 25, the
    // second stretch writes nothing, and the hand is still recorded.
    Json out = runDocument({{"sheets", {{"A2", {{"Text18", "old"}, {"Text42(0)", "old"}, {"Option1", "右"}}}}},
                            {"actions", {"A2.Text1=10", "A2.Text2=41", "A2.Text3=2", "A2.Text12=0.4", "A2.Command1"}}});
    EXPECT_EQ(out["log"].back(), entry("A2.Command1", "message", "请输入刀盘半径 ！", "Text17"));
    const Json& a2 = out["sheets"]["A2"];
    expectTexts(a2, {{"Text23(0)", "2.44"}, {"Text24(1)", "2.94"}, {"Text25(1)", "3.9850786718361"}});
    expectTexts(a2, {{"Text18", "old"}, {"Text42(0)", "old"}});
    EXPECT_EQ(out["flags"], (Json{{"a2Done", false}, {"b1Done", false}, {"pinionRightHand", true}}));

    // A missing required input: the focus goes to the first empty one.
    out = runDocument({{"actions", {"A2.Text1=10", "A2.Command1"}}});
    EXPECT_EQ(out["log"].back(), entry("A2.Command1", "message", "请输入必要的参数！", "Text2"));
    EXPECT_EQ(out["sheets"]["A2"]["Text8"], "");

    // B1 without cosβe: items 4 to 9 and 48 to 53 are written, 55 to 58 not.
    out = runDocument({{"actions", actions({kA2Inputs, "A2.Command1", "B1.Command1"})}});
    EXPECT_EQ(out["log"].back(), entry("B1.Command1", "message", "请输入COSβe值", "Text16"));
    const Json& b1 = out["sheets"]["B1"];
    EXPECT_NE(b1["Text9"], "");
    EXPECT_EQ(b1["Text10"], "0");
    EXPECT_EQ(b1["Text17"], "");
    EXPECT_EQ(out["flags"]["b1Done"], false);
}

TEST(BatchCalculation, FaultStopsKeepWhatWasWrittenBefore) {
    // Z1 = 0: the three coefficients are written, then the gear ratio divides
    // by zero; nothing after it is written and a2Done stays as it was.
    Json out = runDocument({{"flags", {{"a2Done", true}}},
                            {"sheets", {{"A2", {{"Text4", "old"}, {"Text6", "old"}}}}},
                            {"actions", {"A2.Text1=0", "A2.Text2=41", "A2.Text3=2", "A2.Text12=0.4",
                                         "A2.Text17=44.45", "A2.Command1"}}});
    EXPECT_EQ(out["log"].back(), faultEntry("A2.Command1", {lc::FaultKind::DivisionByZero, lc::SheetId::A2, "Text4", ""},
                                            "division_by_zero", nullptr));
    const Json& a2 = out["sheets"]["A2"];
    expectTexts(a2, {{"Text8", "0.25"}, {"Text14", "0.25"}, {"Text7", "0.82"}, {"Text4", "old"}, {"Text6", "old"}});
    EXPECT_EQ(out["flags"]["a2Done"], true);

    // Sheet C before sheet B1 was calculated: items 1 to 24 are written, then
    // item 25 cannot read sheet B1's empty item 50.
    out = runDocument({{"actions", actions({kA2Inputs, "A2.Command1", "C.Text52=20", "C.Text53=10",
                                            "C.Text54=20", "C.Text55=10", "C.Command1"})}});
    EXPECT_EQ(out["log"].back(), faultEntry("C.Command1", {lc::FaultKind::Conversion, lc::SheetId::B1, "Text12", "", true},
                                            "conversion", nullptr));
    EXPECT_NE(out["sheets"]["C"]["Text24"], "");
    EXPECT_EQ(out["sheets"]["C"]["Text25"], "");
    EXPECT_TRUE(out["sheets"].contains("B1"));
}
