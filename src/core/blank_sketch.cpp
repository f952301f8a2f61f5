#include "core/blank_sketch.h"

#include <numbers>

#include "core/checked.h"
#include "core/items.h"
#include "core/numtext.h"

namespace lc {
namespace {

enum class Kind { Length, Angle };

// The items the drawing reads, in the order of the sheet; a paired item is
// read pinion row first.
struct Need {
    const char* field;  // the pinion row's field for a paired item ("Text33" gives "Text33(0)")
    bool paired;
    Kind kind;
};

constexpr Need kConeDistance{"Text13", false, Kind::Length};
constexpr Need kFaceWidth{"Text15", false, Kind::Length};
constexpr Need kMemberItems[] = {
    {"Text33", true, Kind::Length}, {"Text34", true, Kind::Length}, {"Text35", true, Kind::Length},
    {"Text36", true, Kind::Angle},  {"Text38", true, Kind::Angle},  {"Text39", true, Kind::Angle},
    {"Text40", true, Kind::Length}, {"Text41", true, Kind::Length},
};

std::string fieldOf(const Need& n, int row) {
    return n.paired ? std::string(n.field) + (row == 0 ? "(0)" : "(1)") : std::string(n.field);
}

// "第36项 节锥角（大轮）": the caption as the form shows it, without its number and blanks.
std::string itemName(const Need& n, int row) {
    const Item* item = itemOfField(SheetId::A2, fieldOf(n, 0));
    std::string caption(item->caption);
    caption.erase(0, caption.find(' '));
    std::erase(caption, ' ');
    std::string s = "第" + writeInteger(item->number) + "项 " + caption;
    if (n.paired) s += row == 0 ? "（小轮）" : "（大轮）";
    return s;
}

// Thrown while the texts are read: the line the window shows instead.
struct Stop {
    std::string line;
};

// The text of an item, read as Double and held to what a drawing can use.
double readNeed(const Sheet& a2, const Need& n, int row, std::string& text) {
    text = a2.text(fieldOf(n, row));
    const std::string who = itemName(n, row);
    if (text.empty()) throw Stop{who + " 为空，无法出图。"};
    const DoubleRead r = readDouble(text);
    if (r.status == ReadStatus::NotANumber) throw Stop{who + " 不是数字，无法出图。"};
    if (r.status != ReadStatus::Ok) throw Stop{who + " 超出数的范围，无法出图。"};
    if (n.kind == Kind::Length && !(r.value > 0.0)) throw Stop{who + " 须大于0，无法出图。"};
    if (n.kind == Kind::Angle && !(r.value > 0.0 && r.value < 90.0))
        throw Stop{who + " 须在0°与90°之间，无法出图。"};
    return r.value;
}

// A point in the member's own frame: u along its axis, v away from it.
struct Local {
    Num u, v;
};
Local operator+(Local a, Local b) { return {a.u + b.u, a.v + b.v}; }
Local operator*(Num s, Local a) { return {s * a.u, s * a.v}; }

Num radians(double degrees) { return Num(degrees) * Num(std::numbers::pi) / Num(180.0); }
Local direction(double degrees) { return {cos(radians(degrees)), sin(radians(degrees))}; }

// The cone lines of one member over the face width, in its own frame, turned
// into the sketch's frame (the gear's axis is the sketch's y axis).
void placeMember(SketchMember& m, Num le, Num b, bool gear) {
    const Local e = direction(m.pitchAngle);  // along the pitch cone line
    const Local n{-e.v, e.u};                  // square to it, away from the axis: the back cone
    const Local pitchOuter = le * e;
    const Local pitchInner = (le - b) * e;
    const Local faceOuter = pitchOuter + Num(m.addendum) * n;
    const Local rootOuter = pitchOuter + Num(-m.dedendum) * n;
    // A cone line through an outer point at `angle` to the axis ends on the
    // front cone, a face width b further in along the pitch cone.
    const auto innerEnd = [&](Local outer, double angle) {
        const Local a = direction(angle);
        const Num along = a.u * e.u + a.v * e.v;  // cos(angle - pitch angle) > 0
        return outer + (-b / along) * a;
    };
    const auto apexOf = [&](Local outer, double angle) {
        const Local a = direction(angle);
        return Local{outer.u - outer.v * a.u / a.v, Num(0.0)};
    };
    // On the back cone line: the point at a radius, and the point at an axial distance.
    const auto atRadius = [&](double radius) { return pitchOuter + ((Num(radius) - pitchOuter.v) / e.u) * n; };
    const auto atAxial = [&](double axial) { return pitchOuter + ((pitchOuter.u - Num(axial)) / e.v) * n; };

    const auto put = [gear](Local p) {
        return gear ? SketchPoint{p.v.value(), p.u.value()} : SketchPoint{p.u.value(), p.v.value()};
    };
    m.pitchOuter = put(pitchOuter);
    m.pitchInner = put(pitchInner);
    m.faceOuter = put(faceOuter);
    m.faceInner = put(innerEnd(faceOuter, m.faceAngle));
    m.rootOuter = put(rootOuter);
    m.rootInner = put(innerEnd(rootOuter, m.rootAngle));
    m.faceApex = put(apexOf(faceOuter, m.faceAngle));
    m.rootApex = put(apexOf(rootOuter, m.rootAngle));
    m.pitchDiameterPoint = put(atRadius(m.pitchDiameter / 2.0));
    m.outsideDiameterPoint = put(atRadius(m.outsideDiameter / 2.0));
    m.crownDistancePoint = put(atAxial(m.crownDistance));
}

// The texts and numbers of items 33 to 41 of one member (row 0 the pinion).
struct MemberSlots {
    std::string* texts[std::size(kMemberItems)];
    double* values[std::size(kMemberItems)];
};
MemberSlots slotsOf(SketchMember& m) {
    return {{&m.addendumText, &m.dedendumText, &m.pitchDiameterText, &m.pitchAngleText, &m.faceAngleText,
             &m.rootAngleText, &m.outsideDiameterText, &m.crownDistanceText},
            {&m.addendum, &m.dedendum, &m.pitchDiameter, &m.pitchAngle, &m.faceAngle, &m.rootAngle,
             &m.outsideDiameter, &m.crownDistance}};
}

}  // namespace

SketchOutcome blankSketch(const Sheet& a2) {
    if (a2.id() != SheetId::A2) return {std::nullopt, "只有计算单A2有齿坯示意图。"};
    // Nothing calculated yet: every result the drawing needs is empty.
    bool anyResult = !a2.text(kConeDistance.field).empty();
    for (const Need& n : kMemberItems)
        for (int row : {0, 1}) anyResult = anyResult || !a2.text(fieldOf(n, row)).empty();
    if (!anyResult) return {std::nullopt, "计算单A2尚未计算：按“开始计算”之后才有齿坯示意图。"};

    BlankSketch s;
    try {
        // Item by item as they stand on the sheet, the pinion's row first, so
        // that the line names the first item that stops the drawing.
        s.coneDistance = readNeed(a2, kConeDistance, 0, s.coneDistanceText);
        s.faceWidth = readNeed(a2, kFaceWidth, 0, s.faceWidthText);
        if (s.faceWidth > s.coneDistance)
            throw Stop{itemName(kFaceWidth, 0) + " 大于" + itemName(kConeDistance, 0) + "，无法出图。"};
        const MemberSlots rows[] = {slotsOf(s.pinion), slotsOf(s.gear)};
        for (std::size_t i = 0; i < std::size(kMemberItems); ++i)
            for (int row : {0, 1}) *rows[row].values[i] = readNeed(a2, kMemberItems[i], row, *rows[row].texts[i]);
    } catch (const Stop& stop) {
        return {std::nullopt, stop.line};
    }
    try {
        placeMember(s.pinion, s.coneDistance, s.faceWidth, false);
        placeMember(s.gear, s.coneDistance, s.faceWidth, true);
    } catch (const Fault&) {
        return {std::nullopt, "计算单A2的数值相差太悬殊，无法出图。"};
    }
    s.teeth1 = a2.text("Text1");
    s.teeth2 = a2.text("Text2");
    s.module = a2.text("Text3");
    s.spiralAngle = a2.text("Text5");
    s.shift = a2.text("Text12");
    s.cutterRadius = a2.text("Text17");
    s.pinionHand = a2.option1Caption;
    s.gearHand = a2.option2Caption;
    return {std::move(s), {}};
}

SketchOutcome blankSketch(const Workbook& wb) {
    const Sheet* a2 = wb.find(SheetId::A2);
    if (!a2) return {std::nullopt, "计算单A2没有打开，没有齿坯示意图。"};
    SketchOutcome out = blankSketch(*a2);
    if (out.sketch) {
        out.sketch->name = wb.properties[Property::Name];
        out.sketch->pinionDrawing = wb.properties[Property::PinionDrawing];
        out.sketch->gearDrawing = wb.properties[Property::GearDrawing];
    }
    return out;
}

}  // namespace lc
