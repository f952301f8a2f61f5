// The change-gear calculator: sets of four change gears z1·z2/(z3·z4) close to
// a requested ratio.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

// The loops run every tooth count from 24 to 115; only the gears in stock,
// 24, 29 to 100, 105, 111 and 115, are ever listed.
inline constexpr int kGearLoopFirst = 24;
inline constexpr int kGearLoopLast = 115;
bool isStockGear(int teeth);

// The hit table holds this many combinations; the search stops collecting
// when it is full (the list then shows the distinct ratios among these).
inline constexpr std::size_t kGearHitCapacity = 10001;

// What one search produces, apart from the caption "计算中，请稍后！ 92" that the
// window shows before the inputs are read.
struct GearSearchResult {
    // One line per distinct ratio, the first combination found for it, in the
    // order z1, z2, z3, z4 of the loops: "24X30/36X40=0.5".
    std::vector<std::string> lines;
    // Every caption set while the loops run, in order: "计算中，请稍后！ 91" once
    // per z1, each followed by the same text with "  ^v^" once a hit was found.
    std::vector<std::string> progress;
    // The captions set after the list is filled.
    std::vector<std::string> closing;
    // Combinations collected, at most kGearHitCapacity.
    std::size_t hits = 0;
};

// All combinations with |z1·z2/(z3·z4) − target| ≤ tolerance, the ratio and the
// difference computed in Double, all four gears in stock. Gives exactly what
// dividing every one of the 92⁴ combinations would give, without doing so.
// `target` and `tolerance` are finite, as read from their texts.
GearSearchResult searchChangeGears(double target, double tolerance);

// 开始计算 of the change-gear window: fills its list and caption.
// `onCaption` is told every caption the search sets, as it sets it.
Outcome gearsCommand1(Workbook& wb, const std::function<void(const std::string&)>& onCaption = {});
// 退    出: hides the window; list, fields and caption stay.
Outcome gearsCommand2(Workbook& wb);

}  // namespace lc
