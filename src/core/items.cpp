#include "core/items.h"

#include <string>

namespace lc {
namespace {

constexpr Unit None = Unit::None;
constexpr Unit Mm = Unit::Millimetre;
constexpr Unit Deg = Unit::Degree;
constexpr Unit Min = Unit::ArcMinute;
constexpr Unit In = Unit::Inch;
constexpr bool Typed = true;
constexpr bool Computed = false;
constexpr bool NoStep = true;

// Sheet A2. Item 18 is the cutter's nominal diameter in inches, chosen by the
// radius typed into item 17 (radius = diameter × 25.4 / 2).
constexpr Item kA2[] = {
    {1, "1  小 轮  齿 数Z1", "小轮齿数", None, "Text1", "", Typed},
    {2, "2  大 轮  齿 数Z2", "大轮齿数", None, "Text2", "", Typed},
    {3, "3  模        数m", "大端模数", Mm, "Text3", "", Typed},
    {4, "4  传   动   比i", "传动比 Z2/Z1", None, "Text4", "", Computed},
    {5, "5  螺   旋   角β", "中点螺旋角", Deg, "Text5", "", Typed},
    {6, "6  平面齿轮齿数Zc", "平面齿轮齿数 √(Z1²+Z2²)", None, "Text6", "", Computed},
    {7, "7  齿 高  系 数f", "齿高系数（按螺旋角查表）", None, "Text7", "", Computed},
    {8, "8  径向间隙系数Kc", "径向间隙系数（按模数查表）", None, "Text8", "", Computed},
    {9, "9  工 作  高 度h3", "工作齿高 2·f·m", Mm, "Text9", "", Computed},
    {10, "10 径 向  间 隙C", "径向间隙 Kc·m", Mm, "Text10", "", Computed},
    {11, "11 周        节t", "周节 π·m", Mm, "Text11", "", Computed},
    {12, "12 高度变位系数", "高度变位系数 x", None, "Text12", "", Typed},
    {13, "13 外   锥   距Le", "外锥距 Zc·m/2", Mm, "Text13", "", Computed},
    {14, "14 齿 宽  系 数Kb", "齿宽系数（按模数查表）", None, "Text14", "", Computed},
    {15, "15 齿        宽b", "齿宽（未勾选时为 Kb·Le）", Mm, "Text15", "", Typed},
    {16, "16 中 点  锥 距L", "中点锥距 Le − b/2", Mm, "Text16", "", Computed},
    {17, "17 刀 盘  半 径", "刀盘半径", Mm, "Text17", "", Typed},
    {18, "18 刀盘公称直径", "刀盘公称直径（英寸，按刀盘半径查表）", In, "Text18", "", Computed},
    {19, "19 螺   旋   角β", "刀盘计算用螺旋角（未勾选时取第5项）", Deg, "Text19", "", Typed},
    {20, "20 螺旋方向(小大)", "螺旋方向：小轮、大轮（左或右）", None, "", "", Typed},
    {21, "21 计算 错 刀量W", "计算错刀量", Mm, "Text21", "", Computed},
    {22, "22 触区长比齿长F", "接触区长度与齿长之比", None, "Text22", "", Computed},
    {23, "23 齿 顶 高(初)h1'", "初始齿顶高：小轮 m·(f+x)，大轮 m·(f−x)", Mm, "Text23(0)", "Text23(1)", Computed},
    {24, "24 齿 根 高(初)", "初始齿根高", Mm, "Text24(0)", "Text24(1)", Computed},
    {25, "25 齿 根 角(初)", "初始齿根角", Deg, "Text25(0)", "Text25(1)", Computed},
    {26, "26 理 论  刀 号", "理论刀号（未勾选时计算）", None, "Text26", "", Typed},
    {27, "27 齿根角修正量", "齿根角修正量（角分）", Min, "Text27", "", Computed},
    {28, "28 顶根高修正量", "齿顶高、齿根高修正量 (b/2)·tan Δθ", Mm, "Text28", "", Computed},
    {31, "31 齿   全   高", "齿全高", Mm, "Text31", "", Computed},
    {32, "32 齿   根   角", "齿根角", Deg, "Text32(0)", "Text32(1)", Computed},
    {33, "33 齿   顶   高", "齿顶高", Mm, "Text33(0)", "Text33(1)", Computed},
    {34, "34 齿   根   高", "齿根高", Mm, "Text34(0)", "Text34(1)", Computed},
    {35, "35 节 圆  直 径", "节圆直径 m·Z", Mm, "Text35(0)", "Text35(1)", Computed},
    {36, "36 节   锥   角", "节锥角 δ", Deg, "Text36(0)", "Text36(1)", Computed},
    {38, "38 外   锥   角", "顶锥角 δa", Deg, "Text38(0)", "Text38(1)", Computed},
    {39, "39 内   锥   角", "根锥角 δf", Deg, "Text39(0)", "Text39(1)", Computed},
    {40, "40 外 圆  直 径", "外圆直径 de", Mm, "Text40(0)", "Text40(1)", Computed},
    {41, "41 锥顶外径距离", "锥顶至外圆的距离 X", Mm, "Text41(0)", "Text41(1)", Computed},
    {42, "42 节圆上弦齿厚", "节圆上的弦齿厚", Mm, "Text42(0)", "Text42(1)", Computed},
};

// Sheet B1. Its item 1 has two rows: the upper takes sheet A2's item 18 (inches),
// the lower sheet A2's item 17 (the cutter radius, mm).
constexpr Item kB1[] = {
    {1, "1           刀盘直径", "刀盘直径（取自A2第18项，英寸）", In, "Text1(0)", "", Typed},
    {1, "        刀盘公称直径", "刀盘公称直径（取自A2第17项刀盘半径）", Mm, "Text1(1)", "", Typed},
    {2, "2           实际刀号", "实际刀号（取自A2第26项）", None, "Text2", "", Typed},
    {3, "3         实际错刀量", "实际错刀量（取自A2第21项）", Mm, "Text3", "", Typed},
    {4, "4   径向调整水平分量", "刀盘中心径向调整的水平分量 L − r·sin β", Mm, "Text4", "", Computed},
    {5, "5   径向调整垂直分量", "刀盘中心径向调整的垂直分量 r·cos β", Mm, "Text5", "", Computed},
    {6, "6 刀盘中心径向调整值", "刀盘中心径向调整值", Mm, "Text6", "", Computed},
    {7, "7       径向调整极角", "径向调整极角", Deg, "Text7", "", Computed},
    {8, "8", "径向调整极角减螺旋角", Deg, "Text8", "", Computed},
    {9, "9   床鞍位置的修正量", "床鞍位置的修正量 Δθ·L/3440", Mm, "Text9", "", Computed},
    {48, "48 主轴倾角", "主轴倾角", Deg, "Text10", "", Computed},
    {49, "49 j", "j（取第8项）", Deg, "Text11", "", Computed},
    {50, "50 U2", "U2（取第6项）", Mm, "Text12", "", Computed},
    {51, "51 Ue1", "Ue1（取第50项）", Mm, "Text13", "", Computed},
    {52, "52 Ui1", "Ui1（取第50项）", Mm, "Text14", "", Computed},
    {53, "53 DtX1", "ΔX1（取第9项）", Mm, "Text15", "", Computed},
    {54, "54 Cosbt", "cosβe，由用户输入", None, "Text16", "", Typed},
    {55, "55 Sx1", "cosβe 乘小轮弦齿厚", Mm, "Text17", "", Computed},
    {56, "56 Sx2", "cosβe 乘大轮弦齿厚", Mm, "Text18", "", Computed},
    {57, "57 hx1", "小轮齿顶高（取自A2第33项）", Mm, "Text19", "", Computed},
    {58, "58 hx2", "大轮齿顶高（取自A2第33项）", Mm, "Text20", "", Computed},
};

// Sheet C: the top block (no item numbers), then items 1 to 40.
constexpr Item kC[] = {
    {0, "Z1", "小轮齿数（取自A2第1项）", None, "Text42", "", Typed},
    {0, "Z2", "大轮齿数（取自A2第2项）", None, "Text43", "", Typed},
    {0, "Zc", "平面齿轮齿数（取自A2第6项）", None, "Text44", "", Typed},
    {0, "m", "模数（取自A2第3项，计算不用）", Mm, "Text45", "", Typed},
    {0, "β", "螺旋角（取自A2第5项）", Deg, "Text46", "", Typed},
    {0, "L", "中点锥距（取自A2第16项）", Mm, "Text47", "", Typed},
    {0, "b", "齿宽（取自A2第15项）", Mm, "Text48", "", Typed},
    {0, "p", "p（计算不用）", None, "Text49", "", Typed},
    {0, "h", "齿全高（取自A2第31项）", Mm, "Text50", "", Typed},
    {0, "△Xs", "△Xs（计算不用）", None, "Text51", "", Typed},
    {0, "Фe1", "角度Фe1", Deg, "Text52", "", Typed},
    {0, "Фi1", "角度Фi1", Deg, "Text53", "", Typed},
    {0, "Фe2", "角度Фe2", Deg, "Text54", "", Typed},
    {0, "Фi2", "角度Фi2", Deg, "Text55", "", Typed},
    {0, "△X1", "△X1（取自B1第53项）", Mm, "Text56", "", Typed},
    {0, "△X2", "△X2（取自B1第53项）", Mm, "Text57", "", Typed},
    {0, "ФB1", "ФB1（计算不用）", None, "Text58", "", Typed},
    {0, "ФB2", "ФB2（计算不用）", None, "Text59", "", Typed},
    {1, "1θ B", "θB = b·57·tan β / L", Deg, "Text1", "", Computed},
    {2, "2θε", "θε = θB + K/Zc", Deg, "Text2", "", Computed},
    {3, "3 Cosθ'1", "θ'1 = arccos(cos Фe1 / cos Фi1)", Deg, "Text3", "", Computed},
    {4, "4 Cosθ'2", "θ'2 = arccos(cos Фe2 / cos Фi2)", Deg, "Text4", "", Computed},
    {5, "5 θ1", "θ1", Deg, "Text5", "", Computed},
    {6, "6 θ2", "θ2", Deg, "Text6", "", Computed},
    {7, "7 Zi1", "Zi1 = Zc·θ1/210 + 2（勾选时保留输入值）", None, "Text7", "", Typed},
    {8, "8 Zi2", "Zi2 = Zc·θ2/210 + 2（勾选时保留输入值）", None, "Text8", "", Typed},
    {9, "9 i01", "i01 = 3·Zi1/Zc", None, "Text9", "", Computed},
    {10, "10 i02", "i02 = 3·Zi2/Zc", None, "Text10", "", Computed},
    {11, "11 ig1", "ig1 = 2·Zi1/Z1", None, "Text11", "", Computed},
    {12, "12 ig2", "ig2 = 2·Zi2/Z2", None, "Text12", "", Computed},
    {13, "13 Gr", "Gr（默认20，可修改）", None, "Text13", "", Typed},
    {14, "14 G1", "G1 = Gr·Zc/Z1", None, "Text14", "", Computed},
    {15, "15 G2", "G2 = 20·Zc/Z2", None, "Text15", "", Computed},
    {16, "16", "d1·0.00043·cos β（小轮节圆直径项）", None, "Text16", "", Computed},
    {17, "17", "d2·0.00043·cos β（大轮节圆直径项）", None, "Text17", "", Computed},
    {18, "18", "（计算不用）", None, "Text18", "", Computed, NoStep},
    {19, "19", "（计算不用）", None, "Text19", "", Computed, NoStep},
    {20, "20", "（计算不用）", None, "Text20", "", Computed, NoStep},
    {21, "21", "（计算不用）", None, "Text21", "", Computed, NoStep},
    {22, "22", "（计算不用）", None, "Text22", "", Computed, NoStep},
    {23, "23 △Q1", "△Q1 = (θ1 − θε)/2", Deg, "Text23", "", Computed},
    {24, "24 △Q2", "△Q2", Deg, "Text24", "", Computed},
    {25, "25 e2/2", "e2/2 = arcsin(U2/64)", Deg, "Text25", "", Computed},
    {26, "26 e1/2", "e1/2 = arcsin(U2/64)", Deg, "Text26", "", Computed},
    {27, "27 ee1/2", "ee1/2 = arcsin(Ui1/64)", Deg, "Text27", "", Computed},
    {28, "28 ei1/2", "ei1/2 = arcsin(Ui1/64)", Deg, "Text28", "", Computed},
    {29, "29 Q右", "Q右", Deg, "Text29", "", Computed},
    {30, "30 Q左", "Q左", Deg, "Text30", "", Computed},
    {31, "31 △αtM", "△αtM（计算不用）", None, "Text31", "", Computed, NoStep},
    {32, "32 JM1(<>)", "JM1(<>)（计算不用）", None, "Text32", "", Computed, NoStep},
    {33, "33 JM2(<>)", "JM2(<>)（计算不用）", None, "Text33", "", Computed, NoStep},
    {34, "34 JM1(=)", "JM1(=) = j + e2/2 + 90", Deg, "Text34", "", Computed},
    {35, "35 JM2(=)", "JM2(=) = e2/2 − j + 90", Deg, "Text35", "", Computed},
    {36, "36 X1", "X1 = 7 − △X1", Mm, "Text36", "", Computed},
    {37, "37 X2", "X2 = 7 − △X2", Mm, "Text37", "", Computed},
    {38, "38 凸轮升程", "凸轮升程 2h + 6", Mm, "Text38", "", Computed},
    {39, "39", "（计算不用）", None, "Text39", "", Computed, NoStep},
    {40, "40", "（计算不用）", None, "Text40", "", Computed, NoStep},
};

constexpr Item kGears[] = {
    {0, "请输入结果:", "要求的挂轮传动比 (z1·z2)/(z3·z4)", None, "Text1", "", Typed},
    {0, "精度:", "允许的传动比误差", None, "Text2", "", Typed},
};

constexpr CheckBox kA2Checks[] = {
    {"Check1", 15, "勾选：保留输入的齿宽", true},
    {"Check2", 19, "勾选：保留输入的螺旋角", true},
    {"Check3", 26, "勾选：保留输入的理论刀号", true},
};
constexpr CheckBox kB1Checks[] = {{"Check1", 54, "（无作用）", false}};
constexpr CheckBox kCChecks[] = {
    {"Check2", 7, "勾选：保留输入的Zi1", true},
    {"Check3", 8, "勾选：保留输入的Zi2", true},
};

}  // namespace

std::string_view unitText(Unit unit) {
    switch (unit) {
        case Unit::None: return "";
        case Unit::Millimetre: return "mm";
        case Unit::Degree: return "°";
        case Unit::ArcMinute: return "′";
        case Unit::Inch: return "in";
    }
    return "";
}

std::span<const Item> itemsOf(SheetId sheet) {
    switch (sheet) {
        case SheetId::A2: return kA2;
        case SheetId::B1: return kB1;
        case SheetId::C: return kC;
        case SheetId::Gears: return kGears;
    }
    return {};
}

const Item* itemOfField(SheetId sheet, std::string_view field) {
    if (field.empty()) return nullptr;
    for (const Item& item : itemsOf(sheet))
        if (item.field == field || item.gearField == field) return &item;
    return nullptr;
}

std::span<const CheckBox> checkBoxesOf(SheetId sheet) {
    switch (sheet) {
        case SheetId::A2: return kA2Checks;
        case SheetId::B1: return kB1Checks;
        case SheetId::C: return kCChecks;
        case SheetId::Gears: return {};
    }
    return {};
}

std::vector<TableRow> tableOf(const Sheet& sheet) {
    std::vector<TableRow> rows;
    const auto checks = checkBoxesOf(sheet.id());
    for (const Item& item : itemsOf(sheet.id())) {
        TableRow row;
        row.number = item.number > 0 ? std::to_string(item.number) : std::string();
        row.caption = std::string(item.caption);
        row.unit = item.unit;
        row.input = item.input;
        if (item.field.empty()) {
            // The spiral hands: the option captions are their record.
            row.first = sheet.option1Caption;
            row.second = sheet.option2Caption;
            row.paired = true;
        } else {
            row.first = sheet.text(item.field);
            row.paired = !item.gearField.empty();
            if (row.paired) row.second = sheet.text(item.gearField);
        }
        for (const CheckBox& box : checks)
            if (box.besideItem == item.number && box.keepsTyped) row.input = sheet.check(box.name) != 0;
        // What stands in a field no step writes was typed there.
        if (item.noStep && row.first.empty()) row.uncomputed = true;
        if (item.noStep && !row.first.empty()) row.input = true;
        rows.push_back(std::move(row));
        // A check box follows the item it stands beside.
        for (const CheckBox& box : checks) {
            if (box.besideItem != item.number || !box.keepsTyped) continue;
            TableRow tick;
            tick.caption = std::string(box.meaning);
            tick.first = sheet.check(box.name) != 0 ? "是" : "否";
            tick.input = true;
            rows.push_back(std::move(tick));
        }
    }
    if (sheet.id() == SheetId::Gears)
        for (const std::string& line : sheet.list) rows.push_back(TableRow{"", "", line, "", Unit::None, false, false});
    return rows;
}

}  // namespace lc
