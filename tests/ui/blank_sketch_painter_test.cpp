// The blank sketch painter: the worked example draws both blanks inside its
// area, its labels clear of each other and of every line at any size, its
// title block on one line a cell; random texts of sheet A2 never crash it,
// and a sheet without a drawing gets its line and no blank.
#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <memory>
#include <random>

#include "core/blank_sketch.h"
#include "core/numtext.h"
#include "report/sketch.h"
#include "../common/a2_worked_sheet.h"

using namespace lc;

namespace {

struct Counts {
    int pinion = 0, gear = 0, outside = 0, inked = 0;
};

// Paints onto white and counts the pixels of each fill (alone or over the
// other) and the pixels touched outside the area.
Counts paint(const SketchOutcome& out, QSize size, const QRectF& area) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        report::paintBlankSketch(p, area, out);
    }
    Counts c;
    const QRect inside = area.toAlignedRect();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor px = image.pixelColor(x, y);
            if (px == Qt::white) continue;
            ++c.inked;
            if (!inside.contains(x, y)) ++c.outside;
            // The light blue of the pinion and the light orange of the gear.
            if (px.blue() > px.red() + 30 && px.blue() > 200) ++c.pinion;
            if (px.red() > px.blue() + 30 && px.red() > 200 && px.green() > 150) ++c.gear;
        }
    return c;
}

// A paint device that keeps, in its own coordinates, the segments of every
// line, arc and outline painted on it and of every opaque fill (the arrow
// heads); pale grounds and texts it passes over. (Lines and rectangles come
// as polygons and paths.)
class Recorder : public QPaintDevice, public QPaintEngine {
public:
    Recorder(QSizeF size, int dpi) : QPaintEngine(AllFeatures), size_(size.toSize()), dpi_(dpi) {}
    std::vector<QLineF> lines;

    QPaintEngine* paintEngine() const override { return const_cast<Recorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawPath(const QPainterPath& path) override {  // an arc stroked alone is open
        for (const QPolygonF& poly : path.toSubpathPolygons(state->transform())) keep(poly, state->brush() != Qt::NoBrush);
    }
    void drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) override {
        keep(state->transform().map(QPolygonF(QList<QPointF>(points, points + n))), mode != PolylineMode);
    }

protected:
    int metric(PaintDeviceMetric m) const override {
        if (m == PdmWidth || m == PdmHeight) return m == PdmWidth ? size_.width() : size_.height();
        if (m == PdmDpiX || m == PdmDpiY || m == PdmPhysicalDpiX || m == PdmPhysicalDpiY) return dpi_;
        return m == PdmDepth ? 32 : m == PdmDevicePixelRatio ? 1 : QPaintDevice::metric(m);
    }

private:
    void keep(const QPolygonF& poly, bool closed) {
        const QColor fill = state->brush().style() == Qt::NoBrush ? QColor(Qt::transparent) : state->brush().color();
        if (state->pen().style() == Qt::NoPen && !(closed && fill.alpha() == 255 && fill != Qt::white)) return;
        for (qsizetype i = 0; i + 1 < poly.size() + (closed ? 1 : 0); ++i) lines.emplace_back(poly[i], poly[(i + 1) % poly.size()]);
    }
    QSize size_;
    int dpi_;
};

}  // namespace

TEST(BlankSketchPainter, WorkedExampleFillsItsAreaWithBothBlanks) {
    const SketchOutcome out = blankSketch(example::a2WorkedSheet());
    ASSERT_TRUE(out.sketch);
    for (const QSize size : {QSize(1000, 700), QSize(640, 900), QSize(1600, 500)}) {
        const QRectF area(20, 30, size.width() - 40, size.height() - 60);
        const Counts c = paint(out, size, area);
        EXPECT_GT(c.pinion, 200) << size.width();
        EXPECT_GT(c.gear, 200) << size.width();
        EXPECT_EQ(c.outside, 0) << size.width();
    }
    // A Z1 text stays on the one line of its cell in the title block, line
    // breaks drawn as blanks, a long text cut.
    std::array<Sheet, 2> z1{example::a2WorkedSheet(), example::a2WorkedSheet()};
    z1[0].setText("Text1", "10\n2\r3\n4\n5" + std::string(3000, 'W'));
    z1[1].setText("Text1", "10 2 3 4 5" + std::string(3000, 'W'));
    EXPECT_EQ(paint(blankSketch(z1[0]), QSize(1000, 700), QRectF(20, 30, 960, 640)).inked,
              paint(blankSketch(z1[1]), QSize(1000, 700), QRectF(20, 30, 960, 640)).inked);
}

