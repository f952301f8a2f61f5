// Every control of every window against the forms: place and size (twips, 15
// to a pixel), caption or default text, colour, enabled state and font size.
// The tables below are typed from the forms' own tables, not from the window
// code, so that a wrong number in a window shows up here. The same tests run
// again at a device pixel ratio of 2 (see tests/CMakeLists.txt): the geometry
// in device-independent pixels must not change.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <cmath>
#include <set>
#include <span>

#include "support.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

enum Kind { In, Res, Plain, Label, Button, Check, Option, List };

// One control: its name, kind, caption (or a field's default text), left, top,
// width and height in twips (-1 where the form leaves it open), font size in
// points (0 where the form leaves it open) and weight.
struct Control {
    const char* name;
    Kind kind;
    const char* text;
    int left, top, width, height;
    double points = 0;
    bool bold = false;
};

// Sheet A2: three columns of items; captions stand level with their fields.
const Control kSheetA2[] = {
    {"Label1", Label, "1  小 轮  齿 数Z1", 210, 240, -1, -1, 10.5},
    {"Text1", In, "", 2100, 240, 915, 270, 9, true},
    {"Label2", Label, "2  大 轮  齿 数Z2", 210, 701, -1, -1, 10.5},
    {"Text2", In, "", 2100, 701, 915, 270, 9, true},
    {"Label3", Label, "3  模        数m", 210, 1162, -1, -1, 10.5},
    {"Text3", In, "", 2100, 1162, 915, 270, 9, true},
    {"Label4", Label, "4  传   动   比i", 210, 1623, -1, -1, 10.5},
    {"Text4", Res, "", 2100, 1623, 915, 270, 9, true},
    {"Label5", Label, "5  螺   旋   角β", 210, 2084, -1, -1, 10.5},
    {"Text5", In, "35", 2100, 2084, 915, 270, 9, true},
    {"Label6", Label, "6  平面齿轮齿数Zc", 210, 2545, -1, -1, 10.5},
    {"Text6", Res, "", 2100, 2545, 1425, 270, 9, true},
    {"Label7", Label, "7  齿 高  系 数f", 210, 3006, -1, -1, 10.5},
    {"Text7", Res, "", 2100, 3006, 915, 270, 9, true},
    {"Label8", Label, "8  径向间隙系数Kc", 210, 3467, -1, -1, 10.5},
    {"Text8", Res, "", 2100, 3467, 915, 270, 9, true},
    {"Label9", Label, "9  工 作  高 度h3", 210, 3928, -1, -1, 10.5},
    {"Text9", Res, "", 2100, 3928, 915, 270, 9, true},
    {"Label10", Label, "10 径 向  间 隙C", 210, 4389, -1, -1, 10.5},
    {"Text10", Res, "", 2100, 4389, 915, 270, 9, true},
    {"Label11", Label, "11 周        节t", 210, 4850, -1, -1, 10.5},
    {"Text11", Res, "", 2100, 4850, 915, 270, 9, true},
    {"Label12", Label, "12 高度变位系数", 210, 5311, -1, -1, 10.5},
    {"Text12", In, "", 2100, 5311, 915, 270, 9, true},
    {"Label13", Label, "13 外   锥   距Le", 210, 5772, -1, -1, 10.5},
    {"Text13", Res, "", 2100, 5772, 915, 270, 9, true},
    {"Label14", Label, "14 齿 宽  系 数Kb", 210, 6233, -1, -1, 10.5},
    {"Text14", Res, "", 2100, 6233, 915, 270, 9, true},
    {"Label15", Label, "15 齿        宽b", 3660, 240, -1, -1, 10.5},
    {"Text15", In, "", 5520, 240, 915, 270, 9, true},
    {"Label16", Label, "16 中 点  锥 距L", 3660, 701, -1, -1, 10.5},
    {"Text16", Res, "", 5520, 701, 915, 270, 9, true},
    {"Label17", Label, "17 刀 盘  半 径", 3660, 1170, -1, -1, 10.5},
    {"Text17", In, "", 5520, 1170, 915, 270, 9, true},
    {"Label18", Label, "18 刀盘公称直径", 3660, 1620, -1, -1, 10.5},
    {"Text18", Res, "", 5520, 1620, 915, 270, 9, true},
    {"Label19", Label, "19 螺   旋   角β", 3660, 2084, -1, -1, 10.5},
    {"Text19", In, "", 5520, 2084, 915, 270, 9, true},
    {"Label20", Label, "20 螺旋方向(小大)", 3660, 2490, -1, -1, 10.5},
    {"Label21", Label, "21 计算 错 刀量W", 3660, 2910, -1, -1, 10.5},
    {"Text21", Res, "", 5520, 2910, 915, 270, 9, true},
    {"Label22", Label, "22 触区长比齿长F", 3660, 3300, -1, -1, 10.5},
    {"Text22", Res, "", 5520, 3300, 915, 270, 9, true},
    {"Label23", Label, "23 齿 顶 高(初)h1'", 3660, 3690, -1, -1, 10.5},
    {"Text23(0)", Res, "", 5520, 3690, 915, 270, 9, true},
    {"Text23(1)", Res, "", 5520, 3960, 915, 270, 9, true},
    {"Label24", Label, "24 齿 根 高(初)", 3660, 4290, -1, -1, 10.5},
    {"Text24(0)", Res, "", 5520, 4290, 915, 270, 9, true},
    {"Text24(1)", Res, "", 5520, 4530, 915, 270, 9, true},
    {"Label25", Label, "25 齿 根 角(初)", 3660, 4890, -1, -1, 10.5},
    {"Text25(0)", Res, "", 5520, 4890, 915, 270, 9, true},
    {"Text25(1)", Res, "", 5520, 5160, 915, 270, 9, true},
    {"Label26", Label, "26 理 论  刀 号", 3660, 5580, -1, -1, 10.5},
    {"Text26", In, "", 5520, 5580, 915, 270, 9, true},
    {"Label27", Label, "27 齿根角修正量", 3660, 5910, -1, -1, 10.5},
    {"Text27", Res, "", 5520, 5910, 915, 270, 9, true},
    {"Label28", Label, "28 顶根高修正量", 3660, 6233, -1, -1, 10.5},
    {"Text28", Res, "", 5520, 6233, 915, 270, 9, true},
    {"Label31", Label, "31 齿   全   高", 7140, 300, -1, -1, 10.5},
    {"Text31", Res, "", 8910, 300, 915, 255, 9, true},
    {"Label32", Label, "32 齿   根   角", 7140, 609, -1, -1, 10.5},
    {"Text32(0)", Res, "", 8910, 609, 915, 270, 9, true},
    {"Text32(1)", Res, "", 8910, 870, 915, 270, 9, true},
    {"Label33", Label, "33 齿   顶   高", 7140, 1227, -1, -1, 10.5},
    {"Text33(0)", Res, "", 8910, 1227, 915, 270, 9, true},
    {"Text33(1)", Res, "", 8910, 1500, 915, 270, 9, true},
    {"Label34", Label, "34 齿   根   高", 7140, 1845, -1, -1, 10.5},
    {"Text34(0)", Res, "", 8910, 1845, 915, 270, 9, true},
    {"Text34(1)", Res, "", 8910, 2100, 915, 270, 9, true},
    {"Label35", Label, "35 节 圆  直 径", 7140, 2463, -1, -1, 10.5},
    {"Text35(0)", Res, "", 8910, 2463, 915, 270, 9, true},
    {"Text35(1)", Res, "", 8910, 2730, 915, 270, 9, true},
    {"Label36", Label, "36 节   锥   角", 7170, 3081, -1, -1, 10.5},
    {"Text36(0)", Res, "", 8910, 3081, 915, 270, 9, true},
    {"Text36(1)", Res, "", 8910, 3330, 915, 270, 9, true},
    {"Label38", Label, "38 外   锥   角", 7140, 3699, -1, -1, 10.5},
    {"Text38(0)", Res, "", 8910, 3699, 915, 270, 9, true},
    {"Text38(1)", Res, "", 8910, 3960, 915, 270, 9, true},
    {"Label39", Label, "39 内   锥   角", 7140, 4317, -1, -1, 10.5},
    {"Text39(0)", Res, "", 8910, 4317, 915, 270, 9, true},
    {"Text39(1)", Res, "", 8910, 4590, 915, 270, 9, true},
    {"Label40", Label, "40 外 圆  直 径", 7170, 4935, -1, -1, 10.5},
    {"Text40(0)", Res, "", 8910, 4935, 915, 270, 9, true},
    {"Text40(1)", Res, "", 8910, 5190, 915, 270, 9, true},
    {"Label41", Label, "41 锥顶外径距离", 7140, 5553, -1, -1, 10.5},
    {"Text41(0)", Res, "", 8910, 5553, 915, 270, 9, true},
    {"Text41(1)", Res, "", 8910, 5820, 915, 270, 9, true},
    {"Label42", Label, "42 节圆上弦齿厚", 7140, 6171, -1, -1, 10.5},
    {"Text42(0)", Res, "", 8910, 6171, 915, 270, 9, true},
    {"Text42(1)", Res, "", 8910, 6420, 915, 270, 9, true},
    {"Text20(0)", Res, "", 5520, 2545, 375, 285, 9, true},
    {"Text20(1)", Res, "", 6090, 2550, 345, 285, 9, true},
    {"Option1", Option, "左", 5520, 2490, 405, 405},
    {"Option2", Option, "右", 6030, 2490, 405, 405},
    {"Check1", Check, "", 6510, 240, -1, -1},
    {"Check2", Check, "Check2", 6510, 2084, 225, -1},
    {"Check3", Check, "", 6510, 5580, -1, -1},
    {"Command1", Button, "开始计算", 1920, 6720, 1365, 375},
    {"Command3", Button, "重新开始", 4455, 6750, 1365, 375},
    {"Command2", Button, "下一步", 6990, 6720, 1365, 375},
};

