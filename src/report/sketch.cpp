#include "report/sketch.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

#include "core/chain_state.h"

namespace lc::report {
namespace {

constexpr qreal kTextPoints = 8;
constexpr qreal kSmallestPoints = 6;
constexpr qreal kTitleExtraPoints = 1.5;  // the title block's heading
constexpr qreal kLinePoints = 9.5;        // the line shown instead of a drawing
// The least scale of the blanks, as a share of the scale they would have on
// their own, for which all labels are given room.
constexpr qreal kLeastShareOfLabels = 0.4;

const QColor kPinionFill(70, 130, 230, 70);
const QColor kGearFill(235, 130, 30, 80);
const QColor kPinionSwatch(70, 130, 230);
const QColor kGearSwatch(235, 130, 30);
const QColor kThin(60, 60, 60);
const QColor kCentre(40, 90, 40);

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QFont sketchFont(qreal points, bool bold = false) {
    QFont f;
    // Upright lettering for the drawing; Chinese from the Ming face of the
    // printed sheet.
    f.setFamilies({"DejaVu Sans", "AR PL UMing CN", "Noto Serif CJK SC", "SimSun"});
    f.setPointSizeF(points);
    f.setBold(bold);
    // Unhinted: the glyphs advance by the font's own widths, not widths
    // rounded to the device's pixels, so that a page is laid out alike
    // whatever measures the font.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Smaller lettering in a low area (the room left on a printed page), so
// that the labels leave the blanks their share of it.
qreal textPoints(qreal areaHeightMm) { return std::clamp(areaHeightMm / 12.0, kSmallestPoints, kTextPoints); }

qreal dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }
QPointF unit(QPointF v) {
    const qreal l = std::hypot(v.x(), v.y());
    return l > 0 ? v / l : QPointF(1, 0);
}
QPointF normal(QPointF v) { return {-v.y(), v.x()}; }

// Whether two convex outlines come closer than `gap`: no edge of either
// separates them by more.
bool overlap(const QPolygonF& a, const QPolygonF& b, qreal gap) {
    if (!a.boundingRect().adjusted(-gap, -gap, gap, gap).intersects(b.boundingRect())) return false;
    for (const QPolygonF* poly : {&a, &b})
        for (qsizetype i = 0; i < poly->size(); ++i) {
            const QPointF edge = poly->at((i + 1) % poly->size()) - poly->at(i);
            if (edge.isNull()) continue;
            const QPointF n = unit(normal(edge));
            const auto span = [&](const QPolygonF& q) {
                qreal lo = std::numeric_limits<qreal>::infinity(), hi = -lo;
                for (QPointF c : q) {
                    lo = std::min(lo, dot(c, n));
                    hi = std::max(hi, dot(c, n));
                }
                return std::pair{lo, hi};
            };
            const auto [alo, ahi] = span(a);
            const auto [blo, bhi] = span(b);
            if (ahi + gap < blo || bhi + gap < alo) return false;
        }
    return true;
}

// The places a label tries, as steps along its way and across it: nearest
// first, forward before back, up to 24 steps in every direction.
const std::vector<std::pair<int, int>>& searchOrder() {
    static const std::vector<std::pair<int, int>> order = [] {
        constexpr int kReach = 24;
        std::vector<std::pair<int, int>> o;
        for (int forth = -kReach; forth <= kReach; ++forth)
            for (int aside = -kReach; aside <= kReach; ++aside) o.emplace_back(forth, aside);
        const auto rank = [](std::pair<int, int> p) {
            return std::tuple(p.first * p.first + p.second * p.second, p.first < 0, std::abs(p.second), p.second);
        };
        std::sort(o.begin(), o.end(), [&](auto a, auto b) { return rank(a) < rank(b); });
        return o;
    }();
    return order;
}

// Whether the segment comes closer than `gap` to the convex outline: it
// crosses an edge, has an end inside, or passes near an edge.
bool near(const QPolygonF& outline, const QLineF& s, qreal gap) {
    if (!outline.boundingRect().adjusted(-gap, -gap, gap, gap).intersects(QRectF(s.p1(), s.p2()).normalized().adjusted(-0.01, -0.01, 0.01, 0.01)))
        return false;
    if (outline.containsPoint(s.p1(), Qt::OddEvenFill) || outline.containsPoint(s.p2(), Qt::OddEvenFill)) return true;
    const auto distance = [](QPointF q, QPointF a, QPointF b) {
        const QPointF ab = b - a;
        const qreal t = dot(ab, ab) > 0 ? std::clamp(dot(q - a, ab) / dot(ab, ab), 0.0, 1.0) : 0.0;
        const QPointF d = q - (a + ab * t);
        return std::hypot(d.x(), d.y());
    };
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const QLineF edge(outline[i], outline[(i + 1) % outline.size()]);
        if (edge.intersects(s, nullptr) == QLineF::BoundedIntersection ||
            std::min({distance(s.p1(), edge.p1(), edge.p2()), distance(s.p2(), edge.p1(), edge.p2()),
                      distance(edge.p1(), s.p1(), s.p2()), distance(edge.p2(), s.p1(), s.p2())}) < gap)
            return true;
    }
    return false;
}

// The drawing of one sketch: model millimetres to device units, the lines,
// the dimensions and their labels; the labels, placed when every line is
// drawn, clear of the lines and of each other.
class Drawing {
public:
    Drawing(QPainter& p, const QRectF& area, const BlankSketch& s, std::vector<SketchLabel>* labels)
        : p_(&p), device_(p.device()), area_(area), s_(s), labels_(labels),
          font_(sketchFont(textPoints(area.height() / (device_->logicalDpiY() / 25.4)))), fm_(font_, device_) {
        mm_ = device_->logicalDpiY() / 25.4;
        th_ = fm_.height();
        gap_ = th_ * 1.6;
    }