// Small, the labels that find no room are left out; at the sketch window's
// design size, large, and in the A4 page's room below the table every
// dimension has its label. A label's text is crossed by no line, arc, outline
// or arrow head painted, covers no other label and stays inside the area.
TEST(BlankSketchPainter, LabelsStayClearOfEveryLineAndOfEachOther) {
    const SketchOutcome out = blankSketch(example::a2WorkedSheet());
    const QStringList all{"δf1 ", "δ1 ", "δa1 ", "δf2 ", "δ2 ", "δa2 ", "hf1 ", "ha1 ", "hf2 ",
                          "ha2 ", "d1 ",  "de1 ", "d2 ",  "de2 ", "Le ",  "b ",   "X1 ",  "X2 "};
    // The last: the room below the table on the A4 page, as printed (1200 dots per inch).
    const struct { QSizeF size; int dpi; bool everyLabel; } cases[] = {{{300, 200}, 96, false}, {{400, 300}, 96, false},
        {{936, 656}, 96, true}, {{2400, 1600}, 96, true}, {{8483, 3846}, 1200, true}};
    for (const auto& c : cases) {
        Recorder r(c.size, c.dpi);
        std::vector<report::SketchLabel> labels;
        report::paintBlankSketch(*std::make_unique<QPainter>(&r), QRectF(QPointF(0, 0), c.size), out, &labels);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            // A hair inside the label's ground, where its own leader ends.
            const QPolygonF& box = labels[i].outline;
            const QPointF mid = box.boundingRect().center();
            const QPolygonF inside = QTransform::fromTranslate(mid.x(), mid.y()).scale(0.97, 0.97).translate(-mid.x(), -mid.y()).map(box);
            const bool crossed = std::any_of(r.lines.begin(), r.lines.end(), [&](const QLineF& l) { return inside.intersects(QPolygonF{l.p1(), l.p2()}); });
            EXPECT_TRUE(!crossed && QRectF(QPointF(0, 0), c.size).contains(inside.boundingRect())) << c.size.width() << ": " << labels[i].text.toStdString();
            for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(box.intersects(labels[j].outline)) << labels[i].text.toStdString();
        }
        for (const QString& name : all) {
            const auto n = std::count_if(labels.begin(), labels.end(), [&](const auto& l) { return l.text.startsWith(name); });
            EXPECT_EQ(n, c.everyLabel ? 1 : std::min<decltype(n)>(n, 1)) << c.size.width() << ": " << name.toStdString();
        }
    }
}

TEST(BlankSketchPainter, RandomSheetTextsNeverCrashIt) {
    std::mt19937 rng(20261207);
    const std::vector<std::string> fields{"Text13",    "Text15",    "Text33(0)", "Text33(1)", "Text34(0)", "Text34(1)",
                                          "Text35(0)", "Text35(1)", "Text36(0)", "Text36(1)", "Text38(0)", "Text38(1)",
                                          "Text39(0)", "Text39(1)", "Text40(0)", "Text40(1)", "Text41(0)", "Text41(1)",
                                          "Text1",     "Text3",     "Text17"};
    const std::vector<std::string> odd{"", " ", "abc", "0", "-1", "1E+39", "1E+308", "1E-300", "89.9999999999999",
                                       "1E-07", "1E+300", "90", "45", "1.2.3", std::string(3000, '7'),
                                       "0." + std::string(2000, '0') + "1", std::string(400, 'x') + "齿"};
    std::uniform_real_distribution<double> exponent(-12, 12), degrees(-5, 95);
    int drawn = 0, stopped = 0;
    for (int i = 0; i < 600; ++i) {
        Sheet s = example::a2WorkedSheet();
        for (const std::string& f : fields) {
            const int roll = static_cast<int>(rng() % 8);
            if (roll == 0) s.setText(f, odd[rng() % odd.size()]);
            if (roll == 1) s.setText(f, writeDouble(std::pow(10.0, exponent(rng))));
            if (roll == 2) s.setText(f, writeDouble(degrees(rng)));
        }
        const SketchOutcome out = blankSketch(s);
        ASSERT_NE(out.sketch.has_value(), !out.stop.empty()) << i;
        const int w = 1 + static_cast<int>(rng() % 500), h = 1 + static_cast<int>(rng() % 400);
        const Counts c = paint(out, QSize(w, h), QRectF(0, 0, w, h));
        EXPECT_EQ(c.outside, 0);
        if (out.sketch) {
            ++drawn;
        } else {
            ++stopped;
            // The line only: no blank.
            EXPECT_EQ(c.pinion + c.gear, 0) << out.stop;
        }
    }
    // Both kinds came up often enough to mean something.
    EXPECT_GT(drawn, 30);
    EXPECT_GT(stopped, 30);
}
