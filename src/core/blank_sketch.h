// The blank sketch of sheet A2: where the lines of the axial section of the
// pinion and the gear in mesh lie, worked out from the sheet's texts, or the
// one line that says which item keeps them from being drawn. Plain C++; the
// painter (src/report/sketch) only draws what this hands it.
#pragma once

#include <optional>
#include <string>

#include "core/workbook.h"

namespace lc {

// Millimetres. The common apex is the origin, x runs along the pinion's axis
// (towards its back), y along the gear's axis (towards its back); the two
// pitch cones touch along a line in the quadrant x > 0, y > 0, and each
// member is given by its half in that quadrant (its other half is the mirror
// image about its own axis).
struct SketchPoint {
    double x = 0.0;
    double y = 0.0;
};

// One member. Each text is the sheet's own, whole; each number is that text
// read as Double.
struct SketchMember {
    std::string addendumText, dedendumText, pitchDiameterText, pitchAngleText, faceAngleText, rootAngleText,
        outsideDiameterText, crownDistanceText;  // items 33, 34, 35, 36, 38, 39, 40, 41
    double addendum = 0, dedendum = 0, pitchDiameter = 0, pitchAngle = 0, faceAngle = 0, rootAngle = 0,
           outsideDiameter = 0, crownDistance = 0;  // angles in degrees, from the member's own axis

    // The pitch cone line meets the back cone (at Le) and the front cone (at
    // Le - b) here; the face cone and the root cone run between the two as well.
    SketchPoint pitchOuter, pitchInner;
    SketchPoint faceOuter, faceInner;  // the outer end is the addendum above the pitch cone
    SketchPoint rootOuter, rootInner;  // the dedendum below it
    // Where the face cone line and the root cone line, drawn on, cross the
    // member's axis (the apices of those cones).
    SketchPoint faceApex, rootApex;
    // On the back cone line: the points at the radius d/2 and de/2, and the
    // point at the axial distance X from the apex; the dimension lines of
    // items 35, 40 and 41 start there, so each stands where its number says.
    SketchPoint pitchDiameterPoint, outsideDiameterPoint, crownDistancePoint;
};

struct BlankSketch {
    std::string coneDistanceText, faceWidthText;  // items 13 and 15
    double coneDistance = 0, faceWidth = 0;
    SketchMember pinion, gear;
    // The title block, texts as the sheet holds them: Z1, Z2, m, β, x, the
    // cutter radius, and the hands of pinion and gear from item 20.
    std::string teeth1, teeth2, module, spiralAngle, shift, cutterRadius, pinionHand, gearHand;
    // The job's properties the title block names (the workbook's sketch only).
    std::string name, pinionDrawing, gearDrawing;
};

struct SketchOutcome {
    std::optional<BlankSketch> sketch;
    // When there is no sketch: one line, in Chinese, naming the item that stops it.
    std::string stop;
};

// Reads the texts of sheet A2 (any other sheet has nothing to draw).
SketchOutcome blankSketch(const Sheet& a2);
// Sheet A2 of the workbook; no sheet A2 gives its line too.
SketchOutcome blankSketch(const Workbook& wb);

}  // namespace lc
