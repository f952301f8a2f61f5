#include "report/blank_dxf.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

#include "core/blank_sketch.h"
#include "core/chain_state.h"

namespace lc::report {
namespace {

// dxflib's ASCII writer with its output kept in memory, so that the file is
// written whole once complete. Numbers as the library writes them (sixteen
// decimals, trailing zeros cut), but through <charconv>: the same digits on
// every system, whatever its C library and locale.
class MemoryWriter : public DL_WriterA {
public:
    // No file name: the library's own file stays closed.
    MemoryWriter() : DL_WriterA("", DL_Codes::AC1015) {}
    std::string take() { return std::move(out_); }

    void dxfReal(int gc, double value) const override {
        char digits[400];
        const auto end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 16).ptr;
        std::string s(digits, end);
        if (const auto dot = s.find('.'); dot != std::string::npos)
            s.erase(std::max(s.find_last_not_of('0') + 1, dot + 2));
        dxfString(gc, s);
    }
    void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
    void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value ? value : "")); }
    void dxfString(int gc, const std::string& value) const override {
        out_ += gc < 10 ? "  " : gc < 100 ? " " : "";
        out_ += std::to_string(gc) + "\n" + value + "\n";
    }

private:
    mutable std::string out_;
};

// A text as an AutoCAD 2000 file holds it: ASCII, every other character in
// the \U+XXXX notation (beyond the basic plane as its two UTF-16 halves), a
// backslash and control characters too, "%" as "%%%", so that no text of a
// field or the user is ever read as a code.
std::string dxfText(std::string_view utf8) {
    std::string out;
    const auto escape = [&](unsigned unit) {
        static const char hex[] = "0123456789ABCDEF";
        out += "\\U+";
        for (int shift = 12; shift >= 0; shift -= 4) out += hex[(unit >> shift) & 0xF];
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        unsigned code = length == 1 ? b : b & (0x7F >> length);
        for (int k = 1; k < length && i + k < utf8.size(); ++k) code = (code << 6) | (utf8[i + k] & 0x3F);
        i += static_cast<std::size_t>(length);
        if (code == '%')
            out += "%%%";
        else if (code >= 0x20 && code < 0x7F && code != '\\')
            out += static_cast<char>(code);
        else if (code < 0x10000)
            escape(code);
        else {
            escape(0xD800 + ((code - 0x10000) >> 10));
            escape(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return out;
}

struct P {
    double x = 0, y = 0;
};
P operator+(P a, P b) { return {a.x + b.x, a.y + b.y}; }
P operator-(P a, P b) { return {a.x - b.x, a.y - b.y}; }
P operator*(double s, P a) { return {s * a.x, s * a.y}; }
double dot(P a, P b) { return a.x * b.x + a.y * b.y; }
P unit(P a) { return (1.0 / std::hypot(a.x, a.y)) * a; }
P normal(P a) { return {-a.y, a.x}; }
double degrees(P a) { return std::atan2(a.y, a.x) * 180.0 / std::numbers::pi; }

const char* const kOutline = "轮廓";
const char* const kCentre = "中心线";
const char* const kDimension = "尺寸";
const char* const kText = "文字";
const char* const kStyle = "宋体";

// The drawing's entities, in the order written, and the room they take.
class Drawing {
public:
    Drawing(DL_Dxf& dxf, MemoryWriter& w, double textHeight) : dxf_(dxf), w_(w), h_(textHeight) {}

    double h() const { return h_; }
    double left() const { return lo_.x; }
    double right() const { return hi_.x; }
    double bottom() const { return lo_.y; }
    double top() const { return hi_.y; }

    void line(const char* layer, P a, P b) {
        dxf_.writeLine(w_, DL_LineData(a.x, a.y, 0, b.x, b.y, 0), attributes(layer));
        grow(a);
        grow(b);
    }
    // Centred on `at` (both ways), turned by `angle` degrees; `align` 0 left,
    // 1 centre, 2 right.
    void text(const char* layer, P at, const std::string& s, double angle = 0, int align = 1, int colour = 256) {
        dxf_.writeText(w_,
                       DL_TextData(at.x, at.y, 0, at.x, at.y, 0, h_, 1.0, 0, align, 2, dxfText(s), dxfText(kStyle),
                                   angle * std::numbers::pi / 180.0),
                       attributes(layer, colour));
        const double width = this->width(s);
        const P along = {std::cos(angle * std::numbers::pi / 180.0), std::sin(angle * std::numbers::pi / 180.0)};
        const P start = at - (align * 0.5 * width) * along;
        for (const P q : {start, start + width * along})
            for (const double up : {-0.6 * h_, 0.6 * h_}) grow(q + up * normal(along));
    }
    // A text's width, roughly: a Chinese character as wide as it is high, any
    // other a little narrower.
    double width(const std::string& s) const {
        double w = 0;
        for (const char c : s)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) w += static_cast<unsigned char>(c) < 0x80 ? 0.7 * h_ : h_;
        return w;
    }
    void arc(P centre, double radius, double from, double to) {
        dxf_.writeArc(w_, DL_ArcData(centre.x, centre.y, 0, radius, from, to), attributes(kDimension));
    }

    // A dimension between a and b, its line where the distance along `away`
    // (a unit vector) is `level`, with extension lines, arrows and the text
    // beside it, read from below or from the right.
    void dimension(P a, P b, P away, double level, const std::string& s) {
        const P ea = a + (level - dot(a, away)) * away, eb = b + (level - dot(b, away)) * away;
        for (const auto& [from, to] : {std::pair{a, ea}, std::pair{b, eb}})
            line(kDimension, from + (0.3 * h_) * away, to + (0.5 * h_) * away);
        line(kDimension, ea, eb);
        arrow(ea, eb);
        arrow(eb, ea);
        P along = unit(eb - ea);
        if (along.x < -1e-9 || (std::abs(along.x) <= 1e-9 && along.y < 0)) along = -1.0 * along;
        const P up = normal(along);
        text(kDimension, 0.5 * (ea + eb) + (dot(up, away) >= 0 ? 0.9 * h_ : -0.9 * h_) * up, s, degrees(along));
    }
    void arrow(P tip, P from) {
        const P back = unit(from - tip);
        for (const double side : {-0.35, 0.35}) line(kDimension, tip, tip + (1.2 * h_) * back + (side * h_) * normal(back));
    }

private:
    DL_Attributes attributes(const char* layer, int colour = 256) const {
        return DL_Attributes(dxfText(layer), colour, -1, -1, "BYLAYER");
    }
    void grow(P q) {
        lo_ = {std::min(lo_.x, q.x), std::min(lo_.y, q.y)};
        hi_ = {std::max(hi_.x, q.x), std::max(hi_.y, q.y)};
    }

    DL_Dxf& dxf_;
    MemoryWriter& w_;
    double h_;
    P lo_, hi_;
};

P at(SketchPoint q) { return {q.x, q.y}; }
// The other half of a member: the pinion's mirrored about its axis (X), the
// gear's about its axis (Y). The dimensions stand on this half, away from
// the mesh, as in the sketch.
P mirrored(bool gear, SketchPoint q) { return gear ? P{-q.x, q.y} : P{q.x, -q.y}; }

void drawBlanks(Drawing& d, const BlankSketch& s) {
    for (const bool gear : {false, true}) {
        const SketchMember& m = gear ? s.gear : s.pinion;
        for (const bool other : {false, true}) {
            const auto pt = [&](SketchPoint q) { return other ? mirrored(gear, q) : at(q); };
            const P tooth[] = {pt(m.faceOuter), pt(m.faceInner), pt(m.rootInner), pt(m.rootOuter)};
            for (int k = 0; k < 4; ++k) d.line(kOutline, tooth[k], tooth[(k + 1) % 4]);
            d.line(kCentre, {0, 0}, pt(m.pitchOuter));
        }
    }
    // The axes, a little beyond the blanks.
    const double run = 2 * d.h();
    d.line(kCentre, {d.left() - run, 0}, {d.right() + run, 0});
    d.line(kCentre, {0, d.bottom() - run}, {0, d.top() + run});
}

void drawDimensions(Drawing& d, const BlankSketch& s) {
    const double h = d.h();
    const SketchMember& pn = s.pinion;
    const SketchMember& gr = s.gear;
    // The outer cone distance along the pinion's pitch cone, the face width
    // along the gear's, each clear of its tooth.
    const P pinionPitch = mirrored(false, pn.pitchOuter);
    const P pinionOut = unit(mirrored(false, pn.faceOuter) - pinionPitch);
    d.dimension({0, 0}, pinionPitch, pinionOut, dot(mirrored(false, pn.faceOuter), pinionOut) + 1.5 * h,
                "Le " + s.coneDistanceText);
    const P gearPitch = mirrored(true, gr.pitchOuter);
    const P gearOut = unit(mirrored(true, gr.faceOuter) - gearPitch);
    d.dimension(mirrored(true, gr.pitchInner), gearPitch, gearOut,
                std::max(dot(mirrored(true, gr.faceOuter), gearOut), dot(mirrored(true, gr.faceInner), gearOut)) + 1.5 * h,
                "b " + s.faceWidthText);

    // Addendum and dedendum along the back cone at the outer end, the labels
    // beyond the ends of their line (the gear's both beyond its root end, clear
    // of the face width): the pinion's right of it, the gear's left.
    for (const bool gear : {false, true}) {
        const SketchMember& m = gear ? gr : pn;
        const std::string tag = gear ? "2" : "1";
        const P root = mirrored(gear, m.rootOuter), pitch = mirrored(gear, m.pitchOuter), face = mirrored(gear, m.faceOuter);
        const P out = unit(pitch);
        const double level = std::max({dot(root, out), dot(pitch, out), dot(face, out)}) + 1.5 * h;
        const auto onLine = [&](P q) { return q + (level - dot(q, out)) * out; };
        for (const P q : {root, pitch, face}) d.line(kDimension, q + (0.3 * h) * out, onLine(q) + (0.5 * h) * out);
        d.line(kDimension, onLine(root), onLine(face));
        for (const auto& [a, b] : {std::pair{pitch, root}, std::pair{pitch, face}}) {
            d.arrow(onLine(a), onLine(b));
            d.arrow(onLine(b), onLine(a));
        }
        const P beyondRoot = unit(root - face);
        const P side = {gear ? -0.6 * h : 0.6 * h, 0};
        const P addendumAt = gear ? onLine(root) + (2.6 * h) * beyondRoot : onLine(face) - (1.0 * h) * beyondRoot;
        d.text(kDimension, addendumAt + side, "ha" + tag + " " + m.addendumText, 0, gear ? 2 : 0);
        d.text(kDimension, onLine(root) + (1.0 * h) * beyondRoot + side, "hf" + tag + " " + m.dedendumText, 0, gear ? 2 : 0);
    }

    // The cone angles from each member's axis; their labels in a column in
    // the quadrant the blanks leave free, each with a leader to its arc.
    double row = -1.6 * h;
    for (const bool gear : {false, true}) {
        const SketchMember& m = gear ? gr : pn;
        const std::string tag = gear ? "2" : "1";
        const double big = std::max(std::hypot(m.pitchInner.x, m.pitchInner.y) * 0.55, 1.5 * h);
        const P axis = gear ? P{0, 1} : P{1, 0};
        const struct {
            SketchPoint apex, through;
            std::string text;
            double radius;
        } angles[] = {
            {m.rootApex, m.rootInner, "δf" + tag + " " + m.rootAngleText + "°", big * 0.55},
            {{0, 0}, m.pitchInner, "δ" + tag + " " + m.pitchAngleText + "°", big * 0.78},
            {m.faceApex, m.faceInner, "δa" + tag + " " + m.faceAngleText + "°", big},
        };
        for (const auto& a : angles) {
            const P vertex = mirrored(gear, a.apex);
            const P through = mirrored(gear, a.through);
            if (a.apex.x != 0 || a.apex.y != 0) d.line(kDimension, vertex, through);
            const double from = degrees(axis), to = degrees(through - vertex);
            // Counterclockwise from the smaller angle: the pinion's arc runs
            // up to its axis, the gear's from it.
            d.arc(vertex, a.radius, gear ? from : to, gear ? to : from);
            const double middle = (from + to) / 2 * std::numbers::pi / 180.0;
            const P label{-2.0 * h, row};
            d.line(kDimension, vertex + a.radius * P{std::cos(middle), std::sin(middle)}, label + P{0.4 * h, 0});
            d.text(kDimension, label, a.text, 0, 2);
            row -= 1.6 * h;
        }
    }

    // The diameters: the pinion's right of everything, the gear's above it.
    const double rightmost = d.right(), topmost = d.top();
    d.dimension(mirrored(false, pn.pitchDiameterPoint), at(pn.pitchDiameterPoint), {1, 0}, rightmost + 1.5 * h,
                "d1 Ø" + pn.pitchDiameterText);
    d.dimension(mirrored(false, pn.outsideDiameterPoint), at(pn.outsideDiameterPoint), {1, 0}, rightmost + 4.5 * h,
                "de1 Ø" + pn.outsideDiameterText);
    d.dimension(mirrored(true, gr.pitchDiameterPoint), at(gr.pitchDiameterPoint), {0, 1}, topmost + 1.5 * h,
                "d2 Ø" + gr.pitchDiameterText);
    d.dimension(mirrored(true, gr.outsideDiameterPoint), at(gr.outsideDiameterPoint), {0, 1}, topmost + 4.5 * h,
                "de2 Ø" + gr.outsideDiameterText);
    // The apex to crown distances: the pinion's below everything, the gear's left.
    const double bottommost = d.bottom(), leftmost = d.left();
    d.dimension({0, 0}, mirrored(false, pn.crownDistancePoint), {0, -1}, -bottommost + 1.5 * h, "X1 " + pn.crownDistanceText);
    d.dimension({0, 0}, mirrored(true, gr.crownDistancePoint), {-1, 0}, -leftmost + 1.5 * h, "X2 " + gr.crownDistanceText);
}

// The title block below the drawing: the notice when sheet A2 is not current
// (a line a reason), the pair's data, then the job's properties, one
// a line (the remarks a line each of theirs).
void drawTitle(Drawing& d, const BlankSketch& s, const Workbook& wb) {
    std::vector<std::pair<std::string, int>> lines;  // text, colour
    for (const std::string& notice : noticeLines(*chainState(wb).of(SheetId::A2))) lines.emplace_back(notice, 1);
    lines.emplace_back("齿坯示意图  轴交角 90°  1:1  长度 mm，角度 °", 256);
    lines.emplace_back("Z1 " + s.teeth1 + "  Z2 " + s.teeth2 + "  m " + s.module + "  β " + s.spiralAngle + "°  x " +
                           s.shift + "  旋向 小轮" + s.pinionHand + " 大轮" + s.gearHand + "  刀盘半径 " + s.cutterRadius,
                       256);
    for (Property p : kAllProperties) {
        const std::string& text = wb.properties[p];
        std::string label = std::string(propertyLabel(p)) + "  ";
        for (std::size_t start = 0;;) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            lines.emplace_back(label + text.substr(start, end - start), 256);
            if (end == text.size()) break;
            label = "      ";
            start = end + 1;
        }
    }
    double y = d.bottom() - 2.5 * d.h();
    const double x = d.left();
    for (const auto& [text, colour] : lines) {
        // A long text on several lines of at most 100 characters: a CAD
        // program takes a text of some 2000 bytes, a character of the \U+
        // notation being seven of them.
        std::size_t start = 0;
        do {
            std::size_t end = start;
            for (int n = 0; n < 100 && end < text.size(); ++n)
                do ++end;
                while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
            d.text(kText, {x, y}, text.substr(start, end - start), 0, 0, colour);
            y -= 1.6 * d.h();
            start = end;
        } while (start < text.size());
    }
}

void writeTables(DL_Dxf& dxf, MemoryWriter& w) {
    dxf.writeHeader(w);
    w.dxfString(9, "$INSUNITS");  // millimetres
    w.dxfInt(70, 4);
    w.dxfString(9, "$MEASUREMENT");  // metric
    w.dxfInt(70, 1);
    w.sectionEnd();
    w.sectionTables();
    dxf.writeVPort(w);
    w.tableLinetypes(4);
    dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    double centre[] = {12.0, -3.0, 2.0, -3.0};  // millimetres: long dash, gap, dot, gap
    dxf.writeLinetype(w, DL_LinetypeData("CENTER", "Center ____ _ ____ _", 0, 4, 20.0, centre));
    w.tableEnd();
    const struct {
        const char* name;
        int colour;
        int lineweight;  // hundredths of a millimetre
        const char* linetype;
    } layers[] = {
        {"0", 7, -1, "CONTINUOUS"},          {kOutline, 7, 50, "CONTINUOUS"}, {kCentre, 1, 18, "CENTER"},
        {kDimension, 3, 18, "CONTINUOUS"}, {kText, 7, 25, "CONTINUOUS"},
    };
    w.tableLayers(static_cast<int>(std::size(layers)));
    for (const auto& l : layers)
        dxf.writeLayer(w, DL_LayerData(dxfText(l.name), 0), DL_Attributes("", l.colour, -1, l.lineweight, l.linetype));
    w.tableEnd();
    // Chinese in SimSun, the TrueType face every Chinese Windows has.
    w.tableStyle(2);
    dxf.writeStyle(w, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    dxf.writeStyle(w, DL_StyleData(dxfText(kStyle), 0, 0.0, 1.0, 0.0, 0, 2.5, "SimSun", ""));
    w.tableEnd();
    dxf.writeView(w);
    dxf.writeUcs(w);
    w.tableAppid(1);
    dxf.writeAppid(w, "ACAD");
    w.tableEnd();
    dxf.writeDimStyle(w, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf.writeBlockRecord(w);
    w.tableEnd();
    w.sectionEnd();
    w.sectionBlocks();
    for (const char* block : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(w, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(w, block);
    }
    w.sectionEnd();
}

}  // namespace

DxfOutcome blankDxf(const Workbook& wb) {
    const SketchOutcome sketch = blankSketch(wb);
    if (!sketch.sketch) return {{}, sketch.stop};
    const BlankSketch& s = *sketch.sketch;
    // Texts in proportion to a large drawing, never below 1.8 mm.
    double span = 0;
    for (const SketchMember* m : {&s.pinion, &s.gear})
        for (const SketchPoint q : {m->faceOuter, m->rootOuter, m->outsideDiameterPoint})
            span = std::max({span, std::abs(q.x), std::abs(q.y)});
    DL_Dxf dxf;
    MemoryWriter w;
    writeTables(dxf, w);
    w.sectionEntities();
    Drawing d(dxf, w, std::max(1.8, span / 50.0));
    drawBlanks(d, s);
    drawDimensions(d, s);
    drawTitle(d, s, wb);
    w.sectionEnd();
    dxf.writeObjects(w);
    dxf.writeObjectsEnd(w);
    w.dxfEOF();
    return {w.take(), {}};
}

}  // namespace lc::report
