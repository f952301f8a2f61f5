// Sheet A2's start button: the worked examples field by field, the tables at
// their boundaries, the check-box overrides, and where a message or a fault
// stops the press.
//
// Expected texts not taken from the worked examples come from
// tests/core/sheet_a2_reference.py, a model of the sheet's steps that
// reproduces both worked examples digit for digit; the reference_ CTest tests
// check that this file still holds what it works out.
#include <gtest/gtest.h>

#include <algorithm>

#include "sheet_a2_support.h"

using namespace lc;
using namespace a2test;

namespace {

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Example 1 typed in, with the given cutter radius (empty: none).
Sheet& example1(Workbook& wb, const std::string& radius = "44.45") {
    Sheet& s = openA2(wb);
    type(s, example1Inputs());
    s.setText("Text17", radius);
    return s;
}

}  // namespace

// ---- worked examples ------------------------------------------------------

TEST(A2Calculation, FirstWorkedExampleWritesEveryFieldOfBothStretches) {
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text20(0)", "a");
    const Outcome o = a2Command1(wb);
    EXPECT_EQ(o.kind, Outcome::Kind::Done);
    EXPECT_FALSE(o.focus.has_value());
    expectTexts(s, example1FirstStretch());
    expectTexts(s, example1SecondStretch());
    expectTexts(s, example1Inputs());
    expectTexts(s, {{"Text17", "44.45"}, {"Text20(0)", "a"}, {"Text20(1)", ""}});
    EXPECT_EQ(wb.flags.a2Done, kTrue);
    EXPECT_EQ(wb.flags.pinionRightHand, kFalse);  // Option1 reads "左"
}

TEST(A2Calculation, SecondStretchFromTheTextsTheFirstOneLeft) {
    // A press without a cutter radius stops after the first stretch; typing
    // the radius and pressing again gives the second stretch's worked example.
    Workbook wb;
    Sheet& s = example1(wb, "");
    const Outcome stop = a2Command1(wb);
    EXPECT_EQ(stop.kind, Outcome::Kind::Message);
    expectTexts(s, example1FirstStretch());
    for (const auto& f : secondStretchFields()) EXPECT_EQ(s.text(f), "") << f;
    EXPECT_EQ(wb.flags.a2Done, kFalse);

    s.setText("Text17", "44.45");
    EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(s, example1FirstStretch());
    expectTexts(s, example1SecondStretch());
    EXPECT_EQ(wb.flags.a2Done, kTrue);
}

TEST(A2Calculation, SecondFirstStretchExample) {
    Workbook wb;
    Sheet& s = openA2(wb);
    type(s, {{"Text1", "13"}, {"Text2", "40"}, {"Text3", "0.9"}, {"Text5", "20"}, {"Text12", "0.25"}});
    const Outcome o = a2Command1(wb);
    EXPECT_EQ(o.kind, Outcome::Kind::Message);
    EXPECT_EQ(o.message, "请输入刀盘半径 ！");
    EXPECT_EQ(o.focus, "Text17");
    expectTexts(s, {{"Text8", "0.3"},
                    {"Text14", "0.25"},
                    {"Text7", "0.92"},
                    {"Text4", "3.07692307692308"},
                    {"Text6", "42.0594816896262"},
                    {"Text9", "1.656"},
                    {"Text10", "0.27"},
                    {"Text11", "2.82743334"},
                    {"Text13", "18.9267667603318"},
                    {"Text15", "4.73169169008295"},
                    {"Text16", "16.5609209152903"},
                    {"Text23(0)", "1.053"},
                    {"Text23(1)", "0.603"},
                    {"Text24(0)", "0.873"},
                    {"Text24(1)", "1.323"},
                    {"Text25(0)", "2.64090475173219"},
                    {"Text25(1)", "3.99852850930225"}});
}

TEST(A2Calculation, TwoPressesGiveTheSameTexts) {
    Workbook wb;
    Sheet& s = example1(wb);
    a2Command1(wb);
    std::vector<std::string> first;
    for (const auto& f : s.fieldNames()) first.push_back(s.text(f));
    EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(s.text(s.fieldNames()[i]), first[i]) << s.fieldNames()[i];
}

