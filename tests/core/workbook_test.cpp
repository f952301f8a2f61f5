#include "core/workbook.h"

#include <gtest/gtest.h>

#include "core/calc.h"
#include "core/menu.h"

using namespace lc;

namespace {

struct Recorder {
    std::vector<std::pair<SheetId, SheetEvent>> events;
    void attach(Workbook& wb) {
        wb.setListener([this](SheetId id, SheetEvent e) { events.emplace_back(id, e); });
    }
};

}  // namespace

TEST(Workbook, NewSheetsHoldTheirDefaults) {
    Workbook wb;
    EXPECT_FALSE(wb.exists(SheetId::A2));
    const Sheet& a2 = wb.sheet(SheetId::A2);
    EXPECT_EQ(a2.text("Text5"), "35");
    for (const auto& f : a2.fieldNames()) {
        if (f != "Text5") {
            EXPECT_EQ(a2.text(f), "") << f;
        }
    }
    EXPECT_EQ(a2.fieldNames().size(), 19u + 2 + 2 + 6 + 4 + 20);
    EXPECT_EQ(a2.option1Caption, "左");
    EXPECT_EQ(a2.option2Caption, "右");
    EXPECT_EQ(a2.selectedOption, 1);
    for (const char* c : {"Check1", "Check2", "Check3"}) EXPECT_EQ(a2.check(c), 0);
    EXPECT_THROW((void)a2.text("Text29"), std::out_of_range);
    EXPECT_THROW((void)a2.text("Text37(0)"), std::out_of_range);

    const Sheet& c = wb.sheet(SheetId::C);
    EXPECT_EQ(c.text("Text13"), "20");
    EXPECT_FALSE(c.hasField("Text41"));
    EXPECT_EQ(c.fieldNames().size(), 58u);

    const Sheet& g = wb.sheet(SheetId::Gears);
    EXPECT_EQ(g.text("Text2"), "0.000001");
    EXPECT_EQ(g.caption, "Form1");
}

TEST(Workbook, MenuA1TwiceShowsTheSameSheet) {
    Workbook wb;
    Recorder rec;
    rec.attach(wb);
    menuA1(wb);
    wb.sheet(SheetId::A2).setText("Text1", "10");
    wb.flags.a2Done = kTrue;
    wb.flags.b1Done = kTrue;
    menuA1(wb);
    EXPECT_EQ(wb.sheet(SheetId::A2).text("Text1"), "10");
    EXPECT_EQ(wb.flags.a2Done, kTrue);
    EXPECT_EQ(wb.flags.b1Done, kTrue);
    const std::vector<std::pair<SheetId, SheetEvent>> expected{
        {SheetId::A2, SheetEvent::Created}, {SheetId::A2, SheetEvent::Shown}, {SheetId::A2, SheetEvent::Shown}};
    EXPECT_EQ(rec.events, expected);
}

TEST(Workbook, CloseDiscardsAndReopeningRestoresDefaultsAndClearsFlags) {
    Workbook wb;
    menuA1(wb);
    Sheet& a2 = wb.sheet(SheetId::A2);
    a2.setText("Text5", "20");
    a2.setCheck("Check2", 1);
    a2.option1Caption = "右";
    wb.flags.a2Done = kTrue;
    wb.flags.b1Done = kTrue;
    wb.flags.pinionRightHand = kTrue;
    wb.close(SheetId::A2);
    EXPECT_FALSE(wb.exists(SheetId::A2));
    EXPECT_EQ(wb.flags.a2Done, kTrue) << "closing alone changes no flag";
    menuA1(wb);
    const Sheet& again = wb.sheet(SheetId::A2);
    EXPECT_EQ(again.text("Text5"), "35");
    EXPECT_EQ(again.check("Check2"), 0);
    EXPECT_EQ(again.option1Caption, "左");
    EXPECT_EQ(wb.flags.a2Done, kFalse);
    EXPECT_EQ(wb.flags.b1Done, kFalse);
    EXPECT_EQ(wb.flags.pinionRightHand, kTrue) << "creation leaves the hand flag alone";
}

TEST(Workbook, ReadingAFieldOfAClosedSheetCreatesIt) {
    Workbook wb;
    Recorder rec;
    rec.attach(wb);
    wb.flags.a2Done = kTrue;
    wb.flags.b1Done = kTrue;
    Calc c(wb, SheetId::C);
    try {
        (void)c.D(SheetId::A2, "Text35(0)");
        FAIL() << "an empty field cannot be read";
    } catch (const Fault& f) {
        EXPECT_EQ(f.kind, FaultKind::Conversion);
        EXPECT_EQ(f.field, "Text35(0)");
        EXPECT_TRUE(f.empty);
    }
    EXPECT_TRUE(wb.exists(SheetId::A2));
    EXPECT_EQ(wb.flags.a2Done, kFalse);
    EXPECT_EQ(wb.flags.b1Done, kFalse);
    ASSERT_FALSE(rec.events.empty());
    EXPECT_EQ(rec.events.front(), std::make_pair(SheetId::A2, SheetEvent::Created));
    EXPECT_EQ(c.D(SheetId::A2, "Text5").value(), 35.0);
}

TEST(Workbook, B1ImportFollowsA2DoneAtEveryMenuCommand) {
    Workbook wb;
    Sheet& a2 = wb.sheet(SheetId::A2);
    a2.setText("Text18", "3.5");
    a2.setText("Text17", "44.45");
    a2.setText("Text26", "12.8811819285765");
    a2.setText("Text21", "0.8888738");

    menuB1(wb);  // before any A2 calculation: nothing imported
    EXPECT_EQ(wb.sheet(SheetId::B1).text("Text1(0)"), "");
    wb.close(SheetId::B1);

    wb.flags.a2Done = kTrue;
    menuB1(wb);
    Sheet& b1 = wb.sheet(SheetId::B1);
    EXPECT_EQ(b1.text("Text1(0)"), "3.5");
    EXPECT_EQ(b1.text("Text1(1)"), "44.45");
    EXPECT_EQ(b1.text("Text2"), "12.8811819285765");
    EXPECT_EQ(b1.text("Text3"), "0.8888738");

    b1.setText("Text2", "13");
    menuB1(wb);
    EXPECT_EQ(b1.text("Text2"), "12.8811819285765") << "the menu command overwrites typed texts";

    b1.setText("Text2", "13");
    wb.flags.a2Done = kFalse;
    menuB1(wb);
    EXPECT_EQ(b1.text("Text2"), "13") << "no import once a2Done is False";
}

TEST(Workbook, HideKeepsTextsAndInsertSkipsCreationSteps) {
    Workbook wb;
    wb.flags.a2Done = kTrue;
    wb.flags.b1Done = kTrue;
    Sheet& g = wb.show(SheetId::Gears);
    g.setText("Text1", "0.5");
    wb.hide(SheetId::Gears);
    EXPECT_FALSE(wb.sheet(SheetId::Gears).visible);
    menuGljs(wb);
    EXPECT_TRUE(wb.sheet(SheetId::Gears).visible);
    EXPECT_EQ(wb.sheet(SheetId::Gears).text("Text1"), "0.5");

    wb.insert(SheetId::A2);
    EXPECT_EQ(wb.flags.a2Done, kTrue);
    EXPECT_EQ(wb.flags.b1Done, kTrue);
}