    void paint();

private:
    enum Member { Pinion, Gear };
    const SketchMember& member(Member m) const { return m == Pinion ? s_.pinion : s_.gear; }
    // The annotated half of each member lies outside the mesh: the pinion's
    // below its axis, the gear's left of its axis.
    static SketchPoint flip(Member m, SketchPoint q) { return m == Pinion ? SketchPoint{q.x, -q.y} : SketchPoint{-q.x, q.y}; }
    QPointF at(SketchPoint q) const { return {origin_.x() + q.x * scale_, origin_.y() - q.y * scale_}; }
    QPointF atFlipped(Member m, SketchPoint q) const { return at(flip(m, q)); }
    // Along the member's axis, away from the apex, on the device.
    static QPointF axisDirection(Member m) { return m == Pinion ? QPointF(1, 0) : QPointF(0, -1); }

    qreal titleBlock(bool draw, qreal top);
    void tryScale(qreal scale);
    bool fit(const QRectF& room);
    void paintDrawing();
    void paintMember(Member m);
    void paintAngles(Member m);
    void paintDimensions();
    void paintConeDimensions();
    bool clear(const QPolygonF& box, bool ofLabelsOnly) const;
    void keep(const QPolygonF& box, const QString& text);
    // A label or a dimension's text: its room counted now, its place chosen
    // once every line is drawn (placeLabel, placeLineText).
    void label(QPointF anchor, QPointF away, const QString& text, QPointF shift = {});
    void lineText(QPointF mid, QPointF along, QPointF dir, const QString& text);
    void placeLabel(QPointF anchor, const QRectF& first, QPointF step, const QString& text);
    bool placeLineText(const QTransform& t, const std::vector<QRectF>& places, const QString& text);
    void dimension(QPointF a, QPointF b, QPointF dir, qreal level, const QString& text);
    void arrow(QPointF tip, QPointF from);
    QPen pen(const QColor& c, qreal widthMm, Qt::PenStyle style = Qt::SolidLine) const {
        return QPen(c, widthMm * mm_, style, Qt::FlatCap, Qt::MiterJoin);
    }
    QString elided(const QString& text, qreal room) const { return fm_.elidedText(text, Qt::ElideRight, room); }

    // The ink; a trial layout (dry_) only measures. Every line, arc and
    // outline is kept, for the labels to keep clear of.
    void inkLine(QPointF a, QPointF b) {
        strokes_.emplace_back(a, b);
        if (!dry_) p_->drawLine(a, b);
    }
    void inkPolygon(const QPolygonF& poly, bool kept = true) {
        for (qsizetype i = 0; kept && i < poly.size(); ++i) strokes_.emplace_back(poly[i], poly[(i + 1) % poly.size()]);
        if (!dry_) p_->drawPolygon(poly);
    }
    void inkPath(const QPainterPath& path) {
        for (const QPolygonF& poly : path.toSubpathPolygons())
            for (qsizetype i = 0; i + 1 < poly.size(); ++i) strokes_.emplace_back(poly[i], poly[i + 1]);
        if (!dry_) p_->drawPath(path);
    }
    void inkFill(const QRectF& r, const QColor& c) { if (!dry_) p_->fillRect(r, c); }
    void inkRect(const QRectF& r) { if (!dry_) p_->drawRect(r); }
    void inkText(const QRectF& r, int flags, const QString& t) { if (!dry_) p_->drawText(r, flags, t); }

    void grow(const QRectF& r) { extent_ = extent_.united(r.normalized()); }
    void grow(QPointF a, QPointF b) { grow(QRectF(a, b)); }

