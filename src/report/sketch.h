// The blank sketch of sheet A2 on any paint device: the axial section of the
// pinion and the gear in mesh at a 90° shaft angle, dimensioned with the
// sheet's own texts, and a title block. The sketch window and the printed A2
// page both paint it here.
#pragma once

#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <vector>

#include "core/blank_sketch.h"
#include "core/workbook.h"

class QPainter;

namespace lc::report {

// A label as painted: its text and the outline of its box on the device
// (turned with its dimension line).
struct SketchLabel {
    QString text;
    QPolygonF outline;
};

// Fills `area` (device units of the painter) with the drawing, one scale on
// both axes; when there is no drawing, with the line that says why. Text
// sizes follow the device's resolution, so paper and screen read alike, and
// do not shrink with the drawing: a label that would cover another, a line,
// an arc or an arrow head, or leave the area, moves, else it is left out.
// `labels`, when given, receives the labels painted.
void paintBlankSketch(QPainter& p, const QRectF& area, const SketchOutcome& sketch,
                      std::vector<SketchLabel>* labels = nullptr);
// The sketch of the workbook's sheet A2 (the printed page's sketch painter).
void paintBlankSketch(QPainter& p, const QRectF& area, const Workbook& wb, std::vector<SketchLabel>* labels = nullptr);

}  // namespace lc::report
