// The commands beyond the forms: reached through the context menu of every
// sheet window (right mouse button anywhere on it) and through shortcuts that
// work whichever sheet window is active; the menu bar never shows them. A new
// command is one more row in the list in commands.cpp.
#pragma once

#include <optional>
#include <span>

#include "core/workbook.h"

class QAction;

namespace lc::app {

class MainWindow;

struct Command {
    const char* name;     // the object name of its action: "Save"
    const char* caption;  // in the context menu: "保存"
    const char* keys;     // its shortcut in portable form ("Ctrl+Shift+S"), or ""
    int group;            // the context menu puts a line between groups
    // Whether it applies with this sheet window active (none: no sheet window
    // is active); null: always.
    bool (*appliesTo)(std::optional<SheetId> active);
    void (*run)(MainWindow& main);
    // Sets its caption and whether it is enabled for the active sheet (called
    // before the context menu opens); null: as appliesTo says.
    void (*follow)(MainWindow& main, QAction& action, SheetId active) = nullptr;
};

// In context-menu order.
std::span<const Command> commands();

}  // namespace lc::app
