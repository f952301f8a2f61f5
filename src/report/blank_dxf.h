// The blank drawing as a DXF file (AutoCAD 2000), for a CAD program: the axial
// sections of pinion and gear at 1:1 in millimetres, the common apex at the
// origin, the pinion's axis along X and the gear's along Y, as the blank
// sketch draws them (core/blank_sketch gives the points). Layers: 轮廓 the
// tooth outlines (back and front cones, face and root cones) of both halves
// of each member; 中心线 the axes and pitch cones, dash-dotted; 尺寸 the
// dimensions as the sketch gives them (Le, b, ha, hf, d, de, X, the cone
// angles), each text the sheet's own; 文字 the title block (the job's
// properties and the pair's data). Texts are set in the style 宋体 (SimSun),
// non-ASCII characters in the format's \U+XXXX notation. Written with dxflib.
#pragma once

#include <string>

#include "core/workbook.h"

namespace lc::report {

struct DxfOutcome {
    std::string bytes;  // the whole file; empty when there is no drawing
    std::string stop;   // then the sketch's own line saying why
};

// The drawing of the workbook's sheet A2, made in memory: the file is written
// whole through report/file_write.
DxfOutcome blankDxf(const Workbook& wb);

}  // namespace lc::report
