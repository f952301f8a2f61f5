#include "ui/sheet_b1_form.h"

namespace lc::ui {
namespace {

constexpr FieldKind In = FieldKind::Input;
constexpr FieldKind Res = FieldKind::Result;

const LabelledField kRows[] = {
    {"Text1(0)", "Label1(0)", "1           刀盘直径", In, 3030, 210, 360, 270, 2400},
    {"Text1(1)", "Label1(1)", "        刀盘公称直径", In, 3030, 750, 360, 810, 2400},
    {"Text2", "Label2", "2           实际刀号", In, 3030, 1275, 360, 1335, 2400},
    {"Text3", "Label3", "3         实际错刀量", In, 3030, 1815, 360, 1875, 2400},
    {"Text4", "Label4", "4   径向调整水平分量", Res, 3030, 2355, 360, 2415, 2400},
    {"Text5", "Label5", "5   径向调整垂直分量", Res, 3030, 2895, 360, 2955, 2400},
    {"Text6", "Label6", "6 刀盘中心径向调整值", Res, 3030, 3420, 360, 3480, 2400},
    {"Text7", "Label7", "7       径向调整极角", Res, 3030, 3960, 360, 4020, 2400},
    {"Text8", "Label8", "8", Res, 3030, 4500, 330, 4590, 120},
    {"Text9", "Label9", "9   床鞍位置的修正量", Res, 3030, 5040, 330, 5100, 2400},
    {"Text10", "Label10", "48 主轴倾角", Res, 6480, 210, 4980, 270, 1320},
    {"Text11", "Label11", "49 j", Res, 6480, 690, 4980, 750, 480},
    {"Text12", "Label12", "50 U2", Res, 6480, 1170, 4980, 1230, 600},
    {"Text13", "Label13", "51 Ue1", Res, 6480, 1665, 4980, 1725, 720},
    {"Text14", "Label14", "52 Ui1", Res, 6480, 2145, 4980, 2205, 720},
    {"Text15", "Label15", "53 DtX1", Res, 6480, 2625, 4980, 2685, 840},
    {"Text16", "Label16", "54 Cosbt", In, 6480, 3105, 4980, 3165, 960},
    {"Text17", "Label17", "55 Sx1", Res, 6480, 3585, 4980, 3645, 720},
    {"Text18", "Label18", "56 Sx2", Res, 6480, 4080, 4980, 4140, 720},
    {"Text19", "Label19", "57 hx1", Res, 6480, 4560, 4980, 4620, 720},
    {"Text20", "Label20", "58 hx2", Res, 6480, 5040, 4980, 5100, 720},
};

}  // namespace

SheetB1Form::SheetB1Form(Session& session, QWidget* parent) : SheetForm(session, SheetId::B1, parent) {
    const QFont font = formFont("宋体", 12);
    const QFont buttonFont = formFont("宋体", 10.5);
    // Result fields only show what the calculation wrote.
    for (const LabelledField& r : kRows) addLabelledField(r, QSize(1245, 360), font, font, r.kind == In);
    addCheck("Check1", QString(), QRect(7830, 3180, 285, 255), font);
    auto* start = makeButton(this, "Command1", QString::fromUtf8("开  始"), QRect(1590, 5550, 1245, 375), buttonFont);
    auto* next = makeButton(this, "Command3", QString::fromUtf8("下一步"), QRect(5400, 5550, 1245, 375), buttonFont);
    connect(start, &QPushButton::clicked, this, action("Command1"));
    connect(next, &QPushButton::clicked, this, action("Command3"));

    setTabChain({"Text1(0)", "Text2", "Text3", "Text16", "Text1(1)", "Command1", "Command3", "Check1"});
    refresh();
}

QWidget* SheetB1Form::firstFocus() const { return control("Text1(0)"); }

}  // namespace lc::ui
