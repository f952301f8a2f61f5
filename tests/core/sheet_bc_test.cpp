// Sheets B1 and C through their handlers and the workbook: imports, the two
// calculations with every branch, and the faults ordinary input reaches.
//
// Expected texts come from tests/core/sheet_bc_reference.py, which works the
// formulas out in Python (IEEE doubles, float32 through struct.pack('f'),
// texts read with Fraction and written from the exact binary value rounded
// half away from zero to 15 or 7 significant digits). Its key lines:
//   f32  = lambda x: struct.unpack('f', struct.pack('f', x))[0]
//   wD(x): Decimal(x) rounded ROUND_HALF_UP to 15 significant digits
//   b1['Text4'] = wD(L - r * math.sin(readS(a2['Text19']) * PI / 180))
//   b1['Text6'] = wD(math.pow(math.pow(H, 2) + math.pow(V, 2), 0.5))
//   b1['Text9'] = w8(readD(a2['Text27']) * readD(a2['Text16']) / 3440)
//   c1 = f32(math.cos(rad(D('Text52'))) / math.cos(rad(D('Text53'))))
//   c['Text3'] = wD(deg(math.atan(-c1 / math.sqrt(-c1 * c1 + 1)) + 2 * math.atan(1)))
//   s1 = f32(readD(b1['Text12']) / 64)
//   c['Text29'] = wS(f32(f32(S('Text25') - readS(b1['Text7'])) + S('Text23')))   # left hand
//   c['Text29'] = wD((D('Text25') - readD(b1['Text7'])) + D('Text24'))            # right hand
//   c['Text34'] = wS(readS(b1['Text11']) + S('Text25') + 90)
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/menu.h"
#include "core/sheet_a2.h"
#include "core/sheet_b1.h"
#include "core/sheet_c.h"
#include "../common/a2_worked_example.h"

using namespace lc;

namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

// Sheet A2 as its calculation leaves it for the worked example: Z1 10, Z2 41,
// m 2, β 35, x 0.4, cutter radius 44.45, Check1 to Check3 clear.
const Texts kA2Example = example::a2Calculated();

// Sheet B1 after its start button with cosβe 0.9 on the example.
const Texts kB1Results{
    {"Text4", "11.4311861347121"},  {"Text5", "36.4113083686457"},  {"Text6", "38.16353486724"},
    {"Text7", "72.5705255655978"},  {"Text8", "37.5705255655978"},  {"Text9", "0.54171242"},
    {"Text10", "0"},                {"Text11", "37.5705255655978"}, {"Text12", "38.16353486724"},
    {"Text13", "38.16353486724"},   {"Text14", "38.16353486724"},   {"Text15", "0.54171242"},
    {"Text17", "3.14774060899009"}, {"Text18", "2.5071264"},        {"Text19", "2.517444"},
    {"Text20", "0.9174438"},
};

// Sheet C's input block after its import, with the four angles typed.
const Texts kCInputs = [] {
    Texts t = example::cImportedFromA2();
    const Texts rest{{"Text49", ""}, {"Text51", ""}, {"Text52", "25"},         {"Text53", "20"},
                     {"Text54", "28"}, {"Text55", "22"}, {"Text56", "0.54171242"}, {"Text57", "0.54171242"},
                     {"Text58", ""}, {"Text59", ""}};
    t.insert(t.end(), rest.begin(), rest.end());
    return t;
}();

// Sheet C after its start button, pinion left-handed.
const Texts kCResults{
    {"Text1", "11.4033799079867"},  {"Text2", "35.0989979270874"},  {"Text3", "15.3184079159443"},
    {"Text4", "17.7699404887943"},  {"Text5", "38.5695968334814"},  {"Text6", "41.0211294063314"},
    {"Text7", "9.75100048785612"},  {"Text8", "10.2436639255942"},  {"Text9", "0.69316794859291"},
    {"Text10", "0.728189842490766"}, {"Text11", "1.95020009757122"}, {"Text12", "0.499690923199717"},
    {"Text13", "20"},               {"Text14", "84.4037913840368"}, {"Text15", "20.5862905814724"},
    {"Text16", "0.00704471"},       {"Text17", "0.02888330"},       {"Text23", "1.735299453197"},
    {"Text24", "2.961065739622"},   {"Text25", "36.6057365290087"}, {"Text26", "36.6057365290087"},
    {"Text27", "36.6057365290087"}, {"Text28", "36.6057365290087"}, {"Text29", "-34.22949"},
    {"Text30", "112.1373"},         {"Text34", "164.1763"},         {"Text35", "89.03521"},
    {"Text36", "6.45828758"},       {"Text37", "6.45828758"},       {"Text38", "13.869774"},
};

