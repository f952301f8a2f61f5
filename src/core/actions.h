// Every user action that reaches the core, by the name the batch tool uses:
// the menu commands, the control events of each window and the windows' close
// controls. One table for the batch tool, the fuzzer and the stress test.
#pragma once

#include <span>
#include <string_view>

#include "core/calc.h"
#include "core/workbook.h"

namespace lc {

enum class ActionReach {
    Menu,     // a main-window command; it creates what it needs
    Control,  // a control of the sheet's window, which must exist
    Close,    // the window's close control
};

struct ActionDef {
    std::string_view name;  // "A1", "A2.Command1", "A2.Text1.Enter", "C.close" ...
    ActionReach reach;
    SheetId sheet;          // the sheet whose window or menu command it is
    Outcome (*run)(Workbook&);
};

std::span<const ActionDef> allActions();
const ActionDef* findAction(std::string_view name);

}  // namespace lc
