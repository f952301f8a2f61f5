// The change-gear calculator: sets of four change gears z1·z2/(z3·z4) close to
// a requested ratio.
#pragma once

#include <functional>
#include <string>

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

// 开始计算 of the change-gear window: fills its list and caption.
// `onCaption` is told every caption the search sets, as it sets it.
Outcome gearsCommand1(Workbook& wb, const std::function<void(const std::string&)>& onCaption = {});
// 退    出: hides the window; list, fields and caption stay.
Outcome gearsCommand2(Workbook& wb);

}  // namespace lc
