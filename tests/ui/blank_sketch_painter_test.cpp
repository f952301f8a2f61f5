// The blank sketch painter: the worked example draws both blanks inside its
// area, its labels apart from each other at any size; random texts of sheet
// A2 never crash it, and a sheet without a drawing gets its line and no blank.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
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
}

// Small, the labels that find no room are left out; large, and on the A4
// page's room below the table at 300 dpi, every dimension has its label.
TEST(BlankSketchPainter, LabelsNeverOverlapAndStayInsideTheArea) {
    const SketchOutcome out = blankSketch(example::a2WorkedSheet());
    const QStringList all{"δf1 ", "δ1 ", "δa1 ", "δf2 ", "δ2 ", "δa2 ", "hf1 ", "ha1 ", "hf2 ",
                          "ha2 ", "d1 ",  "de1 ", "d2 ",  "de2 ", "Le ",  "b ",   "X1 ",  "X2 "};
    const struct { QSize size; int dpi; bool everyLabel; } cases[] = {{{300, 200}, 96, false}, {{400, 300}, 96, false}, {{2400, 1600}, 96, true}, {{2126, 1299}, 300, true}};
    for (const auto& c : cases) {
        QImage image(c.size, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(c.dpi / 0.0254));
        image.setDotsPerMeterY(qRound(c.dpi / 0.0254));
        std::vector<report::SketchLabel> labels;
        QPainter p(&image);
        report::paintBlankSketch(p, QRectF(QPointF(0, 0), c.size), out, &labels);
        EXPECT_GE(labels.size(), 6u) << c.size.width();
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(QRectF(image.rect()).contains(labels[i].outline.boundingRect())) << labels[i].text.toStdString();
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(labels[i].outline.intersects(labels[j].outline))
                    << c.size.width() << ": " << labels[i].text.toStdString() << " over " << labels[j].text.toStdString();
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
