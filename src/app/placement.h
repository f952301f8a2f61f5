// Where the windows open, so that each can be reached: the main window on the
// screen, large enough for the sheets the first time; each sheet window at
// its centred place, moved just enough that its title bar lies inside the
// main window's work area; a job's sheets cascaded so that every title bar
// shows.
#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

namespace lc::app {

// The main window's work area at its design size, 9795 x 6510 twips, in pixels.
QSize designWorkArea();

// The main window at the size and place it was left in, brought back onto the
// screen where that no longer fits it (another screen, a smaller one). With
// nothing remembered (the first start), its work area is the design size
// grown to hold the largest sheet window whole with room to spare, as far as
// the screen has room, and the window stands in the middle of the screen.
void placeMainWindow(QMainWindow& main, const QByteArray& remembered);

// Moves a sheet window, placed where its creation steps put it, just enough
// that it lies inside the work area: whole where it fits, else its title bar
// (its left end, where the window is wider than the area). With
// `titleBarOnly`, the title bar alone is brought inside.
void moveInside(QMdiSubWindow& w, bool titleBarOnly = false);

// The work area's sheet windows after the area changed its size: each title
// bar brought back inside.
void keepTitleBarsInside(QMdiArea& area);

// The shown sheet windows of the area, from back to front, each moved down
// just enough that it covers no title bar of the windows behind it.
void cascade(QMdiArea& area);

}  // namespace lc::app
