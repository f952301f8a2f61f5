// Sheet A2 holding the worked example's typed and calculated texts, for the
// tests that only read a calculated sheet.
#pragma once

#include "a2_worked_example.h"
#include "core/workbook.h"

namespace example {

inline lc::Sheet a2WorkedSheet() {
    lc::Sheet s(lc::SheetId::A2);
    for (const auto& [field, text] : a2Calculated()) s.setText(field, text);
    return s;
}

}  // namespace example