const Control kSheetB1[] = {
    {"Label1(0)", Label, "1           刀盘直径", 360, 270, 2400, 240, 12},
    {"Text1(0)", In, "", 3030, 210, 1245, 360, 12},
    {"Label1(1)", Label, "        刀盘公称直径", 360, 810, 2400, 240, 12},
    {"Text1(1)", In, "", 3030, 750, 1245, 360, 12},
    {"Label2", Label, "2           实际刀号", 360, 1335, 2400, 240, 12},
    {"Text2", In, "", 3030, 1275, 1245, 360, 12},
    {"Label3", Label, "3         实际错刀量", 360, 1875, 2400, 240, 12},
    {"Text3", In, "", 3030, 1815, 1245, 360, 12},
    {"Label4", Label, "4   径向调整水平分量", 360, 2415, 2400, 240, 12},
    {"Text4", Res, "", 3030, 2355, 1245, 360, 12},
    {"Label5", Label, "5   径向调整垂直分量", 360, 2955, 2400, 240, 12},
    {"Text5", Res, "", 3030, 2895, 1245, 360, 12},
    {"Label6", Label, "6 刀盘中心径向调整值", 360, 3480, 2400, 240, 12},
    {"Text6", Res, "", 3030, 3420, 1245, 360, 12},
    {"Label7", Label, "7       径向调整极角", 360, 4020, 2400, 240, 12},
    {"Text7", Res, "", 3030, 3960, 1245, 360, 12},
    {"Label8", Label, "8", 330, 4590, 120, 240, 12},
    {"Text8", Res, "", 3030, 4500, 1245, 360, 12},
    {"Label9", Label, "9   床鞍位置的修正量", 330, 5100, 2400, 240, 12},
    {"Text9", Res, "", 3030, 5040, 1245, 360, 12},
    {"Label10", Label, "48 主轴倾角", 4980, 270, 1320, 240, 12},
    {"Text10", Res, "", 6480, 210, 1245, 360, 12},
    {"Label11", Label, "49 j", 4980, 750, 480, 240, 12},
    {"Text11", Res, "", 6480, 690, 1245, 360, 12},
    {"Label12", Label, "50 U2", 4980, 1230, 600, 240, 12},
    {"Text12", Res, "", 6480, 1170, 1245, 360, 12},
    {"Label13", Label, "51 Ue1", 4980, 1725, 720, 240, 12},
    {"Text13", Res, "", 6480, 1665, 1245, 360, 12},
    {"Label14", Label, "52 Ui1", 4980, 2205, 720, 240, 12},
    {"Text14", Res, "", 6480, 2145, 1245, 360, 12},
    {"Label15", Label, "53 DtX1", 4980, 2685, 840, 240, 12},
    {"Text15", Res, "", 6480, 2625, 1245, 360, 12},
    {"Label16", Label, "54 Cosbt", 4980, 3165, 960, 240, 12},
    {"Text16", In, "", 6480, 3105, 1245, 360, 12},
    {"Label17", Label, "55 Sx1", 4980, 3645, 720, 240, 12},
    {"Text17", Res, "", 6480, 3585, 1245, 360, 12},
    {"Label18", Label, "56 Sx2", 4980, 4140, 720, 240, 12},
    {"Text18", Res, "", 6480, 4080, 1245, 360, 12},
    {"Label19", Label, "57 hx1", 4980, 4620, 720, 240, 12},
    {"Text19", Res, "", 6480, 4560, 1245, 360, 12},
    {"Label20", Label, "58 hx2", 4980, 5100, 720, 240, 12},
    {"Text20", Res, "", 6480, 5040, 1245, 360, 12},
    {"Check1", Check, "", 7830, 3180, 285, 255},
    {"Command1", Button, "开  始", 1590, 5550, 1245, 375, 10.5},
    {"Command3", Button, "下一步", 5400, 5550, 1245, 375, 10.5},
};