    QPainter* p_;
    bool dry_ = false;
    QPaintDevice* device_;   // the device: its resolution sets text and line sizes
    QRectF area_;
    const BlankSketch& s_;
    std::vector<SketchLabel>* labels_;  // where the painted labels are told, if anywhere
    QFont font_;
    QFontMetricsF fm_;
    qreal mm_ = 1, th_ = 10, gap_ = 16;
    qreal scale_ = 1;  // device units per model millimetre
    QPointF origin_;
    SketchPoint lo_, hi_;  // the blanks' extent in model millimetres
    QRectF model_;         // the same in device units
    // Labels count towards the room the drawing needs, unless the blanks
    // would be too small for them: then they take what room is left.
    bool labelsNeedRoom_ = true;
    // Whether a layout places its texts; the trials of the scale only count
    // their first places.
    bool placeTexts_ = false;
    QRectF room_;  // where labels may stand once the drawing is placed (empty while fitting)
    struct Taken {
        QPolygonF box;
        bool label;  // else a tooth, which labels keep off where they can
    };
    std::vector<Taken> taken_;  // placed so far
    std::vector<QLineF> strokes_;  // every line drawn, arcs and outlines as their segments
    // The texts to place once the lines are drawn, dimensions' first.
    std::vector<std::function<void()>> lineTexts_, pendingLabels_;
    QRectF extent_;             // everything painted so far
};

// Title block and legend along the bottom of the area, cells flowing into
// rows; returns its height.
qreal Drawing::titleBlock(bool draw, qreal top) {
    const QFont bold = sketchFont(font_.pointSizeF() + kTitleExtraPoints, true);
    const QFontMetricsF bm(bold, device_);
    const qreal pad = 1.2 * mm_, swatch = th_ * 1.6;
    struct Cell {
        QString text;
        bool heading = false;
        bool legend = false;  // the two colours of the tooth zones
    };
    const std::vector<Cell> cells{
        {"齿坯示意图  轴交角 90°", true},
        {"名称  " + qs(s_.name)},
        {"图号  小轮 " + qs(s_.pinionDrawing) + "  大轮 " + qs(s_.gearDrawing)},
        {"小轮齿数 Z1  " + qs(s_.teeth1)},
        {"大轮齿数 Z2  " + qs(s_.teeth2)},
        {"模数 m  " + qs(s_.module)},
        {"螺旋角 β  " + qs(s_.spiralAngle) + "°"},
        {"高度变位系数 x  " + qs(s_.shift)},
        {"旋向  小轮" + qs(s_.pinionHand) + "  大轮" + qs(s_.gearHand)},
        {"刀盘半径  " + qs(s_.cutterRadius)},
        {"长度 mm，角度 °"},
        {{}, false, true},
    };
    const QString pinion = "小轮", gear = "大轮";
    const qreal rowHeight = bm.height() + 2 * pad;
    const qreal width = area_.width();
    qreal x = 0, y = 0;
    for (const Cell& c : cells) {
        const QFontMetricsF& m = c.heading ? bm : fm_;
        // A cell is one line within its box, whatever the text holds: line
        // breaks and other control characters stand as blanks, and what does
        // not fit is cut with "…".
        QString flat = c.text;
        for (QChar& ch : flat)
            if (ch.category() == QChar::Other_Control || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator)
                ch = ' ';
        const QString text = m.elidedText(flat, Qt::ElideRight, std::max<qreal>(width - 2 * pad, 0));
        const qreal w = std::min(
            c.legend ? 2 * swatch + m.horizontalAdvance(pinion + gear) + 3 * pad : m.horizontalAdvance(text) + 2 * pad,
            width);
        if (x > 0 && x + w > width) {
            x = 0;
            y += rowHeight;
        }
        if (draw) {
            const QRectF box(area_.left() + x, top + y, w, rowHeight);
            p_->setPen(pen(Qt::black, 0.25));
            p_->setBrush(c.heading ? QColor(235, 235, 235) : QColor(Qt::white));
            inkRect(box);
            p_->setFont(c.heading ? bold : font_);
            if (c.legend) {
                qreal at = box.left() + pad;
                for (const auto& [colour, name] : {std::pair{kPinionSwatch, pinion}, std::pair{kGearSwatch, gear}}) {
                    p_->setBrush(colour.lighter(140));
                    p_->setPen(pen(colour.darker(130), 0.25));
                    inkRect(QRectF(at, box.center().y() - th_ * 0.4, swatch - pad, th_ * 0.8));
                    p_->setPen(Qt::black);
                    const qreal advance = m.horizontalAdvance(name);
                    inkText(QRectF(at + swatch, box.top(), advance, box.height()), Qt::AlignVCenter | Qt::AlignLeft, name);
                    at += swatch + advance + pad;
                }
            } else {
                p_->setPen(Qt::black);
                p_->save();
                p_->setClipRect(box, Qt::IntersectClip);
                inkText(box.adjusted(pad, 0, -pad, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text);
                p_->restore();
            }
        }
        x += w;
    }
    return y + rowHeight;
}

// Lays the drawing out at a scale, the apex at the origin of the device,
// without ink; extent_ then holds what it would cover.
void Drawing::tryScale(qreal scale) {
    scale_ = scale;
    origin_ = QPointF(0, 0);
    model_ = QRectF(at(SketchPoint{lo_.x, hi_.y}), at(SketchPoint{hi_.x, lo_.y}));
    dry_ = true;
    paintDrawing();
    dry_ = false;
}

// The largest scale at which the blanks with all their dimensions and labels
// fit the room, and the apex's place that centres them there. The labels keep
// their size while the blanks shrink, so the room they need is found by
// trying: a bisection over the scale.
bool Drawing::fit(const QRectF& room) {
    lo_ = hi_ = SketchPoint{0, 0};
    const auto take = [&](SketchPoint q) {
        lo_ = {std::min(lo_.x, q.x), std::min(lo_.y, q.y)};
        hi_ = {std::max(hi_.x, q.x), std::max(hi_.y, q.y)};
    };
    for (Member m : {Pinion, Gear}) {
        const SketchMember& k = member(m);
        for (SketchPoint q : {k.pitchOuter, k.faceOuter, k.faceInner, k.rootOuter, k.rootInner, k.pitchDiameterPoint,
                              k.outsideDiameterPoint, k.crownDistancePoint}) {
            take(q);
            take(flip(m, q));
        }
    }
    const double mw = hi_.x - lo_.x, mh = hi_.y - lo_.y;
    if (!(room.width() > th_ && room.height() > th_ && mw > 0 && mh > 0)) return false;
    // How far the layout at a scale overflows the room (at most 1: it fits).
    const auto overflowAt = [&](qreal scale) {
        tryScale(scale);
        return std::max(extent_.width() / room.width(), extent_.height() / room.height());
    };
    const qreal most = std::min(room.width() / mw, room.height() / mh);
    if (!(std::isfinite(most) && most > 0)) return false;
    // The largest scale that fits, by bisection; when none fits, the layout
    // that overflows least is drawn, clipped.
    struct Choice {
        qreal scale = 0, overflow = std::numeric_limits<qreal>::infinity();
    };
    const auto choose = [&] {
        Choice least;
        qreal low = 0, high = most;
        for (int i = 0; i < 12; ++i) {
            const qreal scale = i == 0 ? high : (low + high) / 2;
            const qreal overflow = overflowAt(scale);
            if (overflow < least.overflow) least = {scale, overflow};
            if (overflow <= 1) {
                low = scale;
                if (i == 0) break;
            } else {
                high = scale;
            }
        }
        return low > 0 ? Choice{low, 1} : least;
    };
    labelsNeedRoom_ = true;
    Choice chosen = choose();
    // In a small area the labels would leave the blanks hardly any room:
    // there the blanks with their lines take the room, and the labels stand
    // where they still find space.
    if (!(chosen.overflow <= 1 && chosen.scale >= most * kLeastShareOfLabels)) {
        labelsNeedRoom_ = false;
        chosen = choose();
    }
    if (!(chosen.scale > 0)) return false;
    // The trials counted each text at its first place; where the texts, now
    // placed, need more room than that, the drawing shrinks until they fit.
    placeTexts_ = true;
    qreal scale = chosen.scale;
    for (int i = 0; i < 8 && overflowAt(scale) > std::max<qreal>(1, chosen.overflow); ++i) scale *= 0.92;
    origin_ = room.center() - extent_.center();
    model_.translate(origin_);
    return true;
}

void Drawing::arrow(QPointF tip, QPointF from) {
    const QPointF d = unit(tip - from);
    const qreal len = th_ * 0.55, half = len * 0.22;
    const QPointF base = tip - d * len;
    const QPolygonF head{tip, base + normal(d) * half, base - normal(d) * half};
    p_->save();
    p_->setPen(Qt::NoPen);
    p_->setBrush(kThin);
    inkPolygon(head);
    p_->restore();
}

// A text on a light ground, its near edge at `anchor` on the side `away`
// points to; where that place is taken, at the nearest free place, along
// `shift` (else `away`) first, with a leader back to the anchor.
void Drawing::label(QPointF anchor, QPointF away, const QString& full, QPointF shift) {
    const QString text = elided(full, std::max<qreal>(area_.width() * 0.45, th_));
    const qreal w = fm_.horizontalAdvance(text) + 0.6 * mm_, h = fm_.height();
    away = unit(away);
    // The box corner nearest the anchor follows the direction the label goes.
    const QPointF offset((away.x() - 1) * w / 2, (away.y() - 1) * h / 2);
    const QRectF first(anchor + offset + away * 0.5 * mm_, QSizeF(w, h));
    if (labelsNeedRoom_) grow(first);
    const QPointF step = unit(shift.isNull() ? away : shift) * h * 0.5;
    pendingLabels_.push_back([=, this] { placeLabel(anchor, first, step, text); });
}

void Drawing::placeLabel(QPointF anchor, const QRectF& first, QPointF step, const QString& text) {
    const auto leaderTo = [&](const QRectF& box) {
        return QLineF(anchor, QPointF(std::clamp(anchor.x(), box.left(), box.right()),
                                      std::clamp(anchor.y(), box.top(), box.bottom())));
    };
    // The nearest place clear of everything, else the nearest clear of the
    // lines and labels (over a tooth), else none: the label is left out. Its
    // leader crosses no label either.
    const QPointF across = normal(step);
    QRectF box;
    for (bool ofLabelsOnly : {false, true})
        for (std::size_t i = 0; i < searchOrder().size() && box.isNull(); ++i) {
            const auto [forth, aside] = searchOrder()[i];
            const QRectF at = first.translated(step * forth + across * aside);
            const QLineF leader = leaderTo(at);
            if (clear(QPolygonF(at), ofLabelsOnly) &&
                std::none_of(taken_.begin(), taken_.end(), [&](const Taken& t) { return t.label && near(t.box, leader, 0); }))
                box = at;
        }
    if (box.isNull()) return;
    p_->save();
    const QLineF leader = leaderTo(box);
    if (leader.length() > 0.6 * mm_) {
        p_->setPen(pen(kThin, 0.13));
        inkLine(leader.p1(), leader.p2());
    }
    keep(QPolygonF(box), text);
    inkFill(box, QColor(255, 255, 255, 200));
    p_->setPen(Qt::black);
    p_->setFont(font_);
    inkText(box, Qt::AlignCenter, text);
    p_->restore();
}

// A dimension's text: upright along the line, centred on `mid`, on the side
// of the line that `dir` points to.
void Drawing::lineText(QPointF mid, QPointF along, QPointF dir, const QString& full) {
    if (along.x() < 0 || (along.x() == 0 && along.y() > 0)) along = -along;
    const qreal length = std::hypot(along.x(), along.y());
    along = unit(along);
    const QString text = elided(full, std::max<qreal>(area_.width() * 0.45, th_));
    const qreal w = fm_.horizontalAdvance(text) + 0.6 * mm_, h = fm_.height();
    // In the turned frame the text stands above its line (towards -y); when
    // that is the inner side it goes below.
    const QPointF above = -normal(along);
    const bool outerIsAbove = dot(above, dir) >= 0;
    QTransform t;
    t.translate(mid.x(), mid.y());
    t.rotate(std::atan2(along.y(), along.x()) * 180 / std::numbers::pi);
    // On the outer side of the line, else on the inner side, in the middle or
    // moved along the line, as far as it reaches and then on past its ends
    // until the text stands beside them; then the same a line further out;
    // else left out.
    const qreal reach = std::max<qreal>((length - w) / 2, 0) + w + h;
    std::vector<QRectF> places;
    for (const qreal off : {0.5 * mm_, 0.5 * mm_ + 1.2 * h}) {
        const QRectF outer(-w / 2, -h - off, w, h), inner(-w / 2, off, w, h);
        for (int i = 0; (i + 1) / 2 * h <= reach; ++i) {
            const qreal slide = (i % 2 ? 1 : -1) * ((i + 1) / 2) * h;
            for (const QRectF& side : {outerIsAbove ? outer : inner, outerIsAbove ? inner : outer})
                places.push_back(side.translated(slide, 0));
        }
    }
    const QRectF first = t.map(QPolygonF(places.front())).boundingRect();
    if (labelsNeedRoom_) grow(first);
    // Where no place along the line is free, a level label with a leader to
    // the line's middle.
    lineTexts_.push_back([=, this] {
        if (!placeLineText(t, places, text))
            placeLabel(mid, QRectF(first.center() - QPointF(w, h) / 2, QSizeF(w, h)), along * h * 0.5, text);
    });
}

bool Drawing::placeLineText(const QTransform& t, const std::vector<QRectF>& places, const QString& text) {
    QRectF box;
    for (bool ofLabelsOnly : {false, true})
        for (const QRectF& place : places)
            if (box.isNull() && clear(t.map(QPolygonF(place)), ofLabelsOnly)) box = place;
    if (box.isNull()) return false;
    p_->save();
    p_->setTransform(t, true);
    inkFill(box, QColor(255, 255, 255, 200));
    p_->setPen(Qt::black);
    p_->setFont(font_);
    inkText(box, Qt::AlignCenter, text);
    p_->restore();
    keep(t.map(QPolygonF(box)), text);
    return true;
}

// Whether a label's box may stand there: within the room, off the labels
// placed so far and, unless `ofLabelsOnly`, off the teeth.
bool Drawing::clear(const QPolygonF& box, bool ofLabelsOnly) const {
    if (!room_.isNull() && !room_.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box.boundingRect())) return false;
    return std::none_of(taken_.begin(), taken_.end(),
                        [&](const Taken& t) { return (t.label || !ofLabelsOnly) && overlap(t.box, box, 0.2 * mm_); }) &&
           std::none_of(strokes_.begin(), strokes_.end(), [&](const QLineF& l) { return near(box, l, 0.25 * mm_); });
}

void Drawing::keep(const QPolygonF& box, const QString& text) {
    taken_.push_back({box, true});
    if (labelsNeedRoom_) grow(box.boundingRect());
    if (labels_ && !dry_) labels_->push_back({text, box});
}

// A dimension between the feature points a and b, its line at `level` along
// `dir` (a unit vector from the features towards the line).
void Drawing::dimension(QPointF a, QPointF b, QPointF dir, qreal level, const QString& text) {
    const QPointF ea = a + dir * (level - dot(a, dir));
    const QPointF eb = b + dir * (level - dot(b, dir));
    p_->setPen(pen(kThin, 0.15));
    const qreal over = 0.25 * th_, clear = 0.6 * mm_;
    for (const auto& [from, to] : {std::pair{a, ea}, std::pair{b, eb}}) {
        const qreal run = dot(to - from, dir);
        if (std::abs(run) <= clear) continue;
        const QPointF start = from + dir * (run > 0 ? clear : -clear), end = to + dir * (run > 0 ? over : -over);
        inkLine(start, end);
        grow(start, end);
    }
    inkLine(ea, eb);
    grow(ea, eb);
    arrow(ea, eb);
    arrow(eb, ea);
    lineText((ea + eb) / 2, eb - ea, dir, text);
}

void Drawing::paintMember(Member m) {
    const SketchMember& k = member(m);
    const QColor fill = m == Pinion ? kPinionFill : kGearFill;
    for (bool flipped : {false, true}) {
        const auto pt = [&](SketchPoint q) { return flipped ? atFlipped(m, q) : at(q); };
        const QPolygonF tooth{pt(k.faceOuter), pt(k.faceInner), pt(k.rootInner), pt(k.rootOuter)};
        p_->setPen(Qt::NoPen);
        p_->setBrush(fill);
        inkPolygon(tooth, false);
        // The back cone and the front cone run on beyond the tooth a little.
        const qreal depth = std::hypot(tooth[0].x() - tooth[3].x(), tooth[0].y() - tooth[3].y());
        p_->setPen(pen(kThin, 0.15));
        for (const auto& [top, bottom] : {std::pair{tooth[0], tooth[3]}, std::pair{tooth[1], tooth[2]}}) {
            const QPointF d = unit(bottom - top) * std::max(depth * 0.5, th_ * 0.6);
            inkLine(top - d * 0.4, bottom + d);
            grow(top - d * 0.4, bottom + d);
        }
        p_->setPen(pen(Qt::black, 0.45));
        p_->setBrush(Qt::NoBrush);
        inkPolygon(tooth);
        grow(tooth.boundingRect());
        taken_.push_back({QPolygonF(tooth.boundingRect()), false});  // no label over a tooth
        // The pitch cone, from the apex to the back cone.
        p_->setPen(pen(kCentre, 0.18, Qt::DashDotLine));
        inkLine(at({0, 0}), pt(k.pitchOuter));
    }
}

// The cone angles on the annotated half, each from the member's axis: the
// face cone and the root cone drawn on to their apices when these lie near
// the common apex, else the angle stands at the inner end of the line.
void Drawing::paintAngles(Member m) {
    const SketchMember& k = member(m);
    const QPointF axis = axisDirection(m);
    const qreal reach = std::hypot(k.pitchInner.x, k.pitchInner.y) * scale_;
    const qreal big = std::max(reach * 0.55, th_ * 1.5);
    const QString tag = m == Pinion ? "1" : "2";
    const struct {
        SketchPoint apex, through;
        double degrees;
        QString text;
        qreal radius;
    } angles[] = {
        {k.rootApex, k.rootInner, k.rootAngle, "δf" + tag + " " + qs(k.rootAngleText) + "°", big * 0.55},
        {{0, 0}, k.pitchInner, k.pitchAngle, "δ" + tag + " " + qs(k.pitchAngleText) + "°", big * 0.78},
        {k.faceApex, k.faceInner, k.faceAngle, "δa" + tag + " " + qs(k.faceAngleText) + "°", big},
    };
    for (const auto& a : angles) {
        const QPointF through = atFlipped(m, a.through);
        QPointF vertex = atFlipped(m, a.apex);
        const QPointF line = unit(through - vertex);
        const bool near = std::hypot(a.apex.x, a.apex.y) * scale_ < reach * 0.5;
        p_->setPen(pen(kThin, 0.13, Qt::DashLine));
        if (near) {
            inkLine(vertex, through);
        } else {
            // A short line parallel to the axis at the inner end instead.
            vertex = through;
            inkLine(vertex, vertex - axis * a.radius * 1.1);
            grow(vertex, vertex - axis * a.radius * 1.1);
        }
        const QPointF from = near ? axis : -axis;
        const QPointF to = near ? line : -line;
        // Qt's angles run anticlockwise with y up.
        const qreal start = std::atan2(-from.y(), from.x()) * 180 / std::numbers::pi;
        qreal sweep = std::atan2(-to.y(), to.x()) * 180 / std::numbers::pi - start;
        while (sweep > 180) sweep -= 360;
        while (sweep < -180) sweep += 360;
        const QRectF box(vertex.x() - a.radius, vertex.y() - a.radius, 2 * a.radius, 2 * a.radius);
        p_->setPen(pen(kThin, 0.15));
        p_->setBrush(Qt::NoBrush);
        QPainterPath arc;
        arc.arcMoveTo(box, start);
        arc.arcTo(box, start, sweep);
        inkPath(arc);
        grow(arc.boundingRect());
        arrow(vertex + to * a.radius, vertex + to * a.radius - normal(to) * (sweep > 0 ? 1 : -1) * a.radius * 0.2);
        arrow(vertex + from * a.radius, vertex + from * a.radius + normal(from) * (sweep > 0 ? 1 : -1) * a.radius * 0.2);
        // Crowded labels give way sideways first, away from the other member.
        const QPointF mid = unit(from + to);
        label(vertex + mid * a.radius, mid, a.text, m == Pinion ? QPointF(1, 0) : QPointF(-1, 0));
    }
}

void Drawing::paintDimensions() {
    const SketchMember& pn = s_.pinion;
    const SketchMember& gr = s_.gear;
    const QPointF right(1, 0), up(0, -1), left(-1, 0), down(0, 1);

    // The outer ends: addendum and dedendum along the back cone, labels beside.
    for (Member m : {Pinion, Gear}) {
        const SketchMember& k = member(m);
        const QPointF root = atFlipped(m, k.rootOuter), pitch = atFlipped(m, k.pitchOuter), face = atFlipped(m, k.faceOuter);
        const QPointF out = unit(pitch - at({0, 0}));  // on along the pitch cone
        const qreal level = std::max({dot(root, out), dot(pitch, out), dot(face, out)}) + gap_ * 0.6;
        const auto onLine = [&](QPointF q) { return q + out * (level - dot(q, out)); };
        p_->setPen(pen(kThin, 0.15));
        for (QPointF q : {root, pitch, face}) {
            inkLine(q + out * 0.6 * mm_, onLine(q) + out * 0.25 * th_);
            grow(q, onLine(q) + out * 0.25 * th_);
        }
        inkLine(onLine(root), onLine(face));
        for (const auto& [a, b] : {std::pair{pitch, root}, std::pair{pitch, face}}) {
            arrow(onLine(a), onLine(b));
            arrow(onLine(b), onLine(a));
        }
        const QPointF side = m == Pinion ? right : left;
        const QString tag = m == Pinion ? "1" : "2";
        label((onLine(root) + onLine(pitch)) / 2 + side * 0.4 * th_, side, "hf" + tag + " " + qs(k.dedendumText),
              root - pitch);
        label((onLine(face) + onLine(pitch)) / 2 + side * 0.4 * th_, side, "ha" + tag + " " + qs(k.addendumText),
              face - pitch);
    }

    // The pinion's diameters right of it, the gear's above it.
    const qreal rightMost = extent_.right();
    dimension(atFlipped(Pinion, pn.pitchDiameterPoint), at(pn.pitchDiameterPoint), right, rightMost + gap_ * 0.8,
              "d1 Ø" + qs(pn.pitchDiameterText));
    dimension(atFlipped(Pinion, pn.outsideDiameterPoint), at(pn.outsideDiameterPoint), right,
              rightMost + gap_ * 1.8, "de1 Ø" + qs(pn.outsideDiameterText));
    const qreal top = dot(extent_.topLeft(), up);
    dimension(atFlipped(Gear, gr.pitchDiameterPoint), at(gr.pitchDiameterPoint), up, top + gap_ * 0.9,
              "d2 Ø" + qs(gr.pitchDiameterText));
    dimension(atFlipped(Gear, gr.outsideDiameterPoint), at(gr.outsideDiameterPoint), up, top + gap_ * 1.9,
              "de2 Ø" + qs(gr.outsideDiameterText));

    // The apex to crown distances: the pinion's below it, the gear's left of it.
    const QPointF apex = at({0, 0});
    const qreal bottom = dot(extent_.bottomLeft(), down), leftMost = dot(extent_.topLeft(), left);
    dimension(apex, atFlipped(Pinion, pn.crownDistancePoint), down, bottom + gap_ * 0.8,
              "X1 " + qs(pn.crownDistanceText));
    dimension(apex, atFlipped(Gear, gr.crownDistancePoint), left, leftMost + gap_ * 0.8,
              "X2 " + qs(gr.crownDistanceText));
}

// The outer cone distance along the pinion's pitch cone, the face width
// along the gear's; each clear of the member's tooth.
void Drawing::paintConeDimensions() {
    const SketchMember& pn = s_.pinion;
    const SketchMember& gr = s_.gear;
    const QPointF apex = at({0, 0});
    const QPointF pinionPitch = atFlipped(Pinion, pn.pitchOuter);
    const QPointF pinionOut = unit(atFlipped(Pinion, pn.faceOuter) - pinionPitch);
    dimension(apex, pinionPitch, pinionOut, dot(atFlipped(Pinion, pn.faceOuter), pinionOut) + gap_ * 0.7,
              "Le " + qs(s_.coneDistanceText));
    const QPointF gearPitch = atFlipped(Gear, gr.pitchOuter);
    const QPointF gearOut = unit(atFlipped(Gear, gr.faceOuter) - gearPitch);
    dimension(atFlipped(Gear, gr.pitchInner), gearPitch, gearOut,
              std::max(dot(atFlipped(Gear, gr.faceOuter), gearOut), dot(atFlipped(Gear, gr.faceInner), gearOut)) +
                  gap_ * 0.7,
              "b " + qs(s_.faceWidthText));
}

// Everything but the title block, at the scale and place of the last fit.
void Drawing::paintDrawing() {
    taken_.clear();
    strokes_.clear();
    lineTexts_.clear();
    pendingLabels_.clear();
    extent_ = QRectF();
    p_->setRenderHint(QPainter::Antialiasing);
    p_->setFont(font_);
    paintMember(Pinion);
    paintMember(Gear);
    // The cone distance and the face width first, so that the crowd of angle
    // labels near the apex gives way to them; the other dimensions stand
    // beyond the blanks and the angles as if they were not there yet.
    const QRectF blanks = extent_;
    paintConeDimensions();
    const QRectF cone = extent_;
    extent_ = blanks;
    paintAngles(Pinion);
    paintAngles(Gear);
    // The two axes, through the apex and a little beyond the blanks and the angles.
    const QPointF apex = at({0, 0});
    const qreal run = gap_ * 0.5;
    p_->setPen(pen(kCentre, 0.18, Qt::DashDotLine));
    const QRectF span = extent_.united(model_);
    const QPointF ends[] = {{span.left() - run, apex.y()}, {span.right() + run, apex.y()},
                            {apex.x(), span.top() - run}, {apex.x(), span.bottom() + run}};
    inkLine(ends[0], ends[1]);
    inkLine(ends[2], ends[3]);
    grow(ends[0], ends[1]);
    grow(ends[2], ends[3]);
    paintDimensions();
    grow(cone);
    // Every line is drawn: the texts now, those of the dimensions first, then
    // the labels, the heights' beside their short dimensions before the
    // angles' that have more room to move.
    if (!placeTexts_) return;
    for (const auto& place : lineTexts_) place();
    for (auto place = pendingLabels_.rbegin(); place != pendingLabels_.rend(); ++place) (*place)();
}

void Drawing::paint() {
    QPainter& device = *p_;
    device.save();
    device.setClipRect(area_, Qt::IntersectClip);
    const qreal title = titleBlock(false, 0);
    const QRectF room(area_.left(), area_.top(), area_.width(), area_.height() - title - mm_);
    if (fit(room)) {
        room_ = room;
        device.save();
        device.setClipRect(room, Qt::IntersectClip);
        paintDrawing();
        device.restore();
    }
    titleBlock(true, area_.bottom() - title - 0.2 * mm_);
    device.restore();
}

void paintLine(QPainter& p, const QRectF& area, const QString& line) {
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    const QFont f = sketchFont(kLinePoints);
    p.setFont(f);
    p.setPen(Qt::black);
    const QFontMetricsF fm(f, p.device());
    p.drawText(area, Qt::AlignCenter, fm.elidedText(line, Qt::ElideRight, area.width()));
    p.restore();
}

}  // namespace