// ---- coefficient tables ----------------------------------------------------

TEST(A2Calculation, ModuleTablesAtTheirBoundaries) {
    for (const ModuleRow& r : moduleRows()) {
        Workbook wb;
        Sheet& s = example1(wb, "");
        s.setText("Text3", r.m);
        EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Message) << r.m;
        EXPECT_EQ(s.text("Text8"), r.kc) << "m = " << r.m;
        EXPECT_EQ(s.text("Text14"), r.kb) << "m = " << r.m;
    }
}

TEST(A2Calculation, ModuleInTheGapCalculatesThrough) {
    // m = 1.23 (example 1 otherwise): Kc 0.3, so C = 0.3 * 1.23 = 0.369.
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text3", "1.23");
    EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(s, {{"Text8", "0.3"}, {"Text14", "0.25"}, {"Text10", "0.369"}});
    EXPECT_EQ(wb.flags.a2Done, kTrue);
}

TEST(A2Calculation, SpiralAngleTable) {
    for (const auto& [beta, f] : Texts{{"0", "1"}, {"10", "0.92"}, {"25", "0.92"}, {"30", "0.82"}, {"40", "0.82"}}) {
        Workbook wb;
        Sheet& s = example1(wb, "");
        s.setText("Text5", beta);
        EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Message) << beta;
        EXPECT_EQ(s.text("Text7"), f) << "β = " << beta;
    }
    // Outside the rows f keeps the text of an earlier calculation.
    for (const char* beta : {"28", "41", "5", "-10"}) {
        Workbook wb;
        Sheet& s = example1(wb, "");
        s.setText("Text7", "0.92");
        s.setText("Text5", beta);
        EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Message) << beta;
        EXPECT_EQ(s.text("Text7"), "0.92") << "β = " << beta;
        EXPECT_EQ(s.text("Text9"), "3.68") << "β = " << beta;  // 2 * 0.92 * 2
    }
}

TEST(A2Calculation, SpiralAngleOutsideTheTableOnAFreshSheet) {
    // f has never been written: item 9 is skipped without a message, and the
    // pinion's initial addendum cannot read item 7.
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text5", "28");
    wb.flags.a2Done = kTrue;
    mark(s, {"Text9"});
    const Outcome o = a2Command1(wb);
    ASSERT_EQ(o.kind, Outcome::Kind::Fault);
    EXPECT_EQ(o.fault->kind, FaultKind::Conversion);
    EXPECT_EQ(o.fault->sheet, SheetId::A2);
    EXPECT_EQ(o.fault->field, "Text7");
    EXPECT_TRUE(o.fault->empty);
    EXPECT_EQ(o.message, "计算单A2 第7项（Text7）没有数值（内容为空），计算已停止。");
    EXPECT_EQ(s.text("Text7"), "");
    expectMarked(s, {"Text9"});
    expectTexts(s, {{"Text10", "0.5"}, {"Text16", "36.9266587305161"}, {"Text23(0)", ""}});
    EXPECT_EQ(wb.flags.a2Done, kTrue);
}

// ---- check boxes ---------------------------------------------------------------

TEST(A2Calculation, TypedFaceWidthIsKeptWithCheck1) {
    // b 12 typed: L = Le - 6 = 36.2018956920184; W and F follow from them.
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text15", "12");
    s.setCheck("Check1", 1);
    EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(s, {{"Text15", "12"},
                    {"Text16", "36.2018956920184"},
                    {"Text21", "0.8714278"},
                    {"Text22", "0.506334488139763"}});
}

TEST(A2Calculation, Check2AtZeroCopiesItem5IntoItem19) {
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text19", "30");
    EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(s, example1SecondStretch());  // item 19 reads 35 again
}

