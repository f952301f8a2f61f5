// Helpers shared by the sheet A2 tests: a fresh sheet, typing, and checking
// many field texts at once.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/menu.h"
#include "core/sheet_a2.h"
#include "core/workbook.h"
#include "../common/a2_worked_example.h"

namespace a2test {

using Texts = std::vector<std::pair<std::string, std::string>>;

// Sheet A2 as the A1 menu command opens it.
inline lc::Sheet& openA2(lc::Workbook& wb) {
    lc::menuA1(wb);
    return wb.sheet(lc::SheetId::A2);
}

inline void type(lc::Sheet& s, const Texts& texts) {
    for (const auto& [field, text] : texts) s.setText(field, text);
}

inline void expectTexts(const lc::Sheet& s, const Texts& texts) {
    for (const auto& [field, text] : texts) EXPECT_EQ(s.text(field), text) << field;
}

// The fields the start button writes, in the order it writes them.
inline const std::vector<std::string>& firstStretchFields() {
    static const std::vector<std::string> f{
        "Text8",  "Text14", "Text7",  "Text4",     "Text6",     "Text9",     "Text10",    "Text11",   "Text13",
        "Text15", "Text16", "Text23(0)", "Text23(1)", "Text24(0)", "Text24(1)", "Text25(0)", "Text25(1)"};
    return f;
}
inline const std::vector<std::string>& secondStretchFields() {
    static const std::vector<std::string> f{
        "Text18",    "Text19",    "Text21",    "Text22",    "Text26",    "Text27",    "Text28",
        "Text31",    "Text32(0)", "Text32(1)", "Text33(0)", "Text33(1)", "Text34(0)", "Text34(1)",
        "Text35(0)", "Text35(1)", "Text36(1)", "Text36(0)", "Text38(0)", "Text38(1)", "Text39(0)",
        "Text39(1)", "Text40(0)", "Text40(1)", "Text41(0)", "Text41(1)", "Text42(0)", "Text42(1)"};
    return f;
}

// Puts a marker into the given fields, so that a test can tell the fields a
// press wrote from those it left alone.
inline void mark(lc::Sheet& s, const std::vector<std::string>& fields, const std::string& marker = "old") {
    for (const auto& f : fields) s.setText(f, marker);
}

inline void expectMarked(const lc::Sheet& s, const std::vector<std::string>& fields,
                         const std::string& marker = "old") {
    for (const auto& f : fields) EXPECT_EQ(s.text(f), marker) << f << " should have kept its text";
}

inline void expectRewritten(const lc::Sheet& s, const std::vector<std::string>& fields,
                            const std::string& marker = "old") {
    for (const auto& f : fields) EXPECT_NE(s.text(f), marker) << f << " should have been written";
}

// Module table rows at their boundaries: m, Kc, Kb. 1.23 and 1.25 lie in the
// gap between the rows "up to 1.225" and "above 1.25" and take the 0.3 of the
// row below.
struct ModuleRow {
    const char* m;
    const char* kc;
    const char* kb;
};
inline const std::vector<ModuleRow>& moduleRows() {
    static const std::vector<ModuleRow> rows{
        {"0.5", "0.35", "0.2"}, {"0.51", "0.3", "0.2"},  {"0.79", "0.3", "0.2"},  {"0.8", "0.3", "0.25"},
        {"1.225", "0.3", "0.25"}, {"1.23", "0.3", "0.25"}, {"1.25", "0.3", "0.25"}, {"1.26", "0.25", "0.25"},
        {"2.5", "0.25", "0.25"}, {"2.51", "0.2", "0.25"}, {"3", "0.2", "0.25"}};
    return rows;
}

// The first worked example: Z1 10, Z2 41, m 2, β 35, x 0.4, and what each
// stretch of the start button writes for it.
inline const Texts& example1Inputs() { return example::a2Inputs(); }
inline const Texts& example1FirstStretch() { return example::a2FirstStretch(); }
inline const Texts& example1SecondStretch() { return example::a2SecondStretch(); }

}  // namespace a2test