void setTexts(Sheet& s, const Texts& texts) {
    for (const auto& [field, text] : texts) s.setText(field, text);
}

void expectTexts(const Sheet& s, const Texts& texts) {
    for (const auto& [field, text] : texts) EXPECT_EQ(s.text(field), text) << sheetKey(s.id()) << "." << field;
}

// Sheet A2 as its calculation leaves it: texts, a2Done, and the pinion's hand
// from Option1's caption "左".
void loadA2Example(Workbook& wb) {
    setTexts(wb.sheet(SheetId::A2), kA2Example);
    wb.flags.a2Done = kTrue;
    wb.flags.pinionRightHand = kFalse;
}

void expectFault(const Outcome& o, FaultKind kind, SheetId sheet, const std::string& field) {
    ASSERT_EQ(o.kind, Outcome::Kind::Fault) << o.message;
    ASSERT_TRUE(o.fault.has_value());
    EXPECT_EQ(o.fault->kind, kind);
    EXPECT_EQ(o.fault->sheet, sheet);
    EXPECT_EQ(o.fault->field, field);
    EXPECT_FALSE(o.message.empty());
}

// The whole road: A2 calculated, B1 from the menu with cosβe 0.9, C from
// B1's next button with the four angles typed.
class WorkedExample : public ::testing::Test {
protected:
    void SetUp() override {
        loadA2Example(wb);
        menuB1(wb);
        b1().setText("Text16", "0.9");
        ASSERT_EQ(b1Command1(wb).kind, Outcome::Kind::Done);
        b1Command3(wb);
        c().setText("Text52", "25");
        c().setText("Text53", "20");
        c().setText("Text54", "28");
        c().setText("Text55", "22");
    }
    Sheet& b1() { return wb.sheet(SheetId::B1); }
    Sheet& c() { return wb.sheet(SheetId::C); }
    Outcome pressC() { return cCommand1(wb); }

    Workbook wb;
};

}  // namespace

