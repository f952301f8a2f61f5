// `table`: a sheet of the workbook as aligned lines for a terminal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool.h"

using lctest::lines;
using lctest::runTool;

namespace {

// Columns of a UTF-8 text in a terminal, counted independently of the tool:
// every character from the CJK radicals up to the fullwidth forms is two
// columns, everything else in these tables one.
int columns(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? lead : lead & (0x7F >> len);
        for (int k = 1; k < len; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        n += c >= 0x2E80 && c <= 0xFFE6 ? 2 : 1;
        i += static_cast<std::size_t>(len);
    }
    return n;
}

// The display column at which `word` starts in `line`, or -1.
int columnOf(const std::string& line, const std::string& word) {
    const auto at = line.find(word);
    return at == std::string::npos ? -1 : columns(line.substr(0, at));
}

// The index of the line of the item numbered `number`, or the table's size.
std::size_t lineOfItem(const std::vector<std::string>& table, const std::string& number) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto start = table[i].find_first_not_of(' ');
        if (start != std::string::npos && table[i].compare(start, number.size() + 2, number + "  ") == 0) return i;
    }
    ADD_FAILURE() << "no line for item " << number;
    return table.size();
}

}  // namespace

// Sheet A2 after its worked example: every text whole, each under its heading
// although the captions before it mix Chinese and Latin letters.
TEST(BatchTable, WorkedExampleOfSheetA2LinesUpUnderItsHeadings) {
    // Item 22 typed 60 characters long: its column is no wider than 40.
    const auto run = runTool({"table", "A2"}, R"({"actions": ["A1", "A2.Text1=10", "A2.Text2=41", "A2.Text3=2",
        "A2.Text5=35", "A2.Text12=0.4", "A2.Text17=44.45", "A2.Command1", "A2.Text22=)" + std::string(60, '7') + "\"]}");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> table = lines(run.out);
    ASSERT_GE(table.size(), 3u);
    EXPECT_EQ(table[0], "计算单A2");
    const std::string& heading = table[1];
    const int value = columnOf(heading, "数值（小轮）");
    const int gear = columnOf(heading, "大轮");
    const int unit = columnOf(heading, "单位");
    ASSERT_GT(value, 0);
    EXPECT_EQ(gear, value + 40 + 2);

    struct Expected { const char* number; const char* caption; const char* first; const char* second; const char* unit; };
    for (const Expected& e : {Expected{"1", "小 轮  齿 数Z1", "10", nullptr, nullptr},
                              Expected{"5", "螺   旋   角β", "35", nullptr, "°"},
                              Expected{"6", "平面齿轮齿数Zc", "42.2018956920184", nullptr, nullptr},
                              Expected{"23", "齿 顶 高(初)h1'", "2.44", "0.84", "mm"},
                              Expected{"25", "齿 根 角(初)", "1.81865191067781", "3.9850786718361", "°"},
                              Expected{"27", "齿根角修正量", "50.4646453857422", nullptr, "′"},
                              Expected{"42", "节圆上弦齿厚", "3.49748956554454", "2.785696", "mm"}}) {
        SCOPED_TRACE(e.number);
        const std::size_t at = lineOfItem(table, e.number);
        if (at == table.size()) continue;
        const std::string& line = table[at];
        EXPECT_EQ(columnOf(line, e.caption), columnOf(heading, "名称"));
        EXPECT_EQ(columnOf(line, std::string(e.first) + " "), value);
        if (e.second) {
            EXPECT_EQ(columnOf(line, e.second), gear);
        }
        if (e.unit) {
            EXPECT_EQ(columnOf(line, std::string("  ") + e.unit) + 2, unit);
        }
    }
    // A check box follows the item it stands beside.
    const std::size_t item15 = lineOfItem(table, "15");
    ASSERT_LT(item15 + 1, table.size());
    EXPECT_EQ(columnOf(table[item15 + 1], "勾选：保留输入的齿宽"), columnOf(heading, "名称"));
    EXPECT_EQ(columnOf(table[item15 + 1], "否"), value);
}

