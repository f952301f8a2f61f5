#include "core/change_gears.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "../reference/gears_reference.h"
#include "core/menu.h"

using namespace lc;

// Expected lines below were worked out independently in Python (floats are
// Doubles there, and p/q is the same correctly rounded division):
//   G = [24] + list(range(29, 101)) + [105, 111, 115]
//   hits = [(a, b, c, d, a*b/(c*d)) for a in G for b in G for c in G for d in G
//           if abs(a*b/(c*d) - t) <= tol][:10001]
//   lines: the first hit of each distinct ratio, '%dX%d/%dX%d=%s' with the
//   ratio written with 15 significant digits ('%.15g', trailing zeros dropped).

namespace {

const std::string kBusy = "计算中，请稍后！ ";
const std::string kEndPick = "计算结束，请挑选数据！";
const std::string kEndNone = "计算结束，无合格数据！请降低精度再开始！";

struct Press {
    Outcome outcome;
    std::vector<std::string> captions;  // every caption set, in order
};

Press press(Workbook& wb, const std::string& target, const std::string& tolerance) {
    Sheet& s = wb.sheet(SheetId::Gears);
    s.setText("Text1", target);
    s.setText("Text2", tolerance);
    Press p;
    p.outcome = gearsCommand1(wb, [&](const std::string& c) { p.captions.push_back(c); });
    return p;
}

std::vector<std::string> lines(Workbook& wb) { return wb.sheet(SheetId::Gears).list; }

}  // namespace

TEST(ChangeGears, WorkedExamples) {
    Workbook wb;
    // Ratio 0.5 is made by 11366 stock combinations (more than the table holds);
    // every other ratio lies at least 1/26450 away, so one line remains.
    Press p = press(wb, "0.5", "0.000001");
    EXPECT_EQ(p.outcome.kind, Outcome::Kind::Done);
    EXPECT_EQ(lines(wb), std::vector<std::string>{"24X24/24X48=0.5"});
    EXPECT_EQ(wb.sheet(SheetId::Gears).caption, kEndPick);

    press(wb, "1", "0");
    EXPECT_EQ(lines(wb), std::vector<std::string>{"24X24/24X24=1"});

    // The largest ratio is 115·115/(24·24) ≈ 22.96.
    p = press(wb, "100", "0.000001");
    EXPECT_EQ(p.outcome.kind, Outcome::Kind::Done);
    EXPECT_TRUE(lines(wb).empty());
    EXPECT_EQ(wb.sheet(SheetId::Gears).caption, kEndNone);
    ASSERT_GE(p.captions.size(), 2u);
    EXPECT_EQ(p.captions[p.captions.size() - 2], kEndPick);
    EXPECT_EQ(p.captions.back(), kEndNone);
}

TEST(ChangeGears, RepeatedRatiosListedOnceDistinctOnesAll) {
    Workbook wb;
    // 0.75 has 10360 combinations (24X24/24X32, 24X30/30X32, ...): one line.
    press(wb, "0.75", "0");
    EXPECT_EQ(lines(wb), std::vector<std::string>{"24X24/24X32=0.75"});
    // 15 = 90·96/(24·24) = 96·90/(24·24): the one found first stays.
    press(wb, "15", "0");
    EXPECT_EQ(lines(wb), std::vector<std::string>{"90X96/24X24=15"});
    // The two closest distinct ratios of all stock combinations, 5369/13225 and
    // 5002/12321, 6.1E-09 apart: both listed, none other within the tolerance.
    press(wb, "0.405973538", "0.000000004");
    EXPECT_EQ(lines(wb), (std::vector<std::string>{"59X91/115X115=0.405973534971645", "61X82/111X111=0.405973541108676"}));
}

TEST(ChangeGears, OnlyStockGearsAreListed) {
    Workbook wb;
    // 25·24/(24·24) comes first in the loops, but 25 is not in stock.
    press(wb, "1.04166666666667", "0.000000000001");
    EXPECT_EQ(lines(wb), std::vector<std::string>{"24X50/24X48=1.04166666666667"});

    // A wide search: every tooth count of every line is a stock gear.
    const GearSearchResult r = searchChangeGears(1.0, 0.01);
    ASSERT_FALSE(r.lines.empty());
    const std::set<int> stock = [] {
        std::set<int> s{24, 105, 111, 115};
        for (int z = 29; z <= 100; ++z) s.insert(z);
        return s;
    }();
    for (const std::string& line : r.lines) {
        int z[4];
        ASSERT_EQ(std::sscanf(line.c_str(), "%dX%d/%dX%d=", &z[0], &z[1], &z[2], &z[3]), 4) << line;
        for (int t : z) EXPECT_TRUE(stock.count(t)) << line;
    }
}