TEST(A2Calculation, TypedItem19ChangesOnlyTheCutterQuantities) {
    // Item 5 at 35, item 19 typed as 30 and kept: items 21 and 22 still come
    // from item 5; items 26, 27 and 42 from 30 degrees.
    Workbook ref;
    const Sheet& at35 = example1(ref);
    a2Command1(ref);

    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text19", "30");
    s.setCheck("Check2", 1);
    EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    EXPECT_EQ(s.text("Text19"), "30");
    for (const char* f : {"Text21", "Text22", "Text35(0)", "Text36(1)"}) EXPECT_EQ(s.text(f), at35.text(f)) << f;
    for (const char* f : {"Text26", "Text27", "Text28", "Text42(0)", "Text42(1)"})
        EXPECT_NE(s.text(f), at35.text(f)) << f;
    expectTexts(s, {{"Text26", "11.8611675475322"},
                    {"Text27", "63.1114501953125"},
                    {"Text28", "0.096855668620305"},
                    {"Text42(0)", "3.47824880178654"},
                    {"Text42(1)", "2.804936"}});
}

TEST(A2Calculation, TypedCutterNumberIsKeptWithCheck3) {
    // N 3.5 read as Single: A = [3.5 * 20 / sin 35°]s, Δθ = (A - B) / 2.
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text26", "3.5");
    s.setCheck("Check3", 1);
    EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(s, {{"Text26", "3.5"}, {"Text27", "-113.091270446777"}, {"Text28", "-0.173601661717423"}});
}

// ---- cutter size table ------------------------------------------------------

TEST(A2Calculation, CutterRadiusIsComparedAsText) {
    {
        // 25.4 mm: 2 inches; the rest follows the radius.
        Workbook wb;
        Sheet& s = example1(wb, "25.4");
        EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
        expectTexts(s, {{"Text18", "2"},
                        {"Text22", "0.329085493600641"},
                        {"Text26", "4.08778281264151"},
                        {"Text27", "-102.843589782715"}});
    }
    for (const auto& [radius, inches] : Texts{{"6.35", "0.5"}, {"13.97", "1.1"}, {"19.05", "1.5"}, {"44.45", "3.5"}}) {
        Workbook wb;
        Sheet& s = example1(wb, radius);
        a2Command1(wb);
        EXPECT_EQ(s.text("Text18"), inches) << radius;
    }
    // The same number typed otherwise leaves item 18 alone; the calculation
    // goes on with the typed radius.
    for (const char* radius : {"25.40", " 25.4", "25.4 "}) {
        Workbook wb;
        Sheet& s = example1(wb, radius);
        s.setText("Text18", "1.1");
        EXPECT_EQ(a2Command1(wb).kind, Outcome::Kind::Done) << '"' << radius << '"';
        expectTexts(s, {{"Text18", "1.1"}, {"Text22", "0.329085493600641"}, {"Text26", "4.08778281264151"}});
        EXPECT_EQ(wb.flags.a2Done, kTrue);
    }
    {
        // Only blanks: not empty, not in the table, and not a number.
        Workbook wb;
        Sheet& s = example1(wb, "  ");
        mark(s, secondStretchFields());
        const Outcome o = a2Command1(wb);
        ASSERT_EQ(o.kind, Outcome::Kind::Fault);
        EXPECT_EQ(o.fault->kind, FaultKind::Conversion);
        EXPECT_EQ(o.fault->field, "Text17");
        EXPECT_FALSE(o.fault->empty);
        expectTexts(s, {{"Text18", "old"}, {"Text19", "35"}, {"Text21", "0.8888738"}, {"Text22", "old"}});
    }
}

// ---- message stops ------------------------------------------------------------