const Control kSheetC[] = {
    {"Label43(35)", Label, "Z1", 420, 150, 240, 240, 12},
    {"Text42", In, "", 990, 113, 945, 315, 10.5},
    {"Label43(37)", Label, "Z2", 420, 510, 240, 240, 12},
    {"Text43", In, "", 990, 495, 945, 315, 10.5},
    {"Label43(36)", Label, "Zc", 420, 870, 240, 240, 12},
    {"Text44", In, "", 990, 870, 945, 315, 10.5},
    {"Label43(38)", Label, "m", 420, 1230, 120, 240, 12},
    {"Text45", In, "", 990, 1230, 945, 315, 10.5},
    {"Label43(34)", Label, "β", 2490, 150, 240, 240, 12},
    {"Text46", In, "", 3150, 135, 945, 315, 10.5},
    {"Label43(33)", Label, "L", 2490, 510, 120, 240, 12},
    {"Text47", In, "", 3150, 495, 945, 315, 10.5},
    {"Label43(32)", Label, "b", 2490, 870, 120, 240, 12},
    {"Text48", In, "", 3150, 855, 945, 315, 10.5},
    {"Label43(39)", Label, "p", 2490, 1230, 120, 240, 12},
    {"Text49", In, "", 3150, 1215, 945, 315, 10.5},
    {"Label43(31)", Label, "h", 4575, 150, 120, 240, 12},
    {"Text50", In, "", 5220, 150, 945, 315, 10.5},
    {"Label43(30)", Label, "△Xs", 4575, 510, 480, 240, 12},
    {"Text51", In, "", 5220, 525, 945, 315, 10.5},
    {"Label43(29)", Label, "Фe1", 4575, 870, 480, 240, 12},
    {"Text52", In, "", 5220, 885, 945, 315, 10.5},
    {"Label43(28)", Label, "Фi1", 4575, 1230, 480, 240, 12},
    {"Text53", In, "", 5220, 1230, 945, 315, 10.5},
    {"Label43(27)", Label, "Фe2", 6525, 150, 480, 240, 12},
    {"Text54", In, "", 7110, 113, 945, 315, 10.5},
    {"Label43(26)", Label, "Фi2", 6525, 510, 480, 240, 12},
    {"Text55", In, "", 7110, 495, 945, 315, 10.5},
    {"Label43(25)", Label, "△X1", 6525, 870, 480, 240, 12},
    {"Text56", In, "", 7110, 855, 945, 315, 10.5},
    {"Label43(24)", Label, "△X2", 6525, 1290, 480, 240, 12},
    {"Text57", In, "", 7110, 1215, 945, 315, 10.5},
    {"Label43(23)", Label, "ФB1", 8850, 150, 480, 240, 12},
    {"Text58", In, "", 9450, 113, 945, 315, 10.5},
    {"Label43(22)", Label, "ФB2", 8850, 510, 480, 240, 12},
    {"Text59", In, "", 9450, 495, 945, 315, 10.5},
    {"Label1", Label, "1θ B", 420, 1770, 600, 240, 12},
    {"Text1", Res, "", 1530, 1740, 1245, 375, 12},
    {"Label2", Label, "2θε", 420, 2250, 600, 240, 12},
    {"Text2", Res, "", 1530, 2190, 1245, 375, 12},
    {"Label3", Label, "3 Cosθ'1", 390, 2715, 1080, 240, 12},
    {"Text3", Res, "", 1530, 2655, 1245, 375, 12},
    {"Label4", Label, "4 Cosθ'2", 420, 3195, 1080, 240, 12},
    {"Text4", Res, "", 1530, 3135, 1245, 375, 12},
    {"Label5", Label, "5 θ1", 420, 3660, 600, 240, 12},
    {"Text5", Res, "", 1530, 3600, 1245, 375, 12},
    {"Label6", Label, "6 θ2", 420, 4140, 600, 240, 12},
    {"Text6", Res, "", 1530, 4080, 1245, 375, 12},
    {"Label7", Label, "7 Zi1", 420, 4605, 600, 240, 12},
    {"Text7", In, "", 1530, 4545, 1245, 375, 12},
    {"Label8", Label, "8 Zi2", 420, 5085, 600, 240, 12},
    {"Text8", In, "", 1530, 5025, 1245, 375, 12},
    {"Label9", Label, "9 i01", 420, 5550, 600, 240, 12},
    {"Text9", Res, "", 1530, 5490, 1245, 375, 12},
    {"Label10", Label, "10 i02", 420, 6030, 720, 240, 12},
    {"Text10", Res, "", 1530, 5970, 1245, 375, 12},
    {"Label11", Label, "11 ig1", 3177, 1800, 720, 240, 12},
    {"Text11", Res, "", 3990, 1770, 1245, 375, 12},
    {"Label17", Label, "12 ig2", 3177, 2280, 720, 240, 12},
    {"Text12", Res, "", 3990, 2235, 1245, 375, 12},
    {"Label12", Label, "13 Gr", 3177, 2745, 600, 240, 12},
    {"Text13", Res, "20", 3990, 2700, 1245, 375, 12},
    {"Label13", Label, "14 G1", 3177, 3225, 600, 240, 12},
    {"Text14", Res, "", 3990, 3180, 1245, 375, 12},
    {"Label14", Label, "15 G2", 3177, 3690, 600, 240, 12},
    {"Text15", Res, "", 3990, 3645, 1245, 375, 12},
    {"Label15", Label, "16", 3177, 4170, 240, 240, 12},
    {"Text16", Res, "", 3990, 4110, 1245, 375, 12},
    {"Label16", Label, "17", 3177, 4635, 240, 240, 12},
    {"Text17", Res, "", 3990, 4590, 1245, 375, 12},
    {"Label18", Label, "18", 3177, 5115, 240, 240, 12},
    {"Text18", Res, "", 3990, 5055, 1245, 375, 12},
    {"Label19", Label, "19", 3177, 5580, 240, 240, 12},
    {"Text19", Res, "", 3990, 5520, 1245, 375, 12},
    {"Label20", Label, "20", 3177, 6060, 240, 240, 12},
    {"Text20", Res, "", 3990, 6000, 1245, 375, 12},
    {"Label21", Label, "21", 5340, 1830, 240, 240, 12},
    {"Text21", Res, "", 6390, 1770, 1245, 375, 12},
    {"Label22", Label, "22", 5340, 2295, 240, 240, 12},
    {"Text22", Res, "", 6390, 2240, 1245, 375, 12},
    {"Label23", Label, "23 △Q1", 5340, 2775, 840, 240, 12},
    {"Text23", Res, "", 6390, 2710, 1245, 375, 12},
    {"Label24", Label, "24 △Q2", 5340, 3240, 840, 240, 12},
    {"Text24", Res, "", 6390, 3180, 1245, 375, 12},
    {"Label25", Label, "25 e2/2", 5340, 3705, 840, 240, 12},
    {"Text25", Res, "", 6390, 3650, 1245, 375, 12},
    {"Label26", Label, "26 e1/2", 5340, 4185, 840, 240, 12},
    {"Text26", Res, "", 6390, 4120, 1245, 375, 12},
    {"Label27", Label, "27 ee1/2", 5340, 4650, 960, 240, 12},
    {"Text27", Res, "", 6390, 4590, 1245, 375, 12},
    {"Label28", Label, "28 ei1/2", 5340, 5115, 960, 240, 12},
    {"Text28", Res, "", 6390, 5060, 1245, 375, 12},
    {"Label29", Label, "29 Q右", 5340, 5595, 720, 240, 12},
    {"Text29", Res, "", 6390, 5530, 1245, 375, 12},
    {"Label30", Label, "30 Q左", 5340, 6060, 720, 240, 12},
    {"Text30", Res, "", 6390, 6000, 1245, 375, 12},
    {"Label31", Label, "31 △αtM", 7845, 1830, 1080, 240, 12},
    {"Text31", Res, "", 9270, 1770, 1245, 375, 12},
    {"Label32", Label, "32 JM1(<>)", 7845, 2310, 1200, 240, 12},
    {"Text32", Res, "", 9270, 2246, 1245, 375, 12},
    {"Label33", Label, "33 JM2(<>)", 7845, 2775, 1200, 240, 12},
    {"Text33", Res, "", 9270, 2722, 1245, 375, 12},
    {"Label34", Label, "34 JM1(=)", 7845, 3255, 1080, 240, 12},
    {"Text34", Res, "", 9270, 3198, 1245, 375, 12},
    {"Label35", Label, "35 JM2(=)", 7845, 3720, 1080, 240, 12},
    {"Text35", Res, "", 9270, 3674, 1245, 375, 12},
    {"Label36", Label, "36 X1", 7845, 4200, 600, 240, 12},
    {"Text36", Res, "", 9270, 4150, 1245, 375, 12},
    {"Label37", Label, "37 X2", 7845, 4665, 600, 240, 12},
    {"Text37", Res, "", 9270, 4626, 1245, 375, 12},
    {"Label38", Label, "38 凸轮升程", 7845, 5145, 1320, 240, 12},
    {"Text38", Res, "", 9270, 5102, 1245, 375, 12},
    {"Label39", Label, "39", 7845, 5610, 240, 240, 12},
    {"Text39", Res, "", 9270, 5578, 1245, 375, 12},
    {"Label40", Label, "40", 7845, 6090, 240, 240, 12},
    {"Text40", Res, "", 9270, 6060, 1245, 375, 12},
    {"Check2", Check, "", 2880, 4560, 255, 285},
    {"Check3", Check, "", 2880, 5040, 255, 285},
    {"Command1", Button, "开  始", 2610, 6510, 1245, 345},
    {"Command3", Button, "结  束", 6870, 6510, 1245, 345},
};