TEST(ChangeGears, CaptionCountsDownAndMarksTheFirstHit) {
    Workbook wb;
    // Only 115·115/(24·24) = 22.9600694444444 lies within 0.0001 of 22.96: the
    // mark appears with the last z1 only.
    Press p = press(wb, "22.96", "0.0001");
    EXPECT_EQ(lines(wb), std::vector<std::string>{"115X115/24X24=22.9600694444444"});
    std::vector<std::string> expected{kBusy + "92"};
    for (int n = 91; n >= 0; --n) expected.push_back(kBusy + std::to_string(n));
    expected.push_back(kBusy + "0  ^v^");
    expected.push_back(kEndPick);
    EXPECT_EQ(p.captions, expected);

    // The first hit has z1 = 59, the 36th value: countdown 56 on.
    p = press(wb, "0.405973538", "0.000000004");
    expected = {kBusy + "92"};
    for (int n = 91; n >= 0; --n) {
        expected.push_back(kBusy + std::to_string(n));
        if (n <= 56) expected.push_back(kBusy + std::to_string(n) + "  ^v^");
    }
    expected.push_back(kEndPick);
    EXPECT_EQ(p.captions, expected);
    EXPECT_EQ(wb.sheet(SheetId::Gears).caption, kEndPick);
}

TEST(ChangeGears, EmptyTargetAsksForIt) {
    Workbook wb;
    Sheet& s = wb.sheet(SheetId::Gears);
    s.list = {"24X24/24X48=0.5"};
    s.caption = "计算结束，请挑选数据！";
    Press p = press(wb, "", "0.000001");
    EXPECT_EQ(p.outcome.kind, Outcome::Kind::Message);
    EXPECT_EQ(p.outcome.message, "请输入结果！");
    EXPECT_FALSE(p.outcome.focus.has_value());
    EXPECT_TRUE(p.captions.empty());
    EXPECT_EQ(s.list, std::vector<std::string>{"24X24/24X48=0.5"});
    EXPECT_EQ(s.caption, "计算结束，请挑选数据！");
}

TEST(ChangeGears, UnreadableInputsStopAfterTheListIsCleared) {
    struct Case {
        const char* target;
        const char* tolerance;
        const char* field;
    };
    // Blanks are not an empty target; an empty tolerance is not a number.
    for (const Case& c : {Case{"0.5", "abc", "Text2"}, Case{"0.5", "", "Text2"}, Case{"wr ", "0.000001", "Text1"},
                          Case{"  ", "0.000001", "Text1"}, Case{"1.2.3", "x", "Text1"}}) {
        Workbook wb;
        Sheet& s = wb.sheet(SheetId::Gears);
        s.list = {"old line"};
        Press p = press(wb, c.target, c.tolerance);
        ASSERT_EQ(p.outcome.kind, Outcome::Kind::Fault) << c.target << " / " << c.tolerance;
        ASSERT_TRUE(p.outcome.fault.has_value());
        EXPECT_EQ(p.outcome.fault->kind, FaultKind::Conversion);
        EXPECT_EQ(p.outcome.fault->sheet, SheetId::Gears);
        EXPECT_EQ(p.outcome.fault->field, c.field);
        EXPECT_FALSE(p.outcome.message.empty());
        EXPECT_TRUE(s.list.empty());
        EXPECT_EQ(s.caption, kBusy + "92");
        EXPECT_EQ(p.captions, std::vector<std::string>{kBusy + "92"});
    }
}

TEST(ChangeGears, NegativeToleranceFindsNothingButMinusZeroIsExact) {
    Workbook wb;
    Press p = press(wb, "1", "-0.000001");
    EXPECT_EQ(p.outcome.kind, Outcome::Kind::Done);
    EXPECT_TRUE(lines(wb).empty());
    EXPECT_EQ(wb.sheet(SheetId::Gears).caption, kEndNone);
    EXPECT_EQ(p.captions.size(), 1u + 92 + 2);

    // |r − 1| ≤ −0 holds exactly where r = 1.
    press(wb, "1", "-0");
    EXPECT_EQ(lines(wb), std::vector<std::string>{"24X24/24X24=1"});
}

TEST(ChangeGears, HitTableStopsCollectingWhenFull) {
    // Every stock combination passes. The first 10001 in loop order are the
    // 5776 (z3, z4) of 24X24 and the first 4225 of 24X29, the last 24X29/83X72;
    // among them 3988 distinct ratios, the last new one 24X29/82X115.
    const GearSearchResult r = searchChangeGears(1.0, 100.0);
    EXPECT_EQ(r.hits, kGearHitCapacity);
    ASSERT_EQ(r.lines.size(), 3988u);
    EXPECT_EQ(r.lines.front(), "24X24/24X24=1");
    EXPECT_EQ(r.lines.back(), "24X29/82X115=0.0738069989395546");
    // The loops still count down to the end, marked from the first z1 on.
    ASSERT_EQ(r.progress.size(), 2u * 92);
    EXPECT_EQ(r.progress[0], kBusy + "91");
    EXPECT_EQ(r.progress[1], kBusy + "91  ^v^");
    EXPECT_EQ(r.progress.back(), kBusy + "0  ^v^");
    EXPECT_EQ(r.closing, std::vector<std::string>{kEndPick});
}

