#include "app/sketch_window.h"

#include <QPainter>

#include "core/blank_sketch.h"
#include "report/sketch.h"

namespace lc::app {

SketchWindow::SketchWindow(const Workbook& wb, QWidget* parent) : QWidget(parent, Qt::Window), wb_(wb) {
    setObjectName("SketchWindow");
    setWindowTitle(QString::fromUtf8("翎川 齿坯示意图"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);
    resize(960, 680);
}

QString SketchWindow::stopLine() const { return QString::fromStdString(blankSketch(wb_).stop); }

void SketchWindow::paintEvent(QPaintEvent*) {
    // The sheet's texts are read afresh at every painting, so the window can
    // never show a drawing the sheet no longer holds.
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const qreal margin = logicalDpiX() / 8.0;
    report::paintBlankSketch(p, QRectF(rect()).adjusted(margin, margin, -margin, -margin), wb_);
}

}  // namespace lc::app
