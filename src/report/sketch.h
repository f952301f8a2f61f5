// The blank sketch of sheet A2 on any paint device: the axial section of the
// pinion and the gear in mesh at a 90° shaft angle, dimensioned with the
// sheet's own texts, and a title block. The sketch window and the printed A2
// page both paint it here.
#pragma once

#include <QRectF>

#include "core/blank_sketch.h"
#include "core/workbook.h"

class QPainter;

namespace lc::report {

// Fills `area` (device units of the painter) with the drawing, one scale on
// both axes; when there is no drawing, with the line that says why. Text
// sizes follow the device's resolution, so paper and screen read alike.
void paintBlankSketch(QPainter& p, const QRectF& area, const SketchOutcome& sketch);
// The sketch of the workbook's sheet A2 (the printed page's sketch painter).
void paintBlankSketch(QPainter& p, const QRectF& area, const Workbook& wb);

}  // namespace lc::report
