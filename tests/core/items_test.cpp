#include "core/items.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace lc;

// Every field of every sheet is described by exactly one item, so no tooltip,
// copied line or printed row can miss a field or show one twice. Sheet A2's
// two small fields under the hand buttons have no function and no item.
TEST(Items, EveryFieldBelongsToExactlyOneItem) {
    for (SheetId id : kAllSheets) {
        const Sheet sheet(id);
        std::map<std::string, int> seen;
        for (const Item& item : itemsOf(id)) {
            for (std::string_view f : {item.field, item.gearField}) {
                if (f.empty()) continue;
                EXPECT_TRUE(sheet.hasField(f)) << sheetKey(id) << " " << f;
                ++seen[std::string(f)];
                EXPECT_EQ(itemOfField(id, f), &item) << sheetKey(id) << " " << f;
            }
        }
        for (const auto& f : sheet.fieldNames()) {
            if (id == SheetId::A2 && (f == "Text20(0)" || f == "Text20(1)")) continue;
            EXPECT_EQ(seen[f], 1) << sheetKey(id) << " " << f;
        }
        for (const CheckBox& box : checkBoxesOf(id)) EXPECT_TRUE(sheet.hasCheck(box.name)) << box.name;
    }
}

// Sheet A2's angles are degrees, item 27 minutes of arc and item 18 (the
// cutter's nominal diameter) inches; lengths are millimetres.
TEST(Items, SheetA2UnitsFollowTheForm) {
    const std::map<int, Unit> expected{{5, Unit::Degree},  {19, Unit::Degree}, {25, Unit::Degree},
                                       {32, Unit::Degree}, {36, Unit::Degree}, {38, Unit::Degree},
                                       {39, Unit::Degree}, {27, Unit::ArcMinute}, {18, Unit::Inch},
                                       {3, Unit::Millimetre}, {13, Unit::Millimetre}, {42, Unit::Millimetre},
                                       {1, Unit::None},   {12, Unit::None}};
    for (const Item& item : itemsOf(SheetId::A2)) {
        if (auto it = expected.find(item.number); it != expected.end()) {
            EXPECT_EQ(item.unit, it->second) << item.number;
        }
    }
    EXPECT_EQ(unitText(Unit::ArcMinute), "′");
}

// The table shows every text whole: paired rows side by side, the hands as
// captions, a check box right after its item, and the change-gear list last.
TEST(Items, TableShowsTextsHandsChecksAndList) {
    Sheet a2(SheetId::A2);
    a2.setText("Text28", "-2.62244375247342E-06");
    a2.setText("Text36(0)", "13.7398");
    a2.setText("Text36(1)", "76.2602047083498");
    a2.setCheck("Check2", 1);
    a2.option1Caption = "右";
    a2.option2Caption = "左";
    const auto rows = tableOf(a2);
    std::map<std::string, TableRow> byCaption;
    for (const auto& r : rows) byCaption[r.caption] = r;
    EXPECT_EQ(byCaption["28 顶根高修正量"].first, "-2.62244375247342E-06");
    const TableRow& delta = byCaption["36 节   锥   角"];
    EXPECT_EQ(delta.first, "13.7398");
    EXPECT_EQ(delta.second, "76.2602047083498");
    EXPECT_TRUE(delta.paired);
    EXPECT_EQ(byCaption["20 螺旋方向(小大)"].first, "右");
    EXPECT_EQ(byCaption["20 螺旋方向(小大)"].second, "左");
    // The ticked Check2 has its own row, right after item 19's.
    const auto check2 = std::find_if(rows.begin() + 1, rows.end(),
                                     [](const TableRow& r) { return r.caption == "勾选：保留输入的螺旋角"; });
    ASSERT_NE(check2, rows.end()) << "no row for Check2";
    EXPECT_EQ(check2->first, "是");
    EXPECT_EQ(std::prev(check2)->number, "19");
    EXPECT_EQ(byCaption["5  螺   旋   角β"].first, "35");

    Sheet gears(SheetId::Gears);
    gears.list = {"24X24/24X48=0.5"};
    const auto g = tableOf(gears);
    ASSERT_EQ(g.size(), 3u);
    EXPECT_EQ(g[1].first, "0.000001");
    EXPECT_EQ(g[2].first, "24X24/24X48=0.5");
}
