#include "core/calc.h"

#include <map>

#include "core/numtext.h"
#include "core/quote.h"

namespace lc {
namespace {

// "Text23(0)" -> ("Text23", 0); "Text23" -> ("Text23", -1).
std::pair<std::string_view, int> splitIndex(std::string_view field) {
    const auto open = field.find('(');
    if (open == std::string_view::npos || field.back() != ')') return {field, -1};
    const std::string_view idx = field.substr(open + 1, field.size() - open - 2);
    return {field.substr(0, open), idx == "1" ? 1 : 0};
}

int textNumber(std::string_view base) {
    if (base.substr(0, 4) != "Text") return -1;
    int n = 0;
    for (char c : base.substr(4)) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

const char* cInputSymbol(int n) {
    static const std::map<int, const char*> symbols{
        {42, "Z1"},  {43, "Z2"},  {44, "Zc"},  {45, "m"},   {46, "β"},   {47, "L"},
        {48, "b"},   {49, "p"},   {50, "h"},   {51, "△Xs"}, {52, "Фe1"}, {53, "Фi1"},
        {54, "Фe2"}, {55, "Фi2"}, {56, "△X1"}, {57, "△X2"}, {58, "ФB1"}, {59, "ФB2"}};
    auto it = symbols.find(n);
    return it == symbols.end() ? nullptr : it->second;
}

const char* kindText(FaultKind k) {
    switch (k) {
        case FaultKind::Conversion: return "内容不是数字";
        case FaultKind::DivisionByZero: return "除数为零";
        case FaultKind::Overflow: return "数值溢出";
        case FaultKind::Invalid: return "无效运算";
    }
    return "运算错误";
}

}  // namespace

Outcome Outcome::done(std::optional<std::string> focus) {
    Outcome o;
    o.focus = std::move(focus);
    return o;
}

Outcome Outcome::msg(std::string text, std::optional<std::string> focus) {
    Outcome o;
    o.kind = Kind::Message;
    o.message = std::move(text);
    o.focus = std::move(focus);
    return o;
}

std::string itemLabel(SheetId sheet, std::string_view field) {
    const auto [base, index] = splitIndex(field);
    const int n = textNumber(base);
    const std::string name = "（" + std::string(field) + "）";
    const char* row = index == 0 ? "小轮" : index == 1 ? "大轮" : "";
    switch (sheet) {
        case SheetId::A2:
            if (n > 0) return "第" + std::to_string(n) + "项" + row + name;
            break;
        case SheetId::B1:
            if (n >= 1 && n <= 9) return "第" + std::to_string(n) + "项" + name;
            if (n >= 10 && n <= 20) return "第" + std::to_string(n + 38) + "项" + name;
            break;
        case SheetId::C:
            if (n >= 1 && n <= 40) return "第" + std::to_string(n) + "项" + name;
            if (const char* sym = cInputSymbol(n)) return std::string("输入") + sym + name;
            break;
        case SheetId::Gears:
            if (field == "Text1") return "结果" + name;
            if (field == "Text2") return "精度" + name;
            break;
    }
    return std::string(field);
}

std::string faultMessage(const FaultRecord& f) {
    std::string where = std::string(sheetTitle(f.sheet)) + " " + itemLabel(f.sheet, f.field);
    switch (f.kind) {
        case FaultKind::Conversion:
            if (f.empty) return where + "没有数值（内容为空），计算已停止。";
            return where + "的内容" + quoteInMessage(f.text) + "不是数字，计算已停止。";
        case FaultKind::Overflow:
            if (!f.text.empty()) return where + "的数值" + quoteInMessage(f.text) + "超出范围（溢出），计算已停止。";
            [[fallthrough]];
        default:
            return where + "计算时" + kindText(f.kind) + "，计算已停止。";
    }
}

Num Calc::D(SheetId sheet, std::string_view field) {
    const std::string& t = wb_.sheet(sheet).text(field);
    const DoubleRead r = readDouble(t);
    if (r.status == ReadStatus::Ok) return Num(r.value);
    Fault f(r.status == ReadStatus::Overflow ? FaultKind::Overflow : FaultKind::Conversion, sheetKey(sheet),
            std::string(field), t);
    f.empty = t.empty();
    throw f;
}

Num Calc::S(SheetId sheet, std::string_view field) {
    const std::string& t = wb_.sheet(sheet).text(field);
    const SingleRead r = readSingle(t);
    if (r.status == ReadStatus::Ok) return Num(static_cast<double>(r.value));
    Fault f(r.status == ReadStatus::Overflow ? FaultKind::Overflow : FaultKind::Conversion, sheetKey(sheet),
            std::string(field), t);
    f.empty = t.empty();
    throw f;
}

void Calc::annotate(Fault& e, std::string_view field) {
    if (e.field.empty()) {
        e.sheet = sheetKey(home_);
        e.field = std::string(field);
    }
}

void Calc::writeDoubleText(std::string_view field, Num v) { setText(field, writeDouble(v.value())); }

void Calc::writeSingleText(std::string_view field, Num v) {
    const float f = eval(field, [&] { return Num(static_cast<double>(toFloat(v))); }).value();
    setText(field, writeSingle(f));
}

void Calc::writeFixed8Text(std::string_view field, Num v) { setText(field, writeFixed8(v.value())); }

Outcome runGuarded(Workbook& wb, SheetId home, const std::function<Outcome(Calc&)>& body,
                   std::optional<std::string> focusOnFault) {
    Calc c(wb, home);
    try {
        return body(c);
    } catch (const Fault& e) {
        FaultRecord r{e.kind, home, e.field, e.text, e.empty};
        if (auto s = sheetFromKey(e.sheet)) r.sheet = *s;
        Outcome o;
        o.kind = Outcome::Kind::Fault;
        o.message = faultMessage(r);
        o.focus = std::move(focusOnFault);
        o.fault = std::move(r);
        return o;
    }
}

}  // namespace lc