TEST_F(WorkedExample, EveryItemOfB1AndC) {
    expectTexts(b1(), {{"Text1(0)", "3.5"}, {"Text1(1)", "44.45"}, {"Text2", "12.8811819285765"},
                       {"Text3", "0.8888738"}, {"Text16", "0.9"}});
    expectTexts(b1(), kB1Results);
    EXPECT_EQ(wb.flags.b1Done, kTrue);
    EXPECT_TRUE(c().visible);
    expectTexts(c(), kCInputs);

    const Outcome o = pressC();
    ASSERT_EQ(o.kind, Outcome::Kind::Done) << o.message;
    EXPECT_FALSE(o.focus.has_value());
    expectTexts(c(), kCResults);
    for (const char* untouched : {"Text18", "Text19", "Text20", "Text21", "Text22", "Text31", "Text32", "Text33",
                                  "Text39", "Text40"})
        EXPECT_EQ(c().text(untouched), "") << untouched;
    // C sets no flag and leaves the other sheets alone.
    EXPECT_EQ(wb.flags.a2Done, kTrue);
    EXPECT_EQ(wb.flags.b1Done, kTrue);
    expectTexts(b1(), kB1Results);
    expectTexts(wb.sheet(SheetId::A2), kA2Example);

    // Pressed again with the same inputs: the same texts.
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    expectTexts(c(), kCResults);
    ASSERT_EQ(b1Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(b1(), kB1Results);
}

TEST_F(WorkedExample, RightHandedPinionPairsTheOtherHalfAnglesInDouble) {
    wb.flags.pinionRightHand = kTrue;
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    // (D(25) − D(B1.7)) + D(24) and (D(25) + D(B1.7)) + D(23), written as Double.
    expectTexts(c(), {{"Text29", "-33.0037232969671"}, {"Text30", "110.911561547804"}});
    expectTexts(c(), {{"Text28", "36.6057365290087"}, {"Text34", "164.1763"}, {"Text38", "13.869774"}});

    wb.flags.pinionRightHand = kFalse;
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    expectTexts(c(), {{"Text29", "-34.22949"}, {"Text30", "112.1373"}});
}

TEST_F(WorkedExample, SpiralAngleNotAboveZeroTakes1200) {
    // θB = b·57·tan β / L; θε = K/Zc + θB with K = 1200 for β ≤ 0.
    c().setText("Text46", "0");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    expectTexts(c(), {{"Text1", "0"}, {"Text2", "28.4347416229209"}});

    c().setText("Text46", "-35");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    expectTexts(c(), {{"Text1", "-11.4033799079867"}, {"Text2", "17.0313617149342"}});
}

TEST_F(WorkedExample, Theta1OfExactly70TakesTheSecondFormulas) {
    // Фe1 49.92 and this face width put θ1's text on 70 exactly (the
    // reference script's search_theta70 steps through b's last digit).
    c().setText("Text52", "49.92");
    c().setText("Text48", "10.5490007412144");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    // θ2 = 0.8·θ'2 + 0.6·θε; △Q2 = Zi2/Zc.
    expectTexts(c(), {{"Text5", "70"},
                      {"Text6", "35.2743957825289"},
                      {"Text8", "9.08879224482504"},
                      {"Text10", "0.646093647865017"},
                      {"Text12", "0.443355719259758"},
                      {"Text24", "0.215364549288339"}});

    // One unit lower in b's last digit: θ1 just below 70, the first formulas.
    c().setText("Text48", "10.5490007412143");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    expectTexts(c(), {{"Text5", "69.9999999999998"},
                      {"Text6", "41.0195371317329"},
                      {"Text8", "10.2433439398489"},
                      {"Text10", "0.728167095710789"},
                      {"Text12", "0.499675314138971"},
                      {"Text24", "2.96106573962195"}});

    // At 70 with Zi2 typed and kept, △Q2 is the typed Zi2 over Zc.
    c().setText("Text48", "10.5490007412144");
    c().setCheck("Check3", 1);
    c().setText("Text8", "40");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    expectTexts(c(), {{"Text5", "70"},
                      {"Text8", "40"},
                      {"Text10", "2.84347416229209"},
                      {"Text12", "1.95121951219512"},
                      {"Text24", "0.947824720764029"}});
}

TEST_F(WorkedExample, TickedChecksKeepTypedToothRatios) {
    c().setCheck("Check2", 1);
    c().setCheck("Check3", 1);
    c().setText("Text7", "30");
    c().setText("Text8", "40");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    // 3·30/Zc, 3·40/Zc, 2·30/10, 2·40/41; △Q2 (first case) does not read Zi2.
    expectTexts(c(), {{"Text7", "30"},
                      {"Text8", "40"},
                      {"Text9", "2.13260562171906"},
                      {"Text10", "2.84347416229209"},
                      {"Text11", "6"},
                      {"Text12", "1.95121951219512"},
                      {"Text24", "2.961065739622"}});

    // Typed but unticked: computed over the typed text.
    c().setCheck("Check2", 0);
    c().setCheck("Check3", 0);
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    expectTexts(c(), kCResults);

    // Ticked with nothing typed: a conversion fault at i01.
    c().setCheck("Check2", 1);
    c().setText("Text7", "");
    c().setText("Text9", "old");
    expectFault(pressC(), FaultKind::Conversion, SheetId::C, "Text7");
    EXPECT_EQ(c().text("Text9"), "old");
    EXPECT_EQ(c().text("Text6"), "41.0211294063314");
}

TEST_F(WorkedExample, GrChangesG1Only) {
    c().setText("Text13", "25");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    // G1 = 25·Zc/10; G2 = 20·Zc/41 whatever item 13 holds.
    expectTexts(c(), {{"Text13", "25"}, {"Text14", "105.504739230046"}, {"Text15", "20.5862905814724"}});
}

TEST_F(WorkedExample, HalfAnglesComeInEqualPairs) {
    // U2 and Ui1 edited apart: 25 = 26 from U2, 27 = 28 from Ui1.
    b1().setText("Text12", "0");
    b1().setText("Text14", "32");
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    EXPECT_EQ(c().text("Text25"), "0");
    EXPECT_EQ(c().text("Text26"), "0");
    // arcsin(0.5) through atan with π = 3.14159265358979 in the degrees:
    // 0.5235987755982989·180/3.14159265358979 rounds to 30.0000000000000 at 15 digits.
    EXPECT_EQ(c().text("Text27"), "30");
    EXPECT_EQ(c().text("Text28"), "30");
}

TEST_F(WorkedExample, CosineRatioOfOneOrMoreStopsAtItem3) {
    c().setText("Text3", "old3");
    c().setText("Text4", "old4");
    // Фe1 = Фi1: c1 = 1, the root is 0 and −c1/0 divides by zero.
    c().setText("Text52", "20");
    expectFault(pressC(), FaultKind::DivisionByZero, SheetId::C, "Text3");
    EXPECT_EQ(c().text("Text1"), "11.4033799079867");
    EXPECT_EQ(c().text("Text2"), "35.0989979270874");
    EXPECT_EQ(c().text("Text3"), "old3");
    EXPECT_EQ(c().text("Text4"), "old4");

    // Фe1 = 0, Фi1 = 90: cos(rad(90)) is tiny, c1 huge, the root of a negative.
    c().setText("Text52", "0");
    c().setText("Text53", "90");
    expectFault(pressC(), FaultKind::Invalid, SheetId::C, "Text3");
    EXPECT_EQ(c().text("Text3"), "old3");

    // The same for c2 at item 4, after item 3 is written.
    c().setText("Text52", "25");
    c().setText("Text53", "20");
    c().setText("Text54", "22");
    expectFault(pressC(), FaultKind::DivisionByZero, SheetId::C, "Text4");
    EXPECT_EQ(c().text("Text3"), "15.3184079159443");
    EXPECT_EQ(c().text("Text4"), "old4");
}

TEST_F(WorkedExample, U2AtOrBeyond64StopsAtItem25) {
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    for (const char* u2 : {"64", "-64"}) {
        b1().setText("Text12", u2);
        c().setText("Text24", "stale");
        c().setText("Text25", "stale");
        expectFault(pressC(), FaultKind::DivisionByZero, SheetId::C, "Text25");
        EXPECT_EQ(c().text("Text24"), "2.961065739622") << u2;
        EXPECT_EQ(c().text("Text25"), "stale") << u2;
    }
    for (const char* u2 : {"64.5", "-100"}) {
        b1().setText("Text12", u2);
        expectFault(pressC(), FaultKind::Invalid, SheetId::C, "Text25");
    }
    // Ui1 beyond 64 stops at item 27 after 25 and 26 are written.
    b1().setText("Text12", "0");
    b1().setText("Text14", "65");
    c().setText("Text27", "stale");
    expectFault(pressC(), FaultKind::Invalid, SheetId::C, "Text27");
    EXPECT_EQ(c().text("Text26"), "0");
    EXPECT_EQ(c().text("Text27"), "stale");
}

TEST_F(WorkedExample, ClosedSheetA2IsCreatedEmptyByItem16) {
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    c().setText("Text16", "stale");
    wb.close(SheetId::A2);
    const Outcome o = pressC();
    ASSERT_NO_FATAL_FAILURE(expectFault(o, FaultKind::Conversion, SheetId::A2, "Text35(0)"));
    EXPECT_TRUE(o.fault->empty);
    EXPECT_TRUE(wb.exists(SheetId::A2));
    EXPECT_EQ(wb.flags.a2Done, kFalse);
    EXPECT_EQ(wb.flags.b1Done, kFalse);
    EXPECT_EQ(c().text("Text15"), "20.5862905814724");
    EXPECT_EQ(c().text("Text16"), "stale");
}

TEST_F(WorkedExample, EmptyInputsAreConversionFaults) {
    // Sheet B1 not calculated: items 1 to 24 written, 25 on keep their texts.
    wb.close(SheetId::B1);
    c().setText("Text25", "stale");
    expectFault(pressC(), FaultKind::Conversion, SheetId::B1, "Text12");
    EXPECT_EQ(c().text("Text24"), "2.961065739622");
    EXPECT_EQ(c().text("Text25"), "stale");

    // The first unreadable field, left to right, is the one named.
    c().setText("Text47", "");
    c().setText("Text48", "");
    expectFault(pressC(), FaultKind::Conversion, SheetId::C, "Text48");
    c().setText("Text46", "abc");
    expectFault(pressC(), FaultKind::Conversion, SheetId::C, "Text46");
}

TEST_F(WorkedExample, EndButtonHidesAndKeepsTheTexts) {
    ASSERT_EQ(pressC().kind, Outcome::Kind::Done);
    cCommand3(wb);
    EXPECT_TRUE(wb.exists(SheetId::C));
    EXPECT_FALSE(c().visible);
    menuC(wb);
    EXPECT_TRUE(c().visible);
    expectTexts(c(), kCResults);
    expectTexts(c(), kCInputs);
}

TEST(Chain, SheetA2sOwnCalculationFeedsTheSameTexts) {
    // The road through sheet A2's start button instead of its texts typed in.
    Workbook wb;
    menuA1(wb);
    Sheet& a2 = wb.sheet(SheetId::A2);
    for (const auto& [field, text] :
         Texts{{"Text1", "10"}, {"Text2", "41"}, {"Text3", "2"}, {"Text12", "0.4"}, {"Text17", "44.45"}})
        a2.setText(field, text);
    ASSERT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(a2, kA2Example);
    EXPECT_EQ(wb.flags.pinionRightHand, kFalse);

    a2Command2(wb);
    wb.sheet(SheetId::B1).setText("Text16", "0.9");
    ASSERT_EQ(b1Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(wb.sheet(SheetId::B1), kB1Results);
    b1Command3(wb);
    Sheet& c = wb.sheet(SheetId::C);
    setTexts(c, {{"Text52", "25"}, {"Text53", "20"}, {"Text54", "28"}, {"Text55", "22"}});
    expectTexts(c, kCInputs);
    ASSERT_EQ(cCommand1(wb).kind, Outcome::Kind::Done);
    expectTexts(c, kCResults);

    // The other hand chosen on sheet A2 reaches items 29 and 30 at the next run.
    a2Option2Click(wb);
    ASSERT_EQ(a2Command1(wb).kind, Outcome::Kind::Done);
    ASSERT_EQ(wb.flags.pinionRightHand, kTrue);
    ASSERT_EQ(cCommand1(wb).kind, Outcome::Kind::Done);
    expectTexts(c, {{"Text29", "-33.0037232969671"}, {"Text30", "110.911561547804"}});
}

TEST(SheetB1, EmptyCosBetaStopsAfterItem53) {
    Workbook wb;
    loadA2Example(wb);
    menuB1(wb);
    Sheet& b1 = wb.sheet(SheetId::B1);
    for (const char* f : {"Text17", "Text18", "Text19", "Text20"}) b1.setText(f, "old");
    const Outcome o = b1Command1(wb);
    ASSERT_EQ(o.kind, Outcome::Kind::Message);
    EXPECT_EQ(o.message, "请输入COSβe值");
    EXPECT_EQ(o.focus, "Text16");
    for (const auto& [field, text] : kB1Results) {
        if (field == "Text17" || field == "Text18" || field == "Text19" || field == "Text20") {
            EXPECT_EQ(b1.text(field), "old") << field;
        } else {
            EXPECT_EQ(b1.text(field), text) << field;
        }
    }
    EXPECT_EQ(wb.flags.b1Done, kFalse);

    // Blanks are not empty: they pass the test and fail as a number at item 55.
    b1.setText("Text16", "  ");
    const Outcome blanks = b1Command1(wb);
    ASSERT_NO_FATAL_FAILURE(expectFault(blanks, FaultKind::Conversion, SheetId::B1, "Text16"));
    EXPECT_EQ(blanks.fault->text, "  ");
    EXPECT_EQ(b1.text("Text17"), "old");
    EXPECT_EQ(wb.flags.b1Done, kFalse);

    b1.setText("Text16", "0.9");
    ASSERT_EQ(b1Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(b1, kB1Results);
    EXPECT_EQ(wb.flags.b1Done, kTrue);
}

TEST(SheetB1, SpiralAngleIsSingleForTheComponentsAndDoubleForItem8) {
    Workbook wb;
    loadA2Example(wb);
    Sheet& a2 = wb.sheet(SheetId::A2);
    Sheet& b1 = wb.sheet(SheetId::B1);
    b1.setText("Text16", "0.9");

    // β = 0: item 4 is L, item 5 is r, item 8 equals item 7.
    a2.setText("Text19", "0");
    ASSERT_EQ(b1Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(b1, {{"Text4", "36.9266587305161"},
                     {"Text5", "44.45"},
                     {"Text6", "57.7873742698178"},
                     {"Text7", "50.2820288828776"},
                     {"Text8", "50.2820288828776"}});

    // 35.123456789 reads as the Single 35.12345504760742 in items 4 and 5;
    // item 8 subtracts the Double 35.123456789 from 72.6582521200124.
    a2.setText("Text19", "35.123456789");
    ASSERT_EQ(b1Command1(wb).kind, Outcome::Kind::Done);
    expectTexts(b1, {{"Text4", "11.3527900405051"},
                     {"Text5", "36.3562888676233"},
                     {"Text6", "38.0876040455404"},
                     {"Text7", "72.6582521200124"},
                     {"Text8", "37.5347953310124"}});
}

TEST(SheetB1, ZeroHorizontalComponentDividesByZeroAtItem7) {
    Workbook wb;
    loadA2Example(wb);
    Sheet& a2 = wb.sheet(SheetId::A2);
    Sheet& b1 = wb.sheet(SheetId::B1);
    b1.setText("Text16", "0.9");
    b1.setText("Text7", "old");
    // L = 0 and β = 0: H = 0 − r·0 = 0, V = r.
    a2.setText("Text16", "0");
    a2.setText("Text19", "0");
    expectFault(b1Command1(wb), FaultKind::DivisionByZero, SheetId::B1, "Text7");
    expectTexts(b1, {{"Text4", "0"}, {"Text5", "44.45"}, {"Text6", "44.45"}, {"Text7", "old"}});
    EXPECT_EQ(wb.flags.b1Done, kFalse);
}

TEST(SheetB1, Item9AlwaysShowsEightDecimals) {
    Workbook wb;
    loadA2Example(wb);
    Sheet& a2 = wb.sheet(SheetId::A2);
    Sheet& b1 = wb.sheet(SheetId::B1);
    // Δ·L/3440 = 172·10/3440 = 0.5.
    a2.setText("Text27", "172");
    a2.setText("Text16", "10");
    b1Command1(wb);
    EXPECT_EQ(b1.text("Text9"), "0.50000000");
    EXPECT_EQ(b1.text("Text15"), "0.50000000");
    a2.setText("Text27", "0");
    b1Command1(wb);
    EXPECT_EQ(b1.text("Text9"), "0.00000000");
    EXPECT_EQ(b1.text("Text10"), "0");
}

TEST(SheetB1, UncalculatedSheetA2IsAConversionFault) {
    Workbook wb;
    menuA1(wb);
    menuB1(wb);
    wb.sheet(SheetId::B1).setText("Text16", "0.9");
    const Outcome o = b1Command1(wb);
    ASSERT_NO_FATAL_FAILURE(expectFault(o, FaultKind::Conversion, SheetId::A2, "Text16"));
    EXPECT_TRUE(o.fault->empty);
    EXPECT_EQ(wb.sheet(SheetId::B1).text("Text4"), "");
    EXPECT_EQ(wb.flags.b1Done, kFalse);
}

TEST(Imports, MenuB1RefreshesAfterAnA2CalculationOnly) {
    Workbook wb;
    // Before any A2 calculation: nothing imported.
    menuA1(wb);
    wb.sheet(SheetId::A2).setText("Text18", "3.5");
    menuB1(wb);
    Sheet& b1 = wb.sheet(SheetId::B1);
    for (const char* f : {"Text1(0)", "Text1(1)", "Text2", "Text3"}) EXPECT_EQ(b1.text(f), "") << f;

    loadA2Example(wb);
    menuB1(wb);
    const Texts imported{
        {"Text1(0)", "3.5"}, {"Text1(1)", "44.45"}, {"Text2", "12.8811819285765"}, {"Text3", "0.8888738"}};
    expectTexts(b1, imported);

    // Edited, then the menu again: overwritten from sheet A2.
    b1.setText("Text2", "13");
    b1.setText("Text1(0)", "x");
    menuB1(wb);
    expectTexts(b1, imported);

    // After A2's restart (a2Done cleared) the menu imports nothing.
    a2Command3(wb);
    ASSERT_EQ(wb.flags.a2Done, kFalse);
    b1.setText("Text2", "13");
    menuB1(wb);
    EXPECT_EQ(b1.text("Text2"), "13");
    EXPECT_EQ(b1.text("Text1(0)"), "3.5");
}

TEST(Imports, SheetB1CreatedWhileA2IsClosedCopiesEmptyTexts) {
    Workbook wb;
    loadA2Example(wb);
    wb.close(SheetId::A2);
    menuB1(wb);
    // The first read recreates A2, clearing both flags; its fields are empty.
    EXPECT_TRUE(wb.exists(SheetId::A2));
    EXPECT_EQ(wb.flags.a2Done, kFalse);
    for (const char* f : {"Text1(0)", "Text1(1)", "Text2", "Text3"}) EXPECT_EQ(wb.sheet(SheetId::B1).text(f), "");
}

TEST(Imports, SheetCTakesWhatTheFlagsAllow) {
    {
        // Before any calculation: only item 13's default.
        Workbook wb;
        menuC(wb);
        const Sheet& c = wb.sheet(SheetId::C);
        for (const auto& f : c.fieldNames()) {
            if (f != "Text13") {
                EXPECT_EQ(c.text(f), "") << f;
            }
        }
        EXPECT_EQ(c.text("Text13"), "20");
        EXPECT_FALSE(wb.exists(SheetId::A2));
        EXPECT_FALSE(wb.exists(SheetId::B1));
    }
    {
        // After A2 only: the eight A2 texts, no △X.
        Workbook wb;
        loadA2Example(wb);
        menuC(wb);
        Texts expected = kCInputs;
        for (auto& [field, text] : expected)
            if (field == "Text52" || field == "Text53" || field == "Text54" || field == "Text55" ||
                field == "Text56" || field == "Text57")
                text.clear();
        expectTexts(wb.sheet(SheetId::C), expected);
        EXPECT_EQ(wb.sheet(SheetId::C).text("Text1"), "");
        EXPECT_FALSE(wb.exists(SheetId::B1));
    }
    {
        // After both: item 53 into both △X; item 1 is not filled.
        Workbook wb;
        loadA2Example(wb);
        wb.sheet(SheetId::B1).setText("Text16", "0.9");
        ASSERT_EQ(b1Command1(wb).kind, Outcome::Kind::Done);
        b1Command3(wb);
        Sheet& c = wb.sheet(SheetId::C);
        EXPECT_TRUE(c.visible);
        expectTexts(c, {{"Text42", "10"}, {"Text50", "3.934887"}, {"Text56", "0.54171242"}, {"Text57", "0.54171242"}});
        EXPECT_EQ(c.text("Text1"), "");
        for (const char* f : {"Text49", "Text51", "Text52", "Text53", "Text54", "Text55", "Text58", "Text59"})
            EXPECT_EQ(c.text(f), "") << f;

        // A later A2 change does not reach the existing sheet C; reopening after
        // closing imports afresh.
        wb.sheet(SheetId::A2).setText("Text1", "11");
        cCommand3(wb);
        menuC(wb);
        EXPECT_EQ(c.text("Text42"), "10");
        wb.close(SheetId::C);
        menuC(wb);
        EXPECT_EQ(wb.sheet(SheetId::C).text("Text42"), "11");
    }
    {
        // With only b1Done (A2 not calculated since), the △X copies alone.
        Workbook wb;
        wb.sheet(SheetId::A2);
        wb.sheet(SheetId::B1).setText("Text15", "0.25");
        wb.flags.b1Done = kTrue;
        menuC(wb);
        expectTexts(wb.sheet(SheetId::C), {{"Text42", ""}, {"Text56", "0.25"}, {"Text57", "0.25"}});
    }
    {
        // a2Done but A2 closed: the first copy recreates A2 (clearing both
        // flags), the copies take its default texts (item 5 is "35") and the
        // △X copy is skipped.
        Workbook wb;
        loadA2Example(wb);
        wb.sheet(SheetId::B1).setText("Text15", "0.25");
        wb.flags.b1Done = kTrue;
        wb.close(SheetId::A2);
        menuC(wb);
        expectTexts(wb.sheet(SheetId::C), {{"Text42", ""}, {"Text46", "35"}, {"Text56", ""}, {"Text57", ""}});
        EXPECT_EQ(wb.flags.a2Done, kFalse);
        EXPECT_EQ(wb.flags.b1Done, kFalse);
    }
}
