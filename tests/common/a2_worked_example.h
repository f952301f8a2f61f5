// Sheet A2's worked example, as the tests of the core, the batch tool and the
// windows all use it: Z1 10, Z2 41, m 2, β 35, x 0.4, cutter radius 44.45, the
// check boxes clear.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace example {

using Texts = std::vector<std::pair<std::string, std::string>>;

// What the engineer types (item 17 apart).
inline const Texts& a2Inputs() {
    static const Texts t{{"Text1", "10"}, {"Text2", "41"}, {"Text3", "2"}, {"Text5", "35"}, {"Text12", "0.4"}};
    return t;
}

inline const char* const kA2CutterRadius = "44.45";

// The texts the first stretch of the start button writes.
inline const Texts& a2FirstStretch() {
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

// The texts its second stretch writes with the cutter radius 44.45.
inline const Texts& a2SecondStretch() {
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

// Every text of sheet A2 after the whole calculation.
inline Texts a2Calculated() {
    Texts all = a2Inputs();
    all.emplace_back("Text17", kA2CutterRadius);
    all.insert(all.end(), a2FirstStretch().begin(), a2FirstStretch().end());
    all.insert(all.end(), a2SecondStretch().begin(), a2SecondStretch().end());
    return all;
}

// What sheet C's creation copies from sheet A2 after the whole calculation:
// Z1, Z2, Zc, m, β, L, b and h into its input block.
inline const Texts& cImportedFromA2() {
    static const Texts t{{"Text42", "10"}, {"Text43", "41"}, {"Text44", "42.2018956920184"},
                         {"Text45", "2"},  {"Text46", "35"}, {"Text47", "36.9266587305161"},
                         {"Text48", "10.5504739230046"}, {"Text50", "3.934887"}};
    return t;
}

}  // namespace example
