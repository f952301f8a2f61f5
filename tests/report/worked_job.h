// The worked example through every sheet, as the user does it: sheet A2 typed
// and calculated, sheet B1 with cosβe 0.9, sheet C with its four angles, the
// change gears for the ratio 0.5. Actions by the batch tool's names.
#pragma once

#include <string>
#include <vector>

#include "../common/a2_worked_example.h"
#include "core/actions.h"
#include "core/workbook.h"

namespace example {

inline std::vector<std::string> workedActions() {
    std::vector<std::string> a{"A1"};
    for (const auto& [field, text] : a2Inputs()) a.push_back("A2." + field + "=" + text);
    a.push_back(std::string("A2.Text17=") + kA2CutterRadius);
    for (const char* s : {"A2.Command1", "A2.Command2", "B1.Text16=0.9", "B1.Command1", "B1.Command3", "C.Text52=25",
                          "C.Text53=20", "C.Text54=28", "C.Text55=22", "C.Command1", "Gljs", "gears.Text1=0.5",
                          "gears.Command1"})
        a.push_back(s);
    return a;
}

// The same actions on a workbook in this process ("A2.Text1=10" types).
inline void perform(lc::Workbook& wb, const std::vector<std::string>& actions) {
    for (const std::string& name : actions) {
        const auto eq = name.find('=');
        if (eq == std::string::npos) {
            lc::findAction(name)->run(wb);
            continue;
        }
        const auto dot = name.find('.');
        wb.sheet(*lc::sheetFromKey(name.substr(0, dot))).setText(name.substr(dot + 1, eq - dot - 1), name.substr(eq + 1));
    }
}

}  // namespace example
