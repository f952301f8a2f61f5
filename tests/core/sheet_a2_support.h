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

// The first worked example: Z1 10, Z2 41, m 2, β 35, x 0.4.
inline const Texts& example1Inputs() {
    static const Texts t{{"Text1", "10"}, {"Text2", "41"}, {"Text3", "2"}, {"Text5", "35"}, {"Text12", "0.4"}};
    return t;
}

// Its first stretch, as the worked example gives it.
inline const Texts& example1FirstStretch() {
    static const Texts t{
        {"Text8", "0.25"},
        {"Text14", "0.25"},
        {"Text7", "0.82"},
        {"Text4", "4.1"},
        {"Text6", "42.2018956920184"},
        {"Text9", "3.28"},
        {"Text10", "0.5"},
        {"Text11", "6.2831852"},
        {"Text13", "42.2018956920184"},
        {"Text15", "10.5504739230046"},
        {"Text16", "36.9266587305161"},
        {"Text23(0)", "2.44"},
        {"Text23(1)", "0.84"},
        {"Text24(0)", "1.34"},
        {"Text24(1)", "2.94"},
        {"Text25(0)", "1.81865191067781"},
        {"Text25(1)", "3.9850786718361"},
    };
    return t;
}

// Its second stretch with the cutter radius 44.45.
inline const Texts& example1SecondStretch() {
    static const Texts t{
        {"Text18", "3.5"},
        {"Text19", "35"},
        {"Text21", "0.8888738"},
        {"Text22", "0.575899613801122"},
        {"Text26", "12.8811819285765"},
        {"Text27", "50.4646453857422"},
        {"Text28", "0.0774437746714884"},
        {"Text31", "3.934887"},
        {"Text32(0)", "2.659729"},
        {"Text32(1)", "4.826156"},
        {"Text33(0)", "2.517444"},
        {"Text33(1)", "0.9174438"},
        {"Text34(0)", "1.417444"},
        {"Text34(1)", "3.017444"},
        {"Text35(0)", "20"},
        {"Text35(1)", "82"},
        {"Text36(0)", "13.70696"},
        {"Text36(1)", "76.2930389959203"},
        {"Text38(0)", "18.53312"},
        {"Text38(1)", "78.95277"},
        {"Text39(0)", "11.04723"},
        {"Text39(1)", "71.46688"},
        {"Text40(0)", "22.7541513438883"},
        {"Text40(1)", "83.4300039587609"},
        {"Text41(0)", "41.3358720895402"},
        {"Text41(1)", "12.9315081154598"},
        {"Text42(0)", "3.49748956554454"},
        {"Text42(1)", "2.785696"},
    };
    return t;
}

}  // namespace a2test