void paintBlankSketch(QPainter& p, const QRectF& area, const SketchOutcome& sketch, std::vector<SketchLabel>* labels) {
    if (!p.isActive() || !(area.width() > 0 && area.height() > 0)) return;
    if (!sketch.sketch) {
        paintLine(p, area, qs(sketch.stop));
        return;
    }
    Drawing(p, area, *sketch.sketch, labels).paint();
}

void paintBlankSketch(QPainter& p, const QRectF& area, const Workbook& wb, std::vector<SketchLabel>* labels) {
    // A drawing of results that are not current says so above it, in the
    // words of the sheet window's caption (the page and the window give the
    // items); a sheet never calculated has nothing to draw and says so in
    // the drawing's place.
    const SheetState* a2 = nullptr;
    const ChainState chain = chainState(wb);
    if (const SheetState* s = chain.of(SheetId::A2); s && s->hasResults && !s->current()) a2 = s;
    if (!a2 || !p.isActive()) {
        paintBlankSketch(p, area, blankSketch(wb), labels);
        return;
    }
    const QString warning = "注意：" + qs(sheetTitle(SheetId::A2)) + qs(titleSuffix(*a2));
    const QFont f = sketchFont(kLinePoints, true);
    const QFontMetricsF fm(f, p.device());
    const QRectF line(area.left(), area.top(), area.width(), fm.lineSpacing() * 1.5);
    p.save();
    p.setClipRect(line, Qt::IntersectClip);
    p.setFont(f);
    p.setPen(QColor(0xC0, 0x00, 0x00));
    p.drawText(line, Qt::AlignCenter, fm.elidedText(warning, Qt::ElideRight, area.width()));
    p.restore();
    paintBlankSketch(p, area.adjusted(0, line.height(), 0, 0), blankSketch(wb), labels);
}

}  // namespace lc::report
