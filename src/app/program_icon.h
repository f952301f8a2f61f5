#pragma once

#include <QIcon>

class QApplication;

namespace lc::app {

// The program's icon, a spiral bevel gear pair, at every size from 16 to 256
// pixels (from the program's resources). Set on the application, it shows on
// every window, its task bar entry and the message boxes.
QIcon programIcon();

// The program's look on the application: the forms' font (宋体 and what
// stands in for it where it is missing), the icon, the desktop entry's name.
void dressApplication(QApplication& app);

}  // namespace lc::app
