// The blank sketch's geometry from sheet A2's texts, and the line it gives
// instead when the texts cannot make a drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/blank_sketch.h"
#include "../common/a2_worked_sheet.h"

using namespace lc;

namespace {

const SketchMember& memberOf(const BlankSketch& s, const std::string& who) {
    return who == "pinion" ? s.pinion : s.gear;
}

SketchPoint pointOf(const SketchMember& m, const std::string& name) {
    const std::pair<const char*, SketchPoint SketchMember::*> points[] = {
        {"pitchOuter", &SketchMember::pitchOuter},
        {"pitchInner", &SketchMember::pitchInner},
        {"faceOuter", &SketchMember::faceOuter},
        {"faceInner", &SketchMember::faceInner},
        {"rootOuter", &SketchMember::rootOuter},
        {"rootInner", &SketchMember::rootInner},
        {"faceApex", &SketchMember::faceApex},
        {"rootApex", &SketchMember::rootApex},
        {"pitchDiameterPoint", &SketchMember::pitchDiameterPoint},
        {"outsideDiameterPoint", &SketchMember::outsideDiameterPoint},
        {"crownDistancePoint", &SketchMember::crownDistancePoint},
    };
    for (const auto& [n, p] : points)
        if (name == n) return m.*p;
    ADD_FAILURE() << "no point " << name;
    return {};
}

}  // namespace

// Worked by tests/core/blank_sketch_reference.py at 40 digits from the
// example's texts of items 13, 15 and 33 to 41: lines crossed by Cramer's
// rule, directly in the sketch's frame (x the pinion's axis, y the gear's).
TEST(BlankSketch, WorkedExampleAgreesWithHandWorkedPoints) {
    const SketchOutcome out = blankSketch(example::a2WorkedSheet());
    ASSERT_TRUE(out.sketch) << out.stop;
    EXPECT_EQ(out.stop, "");
    const struct {
        const char* point;
        double x, y;
    } expected[] = {
        {"pinion.pitchOuter", 41.000000175244994, 9.9999992814955587},
        {"pinion.pitchInner", 30.750000131433745, 7.499999461121669},
        {"pinion.faceOuter", 40.403476304020732, 12.445747339696898},
        {"pinion.faceInner", 30.364556648687023, 9.0803178606845144},
        {"pinion.rootOuter", 41.335872266987095, 8.6229236005234541},
        {"pinion.rootInner", 30.969736184203472, 6.5990815761836738},
        {"pinion.faceApex", 3.278390672909614, 0.0},
        {"pinion.rootApex", -2.830815843777066, 0.0},
        {"pinion.pitchDiameterPoint", 41.000000000000021, 10.0},
        {"pinion.outsideDiameterPoint", 40.66412791045986, 11.37707567194415},
        {"pinion.crownDistancePoint", 41.3358720895402, 8.6229243280557779},
        {"gear.pitchOuter", 41.000000000000033, 9.9999999999999257},
        {"gear.pitchInner", 30.750000000000024, 7.4999999999999443},
        {"gear.faceOuter", 41.217393978387953, 9.1086846886094435},
        {"gear.faceInner", 30.851257887165358, 7.0848426626220726},
        {"gear.rootOuter", 40.284997995819765, 12.931508217139049},
        {"gear.rootInner", 30.246078355339952, 9.5660787431062591},
        {"gear.faceApex", 0.0, 1.0615692155863633},
        {"gear.rootApex", 0.0, -0.57356249483288128},
        {"gear.pitchDiameterPoint", 41.0, 10.000000000000059},
        {"gear.outsideDiameterPoint", 41.71500197938045, 7.0684918845401903},
        {"gear.crownDistancePoint", 40.284998020619581, 12.9315081154598},
    };
    for (const auto& e : expected) {
        const std::string name = e.point;
        const auto dot = name.find('.');
        const SketchPoint p = pointOf(memberOf(*out.sketch, name.substr(0, dot)), name.substr(dot + 1));
        // Relative to the coordinate, or to a millimetre where it is zero.
        EXPECT_NEAR(p.x, e.x, 1e-9 * std::max(1.0, std::abs(e.x))) << name;
        EXPECT_NEAR(p.y, e.y, 1e-9 * std::max(1.0, std::abs(e.y))) << name;
    }
    // The labels are the sheet's texts, whole.
    const BlankSketch& s = *out.sketch;
    EXPECT_EQ(s.coneDistanceText, "42.2018956920184");
    EXPECT_EQ(s.gear.outsideDiameterText, "83.4300039587609");
    EXPECT_EQ(s.pinion.pitchAngleText, "13.70696");
    const std::vector<std::string> title{s.teeth1, s.teeth2, s.module, s.spiralAngle, s.shift, s.cutterRadius,
                                         s.pinionHand, s.gearHand};
    EXPECT_EQ(title, (std::vector<std::string>{"10", "41", "2", "35", "0.4", "44.45", "左", "右"}));
}

