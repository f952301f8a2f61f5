#include "core/sheet_a2.h"

#include <array>
#include <optional>
#include <string>

namespace lc {
namespace {

// π as the degree and radian conversions use it, and the shorter value that
// the circular pitch and the cosine of item 5's spiral angle use.
constexpr double kPi = 3.14159265358979;
constexpr double kPiShort = 3.1415926;

// ---- coefficient tables ---------------------------------------------------
// Shared by the start button and the Enter handlers of Text3 and Text5. Each
// is an if/else-if chain; no value means the field keeps its text.

// Kc, item 8. The row 0.5 < m <= 1.225 is extended up to 1.25, so that a
// module between 1.225 and 1.25 (1.23, say) gets a clearance coefficient
// like every other module instead of leaving item 8 without a value.
std::optional<double> clearanceCoefficient(Num m) {
    if (m <= 0.5) return 0.35;
    if (m > 0.5 && m <= 1.25) return 0.3;
    if (m > 1.25 && m <= 2.5) return 0.25;
    if (m > 2.5) return 0.2;
    return std::nullopt;
}

// Kb, item 14.
std::optional<double> faceWidthCoefficient(Num m) {
    if (m < 0.8) return 0.2;
    if (m >= 0.8) return 0.25;
    return std::nullopt;
}

// f, item 7, on the spiral angle in degrees.
std::optional<double> toothHeightCoefficient(Num beta) {
    if (beta == 0.0) return 1.0;
    if (beta >= 10.0 && beta <= 25.0) return 0.92;
    if (beta >= 30.0 && beta <= 40.0) return 0.82;
    return std::nullopt;
}

void putTableValue(Calc& c, std::string_view field, std::optional<double> v) {
    if (v) c.writeDoubleText(field, Num(*v));
}

// Item 3's table steps: Kc then Kb, the module read afresh for each.
void moduleCoefficients(Calc& c) {
    putTableValue(c, "Text8", clearanceCoefficient(c.D("Text3")));
    putTableValue(c, "Text14", faceWidthCoefficient(c.D("Text3")));
}

void spiralAngleCoefficient(Calc& c) { putTableValue(c, "Text7", toothHeightCoefficient(c.D("Text5"))); }

// Item 4: i = Z2 / Z1.
void gearRatio(Calc& c) {
    c.putDouble("Text4", [&] {
        const Num z2 = c.D("Text2");
        const Num z1 = c.D("Text1");
        return z2 / z1;
    });
}

bool ticked(Calc& c, std::string_view box) { return c.home().check(box) != 0; }

// ---- first stretch: items 4 to 16 and 23 to 25 ----------------------------
// Returns a message when a required input is missing.
std::optional<Outcome> firstStretch(Calc& c) {
    for (const char* f : {"Text1", "Text2", "Text3", "Text5", "Text12"})
        if (c.empty(f)) return Outcome::msg("请输入必要的参数！", std::string(f));

    moduleCoefficients(c);
    spiralAngleCoefficient(c);

    gearRatio(c);
    // Zc: both squares and the root through the general power, the exponent
    // one half computed as 1 / 2.
    c.putDouble("Text6", [&] {
        const Num z1sq = pow(c.D("Text1"), 2.0);
        const Num z2sq = pow(c.D("Text2"), 2.0);
        return pow(z1sq + z2sq, Num(1.0) / Num(2.0));
    });
    if (!c.empty("Text7") && !c.empty("Text3"))
        c.putDouble("Text9", [&] {
            const Num f1 = c.D("Text7");
            const Num f2 = c.D("Text7");
            return (f1 + f2) * c.D("Text3");
        });
    if (!c.empty("Text8") && !c.empty("Text3"))
        c.putDouble("Text10", [&] {
            const Num kc = c.D("Text8");
            return kc * c.D("Text3");
        });
    c.putDouble("Text11", [&] { return c.D("Text3") * kPiShort; });
    c.putDouble("Text13", [&] {
        const Num zc = c.D("Text6");
        return zc * 0.5 * c.D("Text3");
    });
    if (!ticked(c, "Check1") && !c.empty("Text13") && !c.empty("Text14"))
        c.putDouble("Text15", [&] {
            const Num le = c.D("Text13");
            return le * c.D("Text14");
        });
    if (!c.empty("Text13") && !c.empty("Text15"))
        c.putDouble("Text16", [&] {
            const Num le = c.D("Text13");
            return le - c.D("Text15") * 0.5;
        });

    c.putSingle("Text23(0)", [&] {
        const Num m = c.S("Text3");
        const Num f = c.S("Text7");
        return m * single(f + c.S("Text12"));
    });
    c.putDouble("Text23(1)", [&] {
        const Num m = c.D("Text3");
        const Num f = c.D("Text7");
        return m * (f - c.D("Text12"));
    });
    c.putSingle("Text24(0)", [&] {
        const Num m = c.S("Text3");
        const Num f = c.S("Text7");
        const Num fk = single(f + c.S("Text8"));
        return m * single(fk - c.S("Text12"));
    });
    c.putSingle("Text24(1)", [&] {
        const Num m = c.S("Text3");
        const Num x = c.S("Text12");
        const Num f = c.S("Text7");
        return m * single(x + single(f + c.S("Text8")));
    });
    for (const char* k : {"0", "1"}) {
        const std::string hf = std::string("Text24(") + k + ")";
        c.putDouble(std::string("Text25(") + k + ")", [&] {
            const Num h = c.D(hf);
            return atan(h / c.D("Text13")) * 180.0 / kPi;
        });
    }
    return std::nullopt;
}

// ---- second stretch: items 18 to 22, 26 to 28 and 31 to 42 ----------------

struct CutterSize {
    const char* radius;  // item 17's text, compared character for character
    double diameter;     // item 18, inches
};
constexpr std::array<CutterSize, 5> kCutterSizes{{
    {"6.35", 0.5}, {"13.97", 1.1}, {"19.05", 1.5}, {"25.4", 2.0}, {"44.45", 3.5}}};

std::string row(const char* item, int k) { return std::string(item) + "(" + std::to_string(k) + ")"; }

// Degrees (from a field's Double text) to radians.
Num radians(Calc& c, std::string_view field) { return c.D(field) * kPi / 180.0; }

std::optional<Outcome> secondStretch(Calc& c) {
    if (c.empty("Text17")) return Outcome::msg("请输入刀盘半径 ！", std::string("Text17"));

    for (const auto& size : kCutterSizes)
        if (c.text("Text17") == size.radius) {
            c.writeDoubleText("Text18", Num(size.diameter));
            break;
        }
    if (!ticked(c, "Check2")) c.setText("Text19", c.text("Text5"));

    // c5: the cosine of item 5's spiral angle, in Single, with the short π.
    // It feeds items 21 and 22 only.
    const Num c5 = c.eval("Text21", [&] {
        const Num b1 = c.D("Text5");
        const Num b2 = c.D("Text5");
        return single(cos((b1 + b2) * kPiShort / 360.0));
    });

    c.putSingle("Text21", [&] {
        const Num f = c.S("Text7");
        const Num fk = f + c.S("Text8");
        const Num bracket = 1.571 * c5 - 0.728 * fk;
        const Num l = c.D("Text16");
        const Num m = c.D("Text3");
        return l * m / c.D("Text13") * bracket;
    });
    if (!c.empty("Text3") && !c.empty("Text15") && !c.empty("Text17"))
        c.putDouble("Text22", [&] {
            const Num top = c.D("Text17") * 0.25 * c5;
            const Num b = c.D("Text15");
            const Num root = pow(c.D("Text3") * 1.37 * c5, Num(1.0) / Num(2.0));
            return top / (b * root);
        });
    if (!ticked(c, "Check3"))
        c.putDouble("Text26", [&] {
            const Num beta = radians(c, "Text19");
            const Num l = c.D("Text16");
            const Num factor = 1.0 - l / c.D("Text17") * sin(beta);
            const Num t = tan(beta) * 1483.0;
            return t / c.D("Text6") * factor;
        });
    c.putDouble("Text27", [&] {
        const Num n = c.S("Text26");
        const Num a = single(n * 20.0 / sin(radians(c, "Text19")));
        const Num t0 = c.S("Text25(0)");
        const Num b = single((t0 + c.S("Text25(1)")) * 60.0);
        return (a - b) * 0.5;
    });
    c.putDouble("Text28", [&] {
        const Num half = c.D("Text15") * 0.5;
        return half * tan(c.D("Text27") * kPi / 10800.0);
    });
    c.putSingle("Text31", [&] {
        const Num dh2 = 2.0 * c.S("Text28");
        const Num h3 = c.S("Text9");
        return dh2 + single(h3 + c.S("Text10"));
    });
    for (int k = 0; k < 2; ++k)
        c.putSingle(row("Text32", k), [&] {
            const Num theta = c.S(row("Text25", k));
            return theta + single(c.S("Text27") / 60.0);
        });
    for (int k = 0; k < 2; ++k)
        c.putSingle(row("Text33", k), [&] {
            const Num ha = c.S(row("Text23", k));
            return ha + c.S("Text28");
        });
    for (int k = 0; k < 2; ++k)
        c.putSingle(row("Text34", k), [&] {
            const Num hf = c.S(row("Text24", k));
            return hf + c.S("Text28");
        });
    c.putSingle("Text35(0)", [&] {
        const Num m = c.S("Text3");
        return m * c.S("Text1");
    });
    c.putSingle("Text35(1)", [&] {
        const Num m = c.S("Text3");
        return m * c.S("Text2");
    });
    // The gear's pitch cone angle first; the pinion's is 90 minus the gear's
    // as its text reads back in Single.
    c.putDouble("Text36(1)", [&] { return atan(c.D("Text4")) * 180.0 / kPi; });
    c.putSingle("Text36(0)", [&] { return 90.0 - c.S("Text36(1)"); });
    // Each face cone angle adds the other member's dedendum angle.
    for (int k = 0; k < 2; ++k)
        c.putSingle(row("Text38", k), [&] {
            const Num delta = c.S(row("Text36", k));
            return delta + c.S(row("Text32", 1 - k));
        });
    for (int k = 0; k < 2; ++k)
        c.putSingle(row("Text39", k), [&] {
            const Num delta = c.S(row("Text36", k));
            return delta - c.S(row("Text32", k));
        });
    for (int k = 0; k < 2; ++k)
        c.putDouble(row("Text40", k), [&] {
            const Num d = c.S(row("Text35", k));
            const Num hf2 = 2.0 * c.S(row("Text34", k));
            return d + hf2 * cos(radians(c, row("Text36", k)));
        });
    // Half the other member's pitch diameter plus its own dedendum times the
    // sine of its own pitch cone angle.
    for (int k = 0; k < 2; ++k)
        c.putDouble(row("Text41", k), [&] {
            const Num half = c.S(row("Text35", 1 - k)) * 0.5;
            const Num hf = c.S(row("Text34", k));
            return half + hf * sin(radians(c, row("Text36", k)));
        });
    // The pinion's chordal thickness (the shift term first), then the gear's:
    // the circular pitch minus the pinion's thickness read back from its text.
    c.putDouble("Text42(0)", [&] {
        const Num x = c.S("Text12");
        const Num shift = x * 0.728 / cos(radians(c, "Text19"));
        return c.S("Text3") * 1.571 + shift;
    });
    c.putSingle("Text42(1)", [&] {
        const Num t = c.S("Text11");
        return t - c.S("Text42(0)");
    });

    c.workbook().flags.a2Done = kTrue;
    return std::nullopt;
}

// The clicked button becomes selected; the captions record the hands.
Outcome chooseHand(Workbook& wb, int selected, const char* pinion, const char* gear) {
    Sheet& s = wb.sheet(SheetId::A2);
    s.selectedOption = selected;
    s.option1Caption = pinion;
    s.option2Caption = gear;
    return Outcome::done();
}

}  // namespace

Outcome a2Command1(Workbook& wb) {
    return runGuarded(wb, SheetId::A2, [&](Calc& c) {
        std::optional<Outcome> stop = firstStretch(c);
        if (!stop) stop = secondStretch(c);
        // Every press not ended by a fault records the pinion's hand.
        wb.flags.pinionRightHand = c.home().option1Caption == "右" ? kTrue : kFalse;
        return stop ? *stop : Outcome::done();
    });
}

Outcome a2Command2(Workbook& wb) {
    wb.show(SheetId::B1);
    return Outcome::done();
}

Outcome a2Command3(Workbook& wb) {
    Sheet& s = wb.sheet(SheetId::A2);
    for (const char* box : {"Check1", "Check2", "Check3"}) s.setCheck(box, 0);
    wb.flags.a2Done = kFalse;
    for (const auto& f : s.fieldNames())
        if (f != "Text20(0)" && f != "Text20(1)") s.setText(f, "");
    s.setCheck("Check1", 0);
    return Outcome::done(std::string("Text1"));
}

Outcome a2Enter(Workbook& wb, std::string_view field) {
    // The focus moves first; what follows may fail and leaves it moved.
    struct Link {
        const char* field;
        const char* next;
        void (*fill)(Calc&);
    };
    static const Link chain[] = {
        {"Text1", "Text2", [](Calc& c) { if (!c.empty("Text2")) gearRatio(c); }},
        {"Text2", "Text3", [](Calc& c) { if (!c.empty("Text1")) gearRatio(c); }},
        {"Text3", "Text5", [](Calc& c) { if (!c.empty("Text3")) moduleCoefficients(c); }},
        {"Text5", "Text12", [](Calc& c) { if (!c.empty("Text5")) spiralAngleCoefficient(c); }},
        {"Text12", "Text17", nullptr},
        {"Text17", "Command1", nullptr},
    };
    for (const Link& link : chain) {
        if (field != link.field) continue;
        const std::string next = link.next;
        return runGuarded(
            wb, SheetId::A2,
            [&](Calc& c) {
                if (link.fill) link.fill(c);
                return Outcome::done(next);
            },
            next);
    }
    return Outcome::done();
}

Outcome a2Option1Click(Workbook& wb) { return chooseHand(wb, 1, "左", "右"); }

Outcome a2Option2Click(Workbook& wb) { return chooseHand(wb, 2, "右", "左"); }

Outcome a2Label1Click(Workbook& wb) {
    wb.sheet(SheetId::A2).setText("Text2", "wr ");
    return Outcome::done();
}

}  // namespace lc
