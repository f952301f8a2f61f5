// Sheet A2 while it is being filled in: the Enter chain with its gear ratio and
// coefficients, the hand buttons, the label click, restart and next.
#include <gtest/gtest.h>

#include "sheet_a2_support.h"

using namespace lc;
using namespace a2test;

TEST(A2Enter, FocusFollowsTheChain) {
    Workbook wb;
    openA2(wb);
    for (const auto& [field, next] : Texts{{"Text1", "Text2"},
                                            {"Text2", "Text3"},
                                            {"Text3", "Text5"},
                                            {"Text5", "Text12"},
                                            {"Text12", "Text17"},
                                            {"Text17", "Command1"}}) {
        const Outcome o = a2Enter(wb, field);
        EXPECT_EQ(o.kind, Outcome::Kind::Done) << field;
        EXPECT_EQ(o.focus, next) << field;
    }
}

TEST(A2Enter, OtherFieldsDoNothing) {
    Workbook wb;
    Sheet& s = openA2(wb);
    type(s, {{"Text1", "20"}, {"Text2", "41"}, {"Text3", "1"}});
    for (const char* field : {"Text15", "Text19", "Text26", "Text4", "Text20(0)"}) {
        const Outcome o = a2Enter(wb, field);
        EXPECT_EQ(o.kind, Outcome::Kind::Done) << field;
        EXPECT_FALSE(o.focus.has_value()) << field;
    }
    for (const char* f : {"Text4", "Text7", "Text8", "Text14"}) EXPECT_EQ(s.text(f), "") << f;
}

TEST(A2Enter, GearRatioFromEitherToothCount) {
    for (const char* field : {"Text1", "Text2"}) {
        Workbook wb;
        Sheet& s = openA2(wb);
        type(s, {{"Text1", "20"}, {"Text2", "41"}});
        EXPECT_EQ(a2Enter(wb, field).kind, Outcome::Kind::Done);
        EXPECT_EQ(s.text("Text4"), "2.05") << field;
    }
    {
        // Each handler tests only the other field.
        Workbook wb;
        Sheet& s = openA2(wb);
        s.setText("Text1", "20");
        EXPECT_EQ(a2Enter(wb, "Text1").focus, "Text2");
        EXPECT_EQ(s.text("Text4"), "");
        s.setText("Text1", "");
        s.setText("Text2", "41");
        EXPECT_EQ(a2Enter(wb, "Text2").focus, "Text3");
        EXPECT_EQ(s.text("Text4"), "");
    }
    {
        // 13 and 40: 40 / 13 to 15 digits.
        Workbook wb;
        Sheet& s = openA2(wb);
        type(s, {{"Text1", "13"}, {"Text2", "40"}});
        a2Enter(wb, "Text2");
        EXPECT_EQ(s.text("Text4"), "3.07692307692308");
    }
}

TEST(A2Enter, AFaultLeavesTheFocusMovedAndWritesNothing) {
    struct Case {
        const char* enter;
        Texts typed;
        FaultKind kind;
        const char* field;
        const char* focus;
    };
    for (const Case& k : {
             Case{"Text1", {{"Text1", ""}, {"Text2", "41"}}, FaultKind::Conversion, "Text1", "Text2"},
             Case{"Text2", {{"Text1", "0"}, {"Text2", "41"}}, FaultKind::DivisionByZero, "Text4", "Text3"},
             Case{"Text2", {{"Text1", "abc"}, {"Text2", "41"}}, FaultKind::Conversion, "Text1", "Text3"},
             Case{"Text3", {{"Text3", " "}}, FaultKind::Conversion, "Text3", "Text5"},
             Case{"Text5", {{"Text5", "1.2.3"}}, FaultKind::Conversion, "Text5", "Text12"},
         }) {
        SCOPED_TRACE(k.enter);
        Workbook wb;
        Sheet& s = openA2(wb);
        type(s, k.typed);
        mark(s, {"Text4", "Text7", "Text8", "Text14"});
        const Outcome o = a2Enter(wb, k.enter);
        ASSERT_EQ(o.kind, Outcome::Kind::Fault);
        EXPECT_EQ(o.fault->kind, k.kind);
        EXPECT_EQ(o.fault->field, k.field);
        EXPECT_EQ(o.focus, k.focus);
        expectMarked(s, {"Text4", "Text7", "Text8", "Text14"});
    }
}