// Each sheet that cannot make a drawing names the first item that stops it.
TEST(BlankSketch, IncompleteOrAbsurdSheetsGiveTheirLineAndNoDrawing) {
    const struct {
        std::vector<std::pair<std::string, std::string>> changes;
        const char* line;
    } cases[] = {
        {{{"Text33(1)", "x"}, {"Text13", "abc"}}, "第13项 外锥距Le 不是数字，无法出图。"},
        {{{"Text13", ""}}, "第13项 外锥距Le 为空，无法出图。"},
        {{{"Text13", "1E+400"}}, "第13项 外锥距Le 超出数的范围，无法出图。"},
        {{{"Text15", "0"}}, "第15项 齿宽b 须大于0，无法出图。"},
        {{{"Text15", "42.2018956920185"}}, "第15项 齿宽b 大于第13项 外锥距Le，无法出图。"},
        {{{"Text33(1)", "-0.9"}}, "第33项 齿顶高（大轮） 须大于0，无法出图。"},
        {{{"Text34(0)", " "}}, "第34项 齿根高（小轮） 不是数字，无法出图。"},
        {{{"Text36(1)", "90"}}, "第36项 节锥角（大轮） 须在0°与90°之间，无法出图。"},
        {{{"Text38(0)", "-1"}, {"Text36(1)", "0"}}, "第36项 节锥角（大轮） 须在0°与90°之间，无法出图。"},
        {{{"Text39(1)", "0"}}, "第39项 内锥角（大轮） 须在0°与90°之间，无法出图。"},
        {{{"Text41(1)", ""}}, "第41项 锥顶外径距离（大轮） 为空，无法出图。"},
        // Lines too far apart for any drawing.
        {{{"Text13", "1E+300"}, {"Text15", "1"}, {"Text33(0)", "1E+300"}, {"Text38(0)", "1E-300"}},
         "计算单A2的数值相差太悬殊，无法出图。"},
    };
    for (const auto& c : cases) {
        Sheet s = example::a2WorkedSheet();
        for (const auto& [field, text] : c.changes) s.setText(field, text);
        const SketchOutcome out = blankSketch(s);
        EXPECT_FALSE(out.sketch) << c.line;
        EXPECT_EQ(out.stop, c.line);
    }

    // A sheet just opened or restarted, and no sheet at all.
    Workbook wb;
    EXPECT_EQ(blankSketch(wb).stop, "计算单A2没有打开，没有齿坯示意图。");
    Sheet& fresh = wb.insert(SheetId::A2);
    for (const auto& [field, text] : example::a2Inputs()) fresh.setText(field, text);
    fresh.setText("Text15", "10");
    const SketchOutcome out = blankSketch(wb);
    EXPECT_FALSE(out.sketch);
    EXPECT_EQ(out.stop, "计算单A2尚未计算：按“开始计算”之后才有齿坯示意图。");
}
