// Screenshot mode (lingchuan-screenshots DIR): the program drives itself
// through the worked example exactly as a user would, by keys and clicks on
// its own windows, and saves a picture of each window into DIR.
#pragma once

#include <QString>

namespace lc::app {

class MainWindow;

// Runs the whole road on a shown main window at its design size and writes
// main-window.png, main-window-a2.png, sheet-a2.png, sheet-b1.png, sheet-c.png
// and change-gears.png. Returns 0, or 1 after telling on standard error which
// step went wrong (a message box, a missing control, a file not written).
int takeScreenshots(MainWindow& main, const QString& dir);

}  // namespace lc::app