const Control kChangeGears[] = {
    {"List1", List, "", 30, 120, 3585, 4560},
    {"Label3", Label, "挂轮计算公式", 3720, 210, 1905, 300, 15, true},
    {"Label1", Label, "请输入结果:", 3750, 960, 1320, 240, 12},
    {"Text1", Plain, "", 3750, 1332, 1725, 375, 12},
    {"Label2", Label, "精度:", 3750, 2130, 600, 240, 12},
    {"Text2", Plain, "0.000001", 3750, 2514, 1725, 375, 12},
    {"Command1", Button, "开始计算", 3870, 3105, 1515, 375, 12},
    {"Command3", Button, "说    明", 3870, 3696, 1515, 375, 12},
    {"Command2", Button, "退    出", 3870, 4290, 1575, 375, 12},
};

// Twips to device-independent pixels, halves away from zero.
int px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }
// Points to pixels at 96 dots per inch.
int pixelsOf(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

const QColor kGreen(0xC0, 0xFF, 0xC0);   // 0x00C0FFC0
const QColor kOrange(0xFF, 0xC0, 0x80);  // 0x0080C0FF

// The colour drawn near the right end of a field, inside its frame.
QColor drawnBackground(QWidget* w) {
    const QImage img = w->grab().toImage();
    return img.pixelColor(img.width() - 4 * static_cast<int>(img.devicePixelRatio()), img.height() / 2);
}

bool isControlName(const QString& name) {
    for (const char* prefix : {"Text", "Label", "Command", "Check", "Option", "List"})
        if (name.startsWith(prefix)) return true;
    return false;
}

class FormLayout : public WindowTest {
protected:
    // Opens the window with its menu command and checks every control of the
    // table, and that the window has no named control the table lacks.
    void check(const char* command, SheetId id, std::span<const Control> table, bool resultsDisabled) {
        menu(command);
        ui::SheetForm* f = form(id);
        ASSERT_NE(f, nullptr) << command;
        std::set<QString> expectedNames;
        for (const Control& c : table) {
            SCOPED_TRACE(c.name);
            expectedNames.insert(c.name);
            QWidget* w = f->findChild<QWidget*>(c.name);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->x(), px(c.left));
            EXPECT_EQ(w->y(), px(c.top));
            if (c.width >= 0) {
                EXPECT_EQ(w->width(), px(c.width));
            }
            if (c.height >= 0) {
                EXPECT_EQ(w->height(), px(c.height));
            }
            if (c.points > 0) {
                EXPECT_EQ(w->font().pixelSize(), pixelsOf(c.points));
                EXPECT_EQ(w->font().bold(), c.bold);
            }
            checkKind(w, c, resultsDisabled);
        }
        std::set<QString> present;
        for (QWidget* w : f->findChildren<QWidget*>())
            if (isControlName(w->objectName())) present.insert(w->objectName());
        EXPECT_EQ(present, expectedNames);
    }

    void checkKind(QWidget* w, const Control& c, bool resultsDisabled) {
        switch (c.kind) {
            case In:
            case Res:
            case Plain: {
                auto* field = qobject_cast<QLineEdit*>(w);
                ASSERT_NE(field, nullptr) << "a text field";
                EXPECT_EQ(field->text(), QString::fromUtf8(c.text));
                if (c.kind == Plain) {
                    EXPECT_EQ(field->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
                    break;
                }
                const QColor colour = c.kind == In ? kGreen : kOrange;
                EXPECT_EQ(field->palette().color(QPalette::Base), colour);
                EXPECT_EQ(drawnBackground(field), colour);
                // Item 20's small fields are coloured as results but take
                // typing. A result field takes none and stays off the Tab
                // chain, but a click selects in it to copy.
                const bool small = QString(c.name).startsWith("Text20(");
                const bool result = c.kind == Res && resultsDisabled && !small;
                EXPECT_TRUE(field->isEnabled());
                EXPECT_EQ(field->isReadOnly(), result);
                EXPECT_EQ(field->focusPolicy(), result ? Qt::ClickFocus : Qt::StrongFocus);
                EXPECT_EQ(field->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));
                break;
            }
            case Label: {
                auto* label = qobject_cast<QLabel*>(w);
                ASSERT_NE(label, nullptr) << "a label";
                EXPECT_EQ(label->text(), QString::fromUtf8(c.text));
                break;
            }
            case Button: {
                auto* b = qobject_cast<QPushButton*>(w);
                ASSERT_NE(b, nullptr) << "a button";
                EXPECT_EQ(b->text(), QString::fromUtf8(c.text));
                EXPECT_TRUE(b->isEnabled());
                break;
            }
            case Check: {
                auto* b = qobject_cast<QCheckBox*>(w);
                ASSERT_NE(b, nullptr) << "a check box";
                EXPECT_EQ(b->text(), QString::fromUtf8(c.text));
                EXPECT_FALSE(b->isChecked());
                break;
            }
            case Option: {
                auto* b = qobject_cast<QRadioButton*>(w);
                ASSERT_NE(b, nullptr) << "an option button";
                EXPECT_EQ(b->text(), QString::fromUtf8(c.text));
                break;
            }
            case List:
                EXPECT_NE(qobject_cast<QListWidget*>(w), nullptr) << "a list";
                break;
        }
    }
};

}  // namespace

