#include "core/sheet_c.h"

namespace lc {
namespace {

constexpr double kPi = 3.14159265358979;

Num rad(Num degrees) { return degrees * kPi / 180; }
Num deg(Num radians) { return radians * 180 / kPi; }

// arccos x in degrees, through the arc tangent: atan(−x/√(1 − x²)) + 2·atan(1).
// The root comes first, then atan(1); |x| = 1 divides by zero, |x| > 1 has no root.
Num arccosDeg(Num x) {
    const Num root = sqrt(-x * x + 1);
    const Num quarter = atan(1);
    return deg(atan(-x / root) + 2 * quarter);
}

// arcsin x in degrees: atan(x/√(1 − x²)).
Num arcsinDeg(Num x) {
    const Num root = sqrt(-x * x + 1);
    return deg(atan(x / root));
}

// cos(numerator angle)/cos(denominator angle), held as a Single; the
// denominator's cosine is taken first.
Num cosineRatio(Calc& c, const char* numerator, const char* denominator) {
    const Num below = cos(rad(c.D(denominator)));
    const Num above = cos(rad(c.D(numerator)));
    return single(above / below);
}

Outcome calculate(Calc& c) {
    constexpr SheetId A2 = SheetId::A2;
    constexpr SheetId B1 = SheetId::B1;
    // Several fields are read within one formula; each is read in its own
    // statement so that the first unreadable one, left to right, is the one
    // reported.

    // Item 1, θB = b·57·tan β / L; the tangent first.
    c.putDouble("Text1", [&] {
        const Num t = tan(rad(c.D("Text46")));
        const Num b = c.D("Text48");
        return b * 57 * t / c.D("Text47");
    });
    // Item 2, θε = K/Zc + θB, K by the sign of β.
    c.putDouble("Text2", [&] {
        const Num k = c.D("Text46") > 0 ? 1000 : 1200;
        const Num zc = c.D("Text44");
        return k / zc + c.D("Text1");
    });

    // The cosine ratios of the four angles; each belongs to the item it feeds.
    const Num c1 = c.eval("Text3", [&] { return cosineRatio(c, "Text52", "Text53"); });
    const Num c2 = c.eval("Text4", [&] { return cosineRatio(c, "Text54", "Text55"); });

    // Items 3 and 4, θ'1 and θ'2: arccos c1 and arccos c2 in degrees.
    c.putDouble("Text3", [&] { return arccosDeg(c1); });
    c.putDouble("Text4", [&] { return arccosDeg(c2); });

    // Item 5, θ1 = θε/2 + θ'1 + θB/2.
    c.putDouble("Text5", [&] {
        const Num epsilon = c.D("Text2");
        const Num prime = c.D("Text3");
        return epsilon * 0.5 + prime + c.D("Text1") * 0.5;
    });
    // Item 6, θ2: two formulas, θ1 read afresh for each test.
    if (c.D("Text5") < 70) {
        c.putDouble("Text6", [&] {
            const Num epsilon = c.D("Text2");
            const Num prime = c.D("Text4");
            return epsilon * 0.5 + prime + c.D("Text1") * 0.5;
        });
    }
    if (c.D("Text5") >= 70) {
        c.putDouble("Text6", [&] {
            const Num prime = c.D("Text4");
            return prime * 0.8 + c.D("Text2") * 0.6;
        });
    }

    // Items 7 and 8, Zi1 and Zi2, unless the user keeps a typed value.
    auto toothRatio = [&](const char* theta) {
        const Num zc = c.D("Text44");
        return zc * c.D(theta) / 210 + 2;
    };
    if (c.home().check("Check2") == 0) c.putDouble("Text7", [&] { return toothRatio("Text5"); });
    if (c.home().check("Check3") == 0) c.putDouble("Text8", [&] { return toothRatio("Text6"); });

    // Items 9 to 12: i01 = 3·Zi1/Zc, i02, ig1 = 2·Zi1/Z1, ig2 (a product of
    // two numbers does not depend on their order).
    auto scaled = [&](Num factor, const char* top, const char* bottom) {
        const Num t = c.D(top);
        return factor * t / c.D(bottom);
    };
    c.putDouble("Text9", [&] { return scaled(3, "Text7", "Text44"); });
    c.putDouble("Text10", [&] { return scaled(3, "Text8", "Text44"); });
    c.putDouble("Text11", [&] { return scaled(2, "Text7", "Text42"); });
    c.putDouble("Text12", [&] { return scaled(2, "Text8", "Text43"); });
    // Items 14 and 15, G1 from Gr (item 13) and G2 from the fixed 20.
    c.putDouble("Text14", [&] {
        const Num gr = c.D("Text13");
        const Num zc = c.D("Text44");
        return gr * zc / c.D("Text42");
    });
    c.putDouble("Text15", [&] { return scaled(20, "Text44", "Text43"); });

    // Items 16 and 17: the pitch diameters of sheet A2 times 0.00043·cos β,
    // the cosine first.
    auto pitchTerm = [&](const char* diameter) {
        const Num cb = cos(rad(c.D("Text46")));
        return c.D(A2, diameter) * 0.00043 * cb;
    };
    c.putFixed8("Text16", [&] { return pitchTerm("Text35(0)"); });
    c.putFixed8("Text17", [&] { return pitchTerm("Text35(1)"); });

    // Item 23, △Q1 = (θ1 − θε)/2; item 24, △Q2, by θ1 against 70 again.
    auto halfDifference = [&](const char* theta) {
        const Num t = c.D(theta);
        return (t - c.D("Text2")) * 0.5;
    };
    c.putDouble("Text23", [&] { return halfDifference("Text5"); });
    if (c.D("Text5") < 70) c.putDouble("Text24", [&] { return halfDifference("Text6"); });
    if (c.D("Text5") >= 70) {
        c.putDouble("Text24", [&] {
            const Num zi2 = c.D("Text8");
            return zi2 / c.D("Text44");
        });
    }

    // U2/64 and Ui1/64 from sheet B1, held as Singles.
    const Num s1 = c.eval("Text25", [&] { return single(c.D(B1, "Text12") / 64); });
    const Num s2 = c.eval("Text27", [&] { return single(c.D(B1, "Text14") / 64); });

    // Items 25 to 28, the half-angles: arcsin s1 twice, arcsin s2 twice.
    c.putDouble("Text25", [&] { return arcsinDeg(s1); });
    c.putDouble("Text26", [&] { return arcsinDeg(s1); });
    c.putDouble("Text27", [&] { return arcsinDeg(s2); });
    c.putDouble("Text28", [&] { return arcsinDeg(s2); });

    // Items 29 and 30, Q右 and Q左: a left-handed pinion takes Singles and
    // pairs △Q1 with Q右; a right-handed one takes Doubles and pairs △Q2 with Q右.
    if (c.workbook().flags.pinionRightHand == kFalse) {
        c.putSingle("Text29", [&] {
            const Num half = c.S("Text25");
            const Num q = c.S(B1, "Text7");
            return single(single(half - q) + c.S("Text23"));
        });
        c.putSingle("Text30", [&] {
            const Num q = c.S(B1, "Text7");
            const Num half = c.S("Text25");
            return single(single(q + half) + c.S("Text24"));
        });
    } else {
        c.putDouble("Text29", [&] {
            const Num half = c.D("Text25");
            const Num q = c.D(B1, "Text7");
            return (half - q) + c.D("Text24");
        });
        c.putDouble("Text30", [&] {
            const Num half = c.D("Text25");
            const Num q = c.D(B1, "Text7");
            return (half + q) + c.D("Text23");
        });
    }

    // Items 34 and 35, JM1(=) and JM2(=): the Single readings summed in
    // Double, rounded only by the writing.
    c.putSingle("Text34", [&] {
        const Num j = c.S(B1, "Text11");
        return j + c.S("Text25") + 90;
    });
    c.putSingle("Text35", [&] {
        const Num half = c.S("Text25");
        return half - c.S(B1, "Text11") + 90;
    });

    // Items 36 and 37, X1 and X2; item 38, the cam rise 2h + 6.
    c.putDouble("Text36", [&] { return 7 - c.D("Text56"); });
    c.putDouble("Text37", [&] { return 7 - c.D("Text57"); });
    c.putDouble("Text38", [&] { return 2 * c.D("Text50") + 6; });
    return Outcome::done();
}

}  // namespace

Outcome cCommand1(Workbook& wb) { return runGuarded(wb, SheetId::C, calculate); }

Outcome cCommand3(Workbook& wb) {
    wb.hide(SheetId::C);
    return Outcome::done();
}

}  // namespace lc
