// Whether a sheet's results belong to the inputs it now holds. Nothing in the
// workbook or its file records it: the sheet's own calculation is run again on
// a copy and its results compared, so the answer is the same for a job file
// opened later and for the report tool.
#pragma once

#include <string>

#include "core/workbook.h"

namespace lc {

// True when the sheet exists and its start button, pressed now, would end
// without a message and leave every text (and the change gears' list and
// caption) as they stand; false for a sheet edited since its calculation, one
// never calculated, and one whose calculation stops with a message.
bool resultsCurrent(const Workbook& wb, SheetId id);

// "计算单A2：注意：输入已改动，结果未按当前输入重新计算" for an existing sheet
// whose results are not current, else "".
std::string staleWarning(const Workbook& wb, SheetId id);

}  // namespace lc
