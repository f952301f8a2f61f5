// The menu bar from the keyboard. F10 puts the focus in it with its first
// command lit; Left and Right move along it (round at the ends), Enter, Space
// or Down runs the lit command, Esc or a click elsewhere leaves it and gives
// the focus back. Alt alone does the same where the platform's style has it.
// Each of the five commands also has a shortcut of its own; the captions stay
// as they are.
#pragma once

class QMenuBar;

namespace lc::app {

// The shortcuts go to the bar's actions by their object names (A1, B1, C,
// Gljs, Tc): Ctrl+1 to Ctrl+4 for the sheets in menu order, Ctrl+Q to end.
void addMenuBarKeys(QMenuBar* bar);

}  // namespace lc::app