TEST(A2Calculation, MissingRequiredInputStopsBeforeAnything) {
    const auto results = concat(firstStretchFields(), secondStretchFields());
    struct Case {
        std::vector<std::string> empty;
        const char* focus;
    };
    for (const Case& k : {Case{{"Text2"}, "Text2"}, Case{{"Text1", "Text2"}, "Text1"}, Case{{"Text3"}, "Text3"},
                          Case{{"Text5"}, "Text5"}, Case{{"Text12", "Text5"}, "Text5"}, Case{{"Text12"}, "Text12"}}) {
        for (const Flag done : {kFalse, kTrue}) {
            Workbook wb;
            Sheet& s = example1(wb);
            for (const auto& f : k.empty) s.setText(f, "");
            mark(s, results);
            a2Option2Click(wb);  // Option1 now reads "右"
            wb.flags.a2Done = done;
            const Outcome o = a2Command1(wb);
            EXPECT_EQ(o.kind, Outcome::Kind::Message);
            EXPECT_EQ(o.message, "请输入必要的参数！");
            EXPECT_EQ(o.focus, k.focus);
            expectMarked(s, results);
            EXPECT_EQ(wb.flags.a2Done, done);
            EXPECT_EQ(wb.flags.pinionRightHand, kTrue);
        }
    }
}

TEST(A2Calculation, BlankRequiredInputPassesTheCheckAndFaults) {
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text1", " ");
    const Outcome o = a2Command1(wb);
    ASSERT_EQ(o.kind, Outcome::Kind::Fault);
    EXPECT_EQ(o.fault->kind, FaultKind::Conversion);
    EXPECT_EQ(o.fault->field, "Text1");
    EXPECT_EQ(o.fault->text, " ");
    expectTexts(s, {{"Text8", "0.25"}, {"Text14", "0.25"}, {"Text7", "0.82"}, {"Text4", ""}});
}

TEST(A2Calculation, MissingCutterRadiusStopsAfterTheFirstStretch) {
    for (const Flag done : {kFalse, kTrue}) {
        Workbook wb;
        Sheet& s = example1(wb, "");
        mark(s, concat(firstStretchFields(), secondStretchFields()));
        s.setText("Text15", "");
        s.setText("Text19", "30");
        a2Option2Click(wb);
        wb.flags.a2Done = done;
        const Outcome o = a2Command1(wb);
        EXPECT_EQ(o.kind, Outcome::Kind::Message);
        EXPECT_EQ(o.message, "请输入刀盘半径 ！");
        EXPECT_EQ(o.focus, "Text17");
        expectTexts(s, example1FirstStretch());
        auto kept = secondStretchFields();
        std::erase(kept, "Text19");
        expectMarked(s, kept);
        EXPECT_EQ(s.text("Text19"), "30");
        EXPECT_EQ(wb.flags.a2Done, done);
        EXPECT_EQ(wb.flags.pinionRightHand, kTrue);
    }
}

TEST(A2Calculation, PinionHandFollowsOption1AtTheEndOfEachPress) {
    Workbook wb;
    Sheet& s = example1(wb);
    wb.flags.pinionRightHand = kTrue;
    a2Command1(wb);
    EXPECT_EQ(wb.flags.pinionRightHand, kFalse);
    a2Option2Click(wb);
    EXPECT_EQ(wb.flags.pinionRightHand, kFalse);  // only the next press reads it
    a2Command1(wb);
    EXPECT_EQ(wb.flags.pinionRightHand, kTrue);
    s.option1Caption = "右 ";
    a2Command1(wb);
    EXPECT_EQ(wb.flags.pinionRightHand, kFalse);
}

// ---- fault stops ----------------------------------------------------------------

