#include "core/sheet_b1.h"

#include "core/numtext.h"

namespace lc {
namespace {

// Degrees to radians and back on this sheet.
constexpr double kPi = 3.14159265358979;

Outcome calculate(Calc& c) {
    constexpr SheetId A2 = SheetId::A2;

    // Item 4, horizontal component: L − r·sin β, with β read as Single.
    c.putDouble("Text4", [&] {
        const Num L = c.D(A2, "Text16");
        const Num r = c.D(A2, "Text17");
        const Num beta = c.S(A2, "Text19");
        return L - r * sin(beta * kPi / 180);
    });
    // Item 5, vertical component: r·cos β, β read as Single again.
    c.putDouble("Text5", [&] {
        const Num r = c.D(A2, "Text17");
        const Num beta = c.S(A2, "Text19");
        return r * cos(beta * kPi / 180);
    });
    // Item 6, radial setting: (H² + V²)^(1/2) through the power function, from
    // the texts just written.
    c.putDouble("Text6", [&] {
        const Num V = c.D("Text5");
        const Num H = c.D("Text4");
        return pow(pow(H, 2) + pow(V, 2), Num(1) / 2);
    });
    // Item 7, polar angle: the one-argument arc tangent of V/H, in degrees.
    c.putDouble("Text7", [&] {
        const Num V = c.D("Text5");
        const Num H = c.D("Text4");
        return atan(V / H) * 180 / kPi;
    });
    // Item 8: the polar angle less β, here read as Double.
    c.putDouble("Text8", [&] {
        const Num q = c.D("Text7");
        return q - c.D(A2, "Text19");
    });
    // Item 9, sliding-base correction Δ·L/3440, always with eight decimals.
    c.putFixed8("Text9", [&] {
        const Num delta = c.D(A2, "Text27");
        return delta * c.D(A2, "Text16") / 3440;
    });
    // Item 48, the spindle inclination, is always 0.
    c.setText("Text10", writeInteger(0));

    // Items 49 to 53 repeat texts already on the sheet, in this order.
    c.setText("Text11", c.text("Text8"));
    c.setText("Text12", c.text("Text6"));
    c.setText("Text13", c.text("Text12"));
    c.setText("Text14", c.text("Text12"));
    c.setText("Text15", c.text("Text9"));

    // Only the empty text counts as missing; blanks fail as a number below.
    if (c.empty("Text16")) return Outcome::msg("请输入COSβe值", "Text16");

    // Items 55 and 56: cosβe times the chordal thicknesses of pinion and gear.
    c.putDouble("Text17", [&] {
        const Num cosBeta = c.D("Text16");
        return cosBeta * c.D(A2, "Text42(0)");
    });
    c.putDouble("Text18", [&] {
        const Num cosBeta = c.D("Text16");
        return cosBeta * c.D(A2, "Text42(1)");
    });
    // Items 57 and 58: the addenda, as sheet A2 shows them.
    c.setText("Text19", c.workbook().sheet(A2).text("Text33(0)"));
    c.setText("Text20", c.workbook().sheet(A2).text("Text33(1)"));

    c.workbook().flags.b1Done = kTrue;
    return Outcome::done();
}

}  // namespace

Outcome b1Command1(Workbook& wb) { return runGuarded(wb, SheetId::B1, calculate); }

Outcome b1Command3(Workbook& wb) {
    wb.show(SheetId::C);
    return Outcome::done();
}

}  // namespace lc
