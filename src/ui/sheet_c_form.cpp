#include "ui/sheet_c_form.h"

namespace lc::ui {
namespace {

constexpr FieldKind In = FieldKind::Input;
constexpr FieldKind Res = FieldKind::Result;

// The input block: captions are the label array Label43(22..39).
const LabelledField kInputs[] = {
    {"Text42", "Label43(35)", "Z1", In, 990, 113, 420, 150, 240},
    {"Text43", "Label43(37)", "Z2", In, 990, 495, 420, 510, 240},
    {"Text44", "Label43(36)", "Zc", In, 990, 870, 420, 870, 240},
    {"Text45", "Label43(38)", "m", In, 990, 1230, 420, 1230, 120},
    {"Text46", "Label43(34)", "β", In, 3150, 135, 2490, 150, 240},
    {"Text47", "Label43(33)", "L", In, 3150, 495, 2490, 510, 120},
    {"Text48", "Label43(32)", "b", In, 3150, 855, 2490, 870, 120},
    {"Text49", "Label43(39)", "p", In, 3150, 1215, 2490, 1230, 120},
    {"Text50", "Label43(31)", "h", In, 5220, 150, 4575, 150, 120},
    {"Text51", "Label43(30)", "△Xs", In, 5220, 525, 4575, 510, 480},
    {"Text52", "Label43(29)", "Фe1", In, 5220, 885, 4575, 870, 480},
    {"Text53", "Label43(28)", "Фi1", In, 5220, 1230, 4575, 1230, 480},
    {"Text54", "Label43(27)", "Фe2", In, 7110, 113, 6525, 150, 480},
    {"Text55", "Label43(26)", "Фi2", In, 7110, 495, 6525, 510, 480},
    {"Text56", "Label43(25)", "△X1", In, 7110, 855, 6525, 870, 480},
    {"Text57", "Label43(24)", "△X2", In, 7110, 1215, 6525, 1290, 480},
    {"Text58", "Label43(23)", "ФB1", In, 9450, 113, 8850, 150, 480},
    {"Text59", "Label43(22)", "ФB2", In, 9450, 495, 8850, 510, 480},
};

// Items 1 to 40; the label names do not all follow the item numbers.
const LabelledField kItems[] = {
    {"Text1", "Label1", "1θ B", Res, 1530, 1740, 420, 1770, 600},
    {"Text2", "Label2", "2θε", Res, 1530, 2190, 420, 2250, 600},
    {"Text3", "Label3", "3 Cosθ'1", Res, 1530, 2655, 390, 2715, 1080},
    {"Text4", "Label4", "4 Cosθ'2", Res, 1530, 3135, 420, 3195, 1080},
    {"Text5", "Label5", "5 θ1", Res, 1530, 3600, 420, 3660, 600},
    {"Text6", "Label6", "6 θ2", Res, 1530, 4080, 420, 4140, 600},
    {"Text7", "Label7", "7 Zi1", In, 1530, 4545, 420, 4605, 600},
    {"Text8", "Label8", "8 Zi2", In, 1530, 5025, 420, 5085, 600},
    {"Text9", "Label9", "9 i01", Res, 1530, 5490, 420, 5550, 600},
    {"Text10", "Label10", "10 i02", Res, 1530, 5970, 420, 6030, 720},
    {"Text11", "Label11", "11 ig1", Res, 3990, 1770, 3177, 1800, 720},
    {"Text12", "Label17", "12 ig2", Res, 3990, 2235, 3177, 2280, 720},
    {"Text13", "Label12", "13 Gr", Res, 3990, 2700, 3177, 2745, 600},
    {"Text14", "Label13", "14 G1", Res, 3990, 3180, 3177, 3225, 600},
    {"Text15", "Label14", "15 G2", Res, 3990, 3645, 3177, 3690, 600},
    {"Text16", "Label15", "16", Res, 3990, 4110, 3177, 4170, 240},
    {"Text17", "Label16", "17", Res, 3990, 4590, 3177, 4635, 240},
    {"Text18", "Label18", "18", Res, 3990, 5055, 3177, 5115, 240},
    {"Text19", "Label19", "19", Res, 3990, 5520, 3177, 5580, 240},
    {"Text20", "Label20", "20", Res, 3990, 6000, 3177, 6060, 240},
    {"Text21", "Label21", "21", Res, 6390, 1770, 5340, 1830, 240},
    {"Text22", "Label22", "22", Res, 6390, 2240, 5340, 2295, 240},
    {"Text23", "Label23", "23 △Q1", Res, 6390, 2710, 5340, 2775, 840},
    {"Text24", "Label24", "24 △Q2", Res, 6390, 3180, 5340, 3240, 840},
    {"Text25", "Label25", "25 e2/2", Res, 6390, 3650, 5340, 3705, 840},
    {"Text26", "Label26", "26 e1/2", Res, 6390, 4120, 5340, 4185, 840},
    {"Text27", "Label27", "27 ee1/2", Res, 6390, 4590, 5340, 4650, 960},
    {"Text28", "Label28", "28 ei1/2", Res, 6390, 5060, 5340, 5115, 960},
    {"Text29", "Label29", "29 Q右", Res, 6390, 5530, 5340, 5595, 720},
    {"Text30", "Label30", "30 Q左", Res, 6390, 6000, 5340, 6060, 720},
    {"Text31", "Label31", "31 △αtM", Res, 9270, 1770, 7845, 1830, 1080},
    {"Text32", "Label32", "32 JM1(<>)", Res, 9270, 2246, 7845, 2310, 1200},
    {"Text33", "Label33", "33 JM2(<>)", Res, 9270, 2722, 7845, 2775, 1200},
    {"Text34", "Label34", "34 JM1(=)", Res, 9270, 3198, 7845, 3255, 1080},
    {"Text35", "Label35", "35 JM2(=)", Res, 9270, 3674, 7845, 3720, 1080},
    {"Text36", "Label36", "36 X1", Res, 9270, 4150, 7845, 4200, 600},
    {"Text37", "Label37", "37 X2", Res, 9270, 4626, 7845, 4665, 600},
    {"Text38", "Label38", "38 凸轮升程", Res, 9270, 5102, 7845, 5145, 1320},
    {"Text39", "Label39", "39", Res, 9270, 5578, 7845, 5610, 240},
    {"Text40", "Label40", "40", Res, 9270, 6060, 7845, 6090, 240},
};

}  // namespace

SheetCForm::SheetCForm(Session& session, QWidget* parent) : SheetForm(session, SheetId::C, parent) {
    const QFont inputFont = formFont("宋体", 10.5);
    const QFont itemFont = formFont("宋体", 12);
    const QFont buttonFont = formFont("宋体", 10.5);
    std::vector<QString> tab;
    for (const LabelledField& r : kInputs) {
        addLabelledField(r, QSize(945, 315), inputFont, itemFont);
        tab.push_back(r.field);
    }
    // Every field of this sheet takes input, result fields included.
    for (const LabelledField& r : kItems) {
        addLabelledField(r, QSize(1245, 375), itemFont, itemFont);
        tab.push_back(r.field);
        // The check box of a row follows its field: ticked keeps the typed value.
        if (QString(r.field) == "Text7") tab.push_back("Check2");
        if (QString(r.field) == "Text8") tab.push_back("Check3");
    }
    addCheck("Check2", QString(), QRect(2880, 4560, 255, 285), itemFont);
    addCheck("Check3", QString(), QRect(2880, 5040, 255, 285), itemFont);
    auto* start = makeButton(this, "Command1", QString::fromUtf8("开  始"), QRect(2610, 6510, 1245, 345), buttonFont);
    auto* end = makeButton(this, "Command3", QString::fromUtf8("结  束"), QRect(6870, 6510, 1245, 345), buttonFont);
    connect(start, &QPushButton::clicked, this, action("Command1"));
    connect(end, &QPushButton::clicked, this, action("Command3"));
    tab.push_back("Command1");
    tab.push_back("Command3");

    setTabChain(tab);
    refresh();
}

QWidget* SheetCForm::firstFocus() const { return control("Text42"); }

}  // namespace lc::ui