TEST(ChangeGears, ExitHidesAndKeepsTheResults) {
    Workbook wb;
    menuGljs(wb);
    press(wb, "0.5", "0.000001");
    EXPECT_EQ(gearsCommand2(wb).kind, Outcome::Kind::Done);
    EXPECT_FALSE(wb.sheet(SheetId::Gears).visible);
    menuGljs(wb);
    const Sheet& s = wb.sheet(SheetId::Gears);
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.list, std::vector<std::string>{"24X24/24X48=0.5"});
    EXPECT_EQ(s.caption, kEndPick);
    EXPECT_EQ(s.text("Text1"), "0.5");
}

// The shipped search against the plain loops. One reference pass per target
// serves its four tolerances. The band edges: a tolerance equal to the
// difference of one combination takes it in; the next Double below leaves it out.
namespace {

struct EquivalenceCase {
    double target;
    std::vector<double> tolerances;
};

void expectSameAsLoops(const EquivalenceCase& c) {
    const std::vector<GearSearchResult> expected = reference::gearSearch(c.target, c.tolerances);
    for (std::size_t k = 0; k < c.tolerances.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "target " << c.target << " tolerance " << c.tolerances[k]);
        const GearSearchResult got = searchChangeGears(c.target, c.tolerances[k]);
        EXPECT_EQ(got.lines, expected[k].lines);
        EXPECT_EQ(got.progress, expected[k].progress);
        EXPECT_EQ(got.closing, expected[k].closing);
        EXPECT_EQ(got.hits, expected[k].hits);
    }
}

bool listed(const GearSearchResult& r, const std::string& line) {
    return std::find(r.lines.begin(), r.lines.end(), line) != r.lines.end();
}

}  // namespace

TEST(ChangeGearsEquivalence, SmallestRatios) { expectSameAsLoops({0.05, {0, 1e-6, 1e-4, 0.01}}); }

TEST(ChangeGearsEquivalence, LargestRatios) {
    expectSameAsLoops({22.96, {0, 1e-4, 0.001, 0.01}});
}

TEST(ChangeGearsEquivalence, DecimalTargets) {
    expectSameAsLoops({1.2345, {0, 1e-5, 1e-4, 0.001}});
    expectSameAsLoops({3.14159265358979, {1e-6, 1e-5, 1e-4, 1e-3}});
}

TEST(ChangeGearsEquivalence, ExactRatiosOverflowingTheTable) {
    // 0.5 and 1 alone fill the table; 4.84...E-05 is the difference of 58X89/93X111.
    expectSameAsLoops({0.5, {0, 1e-6, 0.001, 4.8435532306490003e-05}});
    expectSameAsLoops({1, {0, 1e-9, 0.002, 0.01}});
}

TEST(ChangeGearsEquivalence, ToleranceOnADifference) {
    // |79·91/(29·67) − 3.7| = 5.146680391154845e-05 (7189/1943 = 3.6999485331960886).
    const double edge37 = 5.146680391154845e-05;
    const EquivalenceCase near37{3.7, {edge37, std::nextafter(edge37, 0.0), 1e-3, 0.01}};
    expectSameAsLoops(near37);
    const std::string line = "79X91/29X67=3.69994853319609";
    EXPECT_TRUE(listed(searchChangeGears(3.7, edge37), line));
    EXPECT_FALSE(listed(searchChangeGears(3.7, std::nextafter(edge37, 0.0)), line));

    // |111·111/(29·34) − 12.5| = 0.004056795131845092.
    const double edge125 = 0.004056795131845092;
    expectSameAsLoops({12.5, {0, edge125, std::nextafter(edge125, 0.0), 0.01}});
    EXPECT_TRUE(listed(searchChangeGears(12.5, edge125), "111X111/29X34=12.4959432048682"));
    EXPECT_FALSE(listed(searchChangeGears(12.5, std::nextafter(edge125, 0.0)), "111X111/29X34=12.4959432048682"));

    // 7/3 as typed: its combinations lie 3.55e-15 away; 93X111/56X79 lies 7.53465943374998e-05 away.
    expectSameAsLoops({2.33333333333333, {0, 1e-14, 1e-6, 7.53465943374998e-05}});
}