TEST(A2Calculation, FaultsStopAtTheFailingStep) {
    struct Case {
        const char* name;
        Texts typed;
        int check1, check2;
        FaultKind kind;
        const char* field;  // the field being computed, or the unreadable one
        std::vector<std::string> written;
    };
    const auto& first = firstStretchFields();
    const auto firstUpTo = [&](const char* last) {
        auto end = std::find(first.begin(), first.end(), last);
        return std::vector<std::string>(first.begin(), end);
    };
    const Case cases[] = {
        // i = Z2 / 0, after the three coefficients.
        {"Z1 = 0", {{"Text1", "0"}}, 0, 0, FaultKind::DivisionByZero, "Text4", firstUpTo("Text4")},
        // Le = 0: atan(0 / 0) for the pinion's dedendum angle.
        {"m = 0", {{"Text3", "0"}}, 0, 0, FaultKind::Invalid, "Text25(0)", firstUpTo("Text25(0)")},
        // N = 0, then A = 0 * 20 / sin 0.
        {"item 19 = 0 typed",
         {{"Text19", "0"}},
         0,
         1,
         FaultKind::Invalid,
         "Text27",
         concat(first, {"Text18", "Text21", "Text22", "Text26"})},
        {"item 5 = 0 copied",
         {{"Text5", "0"}},
         0,
         0,
         FaultKind::Invalid,
         "Text27",
         concat(first, {"Text18", "Text19", "Text21", "Text22", "Text26"})},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Workbook wb;
        Sheet& s = example1(wb);
        const auto all = concat(firstStretchFields(), secondStretchFields());
        mark(s, all);
        type(s, k.typed);
        s.setCheck("Check1", k.check1);
        s.setCheck("Check2", k.check2);
        a2Option2Click(wb);
        wb.flags.a2Done = kTrue;
        const Outcome o = a2Command1(wb);
        ASSERT_EQ(o.kind, Outcome::Kind::Fault);
        EXPECT_EQ(o.fault->kind, k.kind);
        EXPECT_EQ(o.fault->sheet, SheetId::A2);
        EXPECT_EQ(o.fault->field, k.field);
        EXPECT_FALSE(o.message.empty());
        EXPECT_FALSE(o.focus.has_value());
        expectRewritten(s, k.written);
        std::vector<std::string> kept;
        for (const auto& f : all)
            if (std::find(k.written.begin(), k.written.end(), f) == k.written.end() &&
                std::find_if(k.typed.begin(), k.typed.end(), [&](auto& t) { return t.first == f; }) == k.typed.end())
                kept.push_back(f);
        expectMarked(s, kept);
        EXPECT_EQ(wb.flags.a2Done, kTrue);            // no flag changes
        EXPECT_EQ(wb.flags.pinionRightHand, kFalse);  // although Option1 reads "右"
    }
}

TEST(A2Calculation, FaultLeavesTheFieldsItWroteAndTheRestAlone) {
    // m = 0 in detail: what was written holds the new texts.
    Workbook wb;
    Sheet& s = example1(wb);
    s.setText("Text3", "0");
    mark(s, {"Text25(1)"});
    a2Command1(wb);
    expectTexts(s, {{"Text8", "0.35"},
                    {"Text14", "0.2"},
                    {"Text4", "4.1"},
                    {"Text9", "0"},
                    {"Text13", "0"},
                    {"Text16", "0"},
                    {"Text24(1)", "0"},
                    {"Text25(0)", ""},
                    {"Text25(1)", "old"}});
}

TEST(A2Calculation, EmptyTypedFaceWidthSkipsItem22ThenFaults) {
    // After a full calculation: Check1 ticked, item 15 emptied. Item 16 keeps
    // its earlier text, item 22 is skipped, and item 28 cannot read item 15.
    Workbook wb;
    Sheet& s = example1(wb);
    a2Command1(wb);
    s.setCheck("Check1", 1);
    s.setText("Text15", "");
    auto marked = secondStretchFields();
    mark(s, marked);
    const Outcome o = a2Command1(wb);
    ASSERT_EQ(o.kind, Outcome::Kind::Fault);
    EXPECT_EQ(o.fault->kind, FaultKind::Conversion);
    EXPECT_EQ(o.fault->field, "Text15");
    EXPECT_TRUE(o.fault->empty);
    EXPECT_EQ(s.text("Text16"), "36.9266587305161");
    expectTexts(s, {{"Text18", "3.5"},
                    {"Text19", "35"},
                    {"Text21", "0.8888738"},
                    {"Text22", "old"},
                    {"Text26", "12.8811819285765"},
                    {"Text27", "50.4646453857422"}});
    marked.erase(marked.begin(), marked.begin() + 6);  // from item 28 on
    expectMarked(s, marked);
}