TEST(A2Enter, LabelClickWritesTextThatIsNoNumber) {
    Workbook wb;
    Sheet& s = openA2(wb);
    s.setText("Text1", "20");
    s.setText("Text2", "41");
    EXPECT_EQ(a2Label1Click(wb).kind, Outcome::Kind::Done);
    EXPECT_EQ(s.text("Text2"), "wr ");
    const Outcome o = a2Enter(wb, "Text1");
    ASSERT_EQ(o.kind, Outcome::Kind::Fault);
    EXPECT_EQ(o.fault->kind, FaultKind::Conversion);
    EXPECT_EQ(o.fault->field, "Text2");
    EXPECT_EQ(o.fault->text, "wr ");
    EXPECT_EQ(o.focus, "Text2");
    EXPECT_EQ(s.text("Text4"), "");
}

TEST(A2Enter, ModuleFillsKcAndKb) {
    for (const ModuleRow& r : moduleRows()) {
        Workbook wb;
        Sheet& s = openA2(wb);
        s.setText("Text3", r.m);
        EXPECT_EQ(a2Enter(wb, "Text3").focus, "Text5");
        EXPECT_EQ(s.text("Text8"), r.kc) << "m = " << r.m;
        EXPECT_EQ(s.text("Text14"), r.kb) << "m = " << r.m;
        EXPECT_EQ(s.text("Text7"), "") << "m = " << r.m;
    }
    {
        // Empty: the focus moves and nothing is read.
        Workbook wb;
        Sheet& s = openA2(wb);
        mark(s, {"Text8", "Text14"});
        const Outcome o = a2Enter(wb, "Text3");
        EXPECT_EQ(o.kind, Outcome::Kind::Done);
        EXPECT_EQ(o.focus, "Text5");
        expectMarked(s, {"Text8", "Text14"});
    }
}

TEST(A2Enter, SpiralAngleFillsF) {
    for (const auto& [beta, f] : Texts{{"35", "0.82"}, {"25", "0.92"}, {"10", "0.92"}, {"40", "0.82"},
                                       {"0", "1"}, {"27", "old"}, {"45", "old"}, {"5", "old"}}) {
        Workbook wb;
        Sheet& s = openA2(wb);
        s.setText("Text5", beta);
        mark(s, {"Text7", "Text8"});
        EXPECT_EQ(a2Enter(wb, "Text5").focus, "Text12");
        EXPECT_EQ(s.text("Text7"), f) << "β = " << beta;
        EXPECT_EQ(s.text("Text8"), "old");
    }
    {
        // The preset 35 of a new sheet.
        Workbook wb;
        Sheet& s = openA2(wb);
        a2Enter(wb, "Text5");
        EXPECT_EQ(s.text("Text7"), "0.82");
    }
}

TEST(A2Enter, CutterRadiusOnlyMovesToTheStartButton) {
    Workbook wb;
    Sheet& s = openA2(wb);
    type(s, example1Inputs());
    s.setText("Text17", "44.45");
    for (const char* field : {"Text12", "Text17"}) EXPECT_EQ(a2Enter(wb, field).kind, Outcome::Kind::Done);
    EXPECT_EQ(a2Enter(wb, "Text17").focus, "Command1");
    for (const char* f : {"Text4", "Text7", "Text8", "Text18", "Text21"}) EXPECT_EQ(s.text(f), "") << f;
    EXPECT_EQ(wb.flags.a2Done, kFalse);
}