TEST_F(FormLayout, SheetA2MatchesItsForm) {
    check("A1", SheetId::A2, kSheetA2, true);
    EXPECT_EQ(form(SheetId::A2)->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0)) << "0x00C0C0C0";
}

TEST_F(FormLayout, SheetB1MatchesItsForm) { check("B1", SheetId::B1, kSheetB1, true); }

TEST_F(FormLayout, SheetCMatchesItsForm) { check("C", SheetId::C, kSheetC, false); }

TEST_F(FormLayout, ChangeGearWindowMatchesItsForm) { check("Gljs", SheetId::Gears, kChangeGears, false); }

TEST_F(FormLayout, MainMenuHasItsFiveCommandsInOrder) {
    const std::pair<const char*, const char*> expected[] = {
        {"A1", "计算单A2"}, {"B1", "计算单B1"}, {"C", "计算单C"}, {"Gljs", "挂轮计算"}, {"Tc", "退出系统"}};
    const QList<QAction*> actions = main->menuBar()->actions();
    ASSERT_EQ(actions.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(actions[i]->objectName(), expected[i].first);
        EXPECT_EQ(actions[i]->text(), QString::fromUtf8(expected[i].second));
        EXPECT_EQ(actions[i]->menu(), nullptr);
    }
    // The client area at least its design size: 9795 x 6510 twips.
    EXPECT_EQ(main->mdiArea()->size().expandedTo(QSize(px(9795), px(6510))), main->mdiArea()->size());
}