TEST(A2Options, ClickedButtonReadsLeft) {
    Workbook wb;
    Sheet& s = openA2(wb);
    a2Option2Click(wb);
    EXPECT_EQ(s.selectedOption, 2);
    EXPECT_EQ(s.option1Caption, "右");
    EXPECT_EQ(s.option2Caption, "左");
    a2Option2Click(wb);
    EXPECT_EQ(s.option1Caption, "右");
    a2Option1Click(wb);
    EXPECT_EQ(s.selectedOption, 1);
    EXPECT_EQ(s.option1Caption, "左");
    EXPECT_EQ(s.option2Caption, "右");
}

TEST(A2Restart, EmptiesTheSheetAndLeavesTheRest) {
    Workbook wb;
    Sheet& s = openA2(wb);
    type(s, example1Inputs());
    s.setText("Text17", "44.45");
    a2Command1(wb);
    ASSERT_EQ(wb.flags.a2Done, kTrue);
    a2Option2Click(wb);
    a2Command1(wb);  // pinionRightHand True
    for (const char* box : {"Check1", "Check2", "Check3"}) s.setCheck(box, 1);
    s.setText("Text20(0)", "a");
    s.setText("Text20(1)", "b");
    a2Command2(wb);  // sheet B1 with its import
    Sheet& b1 = wb.sheet(SheetId::B1);
    ASSERT_EQ(b1.text("Text1(0)"), "3.5");
    wb.flags.b1Done = kTrue;

    const Outcome o = a2Command3(wb);
    EXPECT_EQ(o.kind, Outcome::Kind::Done);
    EXPECT_EQ(o.focus, "Text1");
    for (const auto& f : s.fieldNames()) {
        if (f == "Text20(0)" || f == "Text20(1)") continue;
        EXPECT_EQ(s.text(f), "") << f;
    }
    expectTexts(s, {{"Text5", ""}, {"Text20(0)", "a"}, {"Text20(1)", "b"}});
    for (const char* box : {"Check1", "Check2", "Check3"}) EXPECT_EQ(s.check(box), 0) << box;
    EXPECT_EQ(wb.flags.a2Done, kFalse);
    EXPECT_EQ(wb.flags.b1Done, kTrue);
    EXPECT_EQ(wb.flags.pinionRightHand, kTrue);
    EXPECT_EQ(s.selectedOption, 2);
    EXPECT_EQ(s.option1Caption, "右");
    EXPECT_EQ(s.option2Caption, "左");
    EXPECT_EQ(b1.text("Text1(0)"), "3.5");

    // β is empty now: Enter in item 5 only moves the focus.
    const Outcome enter = a2Enter(wb, "Text5");
    EXPECT_EQ(enter.kind, Outcome::Kind::Done);
    EXPECT_EQ(enter.focus, "Text12");
    EXPECT_EQ(s.text("Text7"), "");
}

TEST(A2Next, ShowsSheetB1WhichImportsOnlyWhenCreated) {
    {
        // Not calculated: B1 opens without importing.
        Workbook wb;
        Sheet& s = openA2(wb);
        s.setText("Text18", "2");
        EXPECT_EQ(a2Command2(wb).kind, Outcome::Kind::Done);
        ASSERT_TRUE(wb.exists(SheetId::B1));
        EXPECT_TRUE(wb.sheet(SheetId::B1).visible);
        EXPECT_EQ(wb.sheet(SheetId::B1).text("Text1(0)"), "");
        EXPECT_TRUE(s.visible);
    }
    {
        Workbook wb;
        Sheet& s = openA2(wb);
        type(s, example1Inputs());
        s.setText("Text17", "44.45");
        a2Command1(wb);
        a2Command2(wb);
        const Sheet& b1 = wb.sheet(SheetId::B1);
        expectTexts(b1, {{"Text1(0)", "3.5"},
                         {"Text1(1)", "44.45"},
                         {"Text2", "12.8811819285765"},
                         {"Text3", "0.8888738"}});
        // Already there: only shown again, no import.
        s.setText("Text17", "25.4");
        a2Command1(wb);
        wb.hide(SheetId::B1);
        a2Command2(wb);
        EXPECT_TRUE(b1.visible);
        expectTexts(b1, {{"Text1(0)", "3.5"}, {"Text1(1)", "44.45"}});
    }
}
