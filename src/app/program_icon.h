#pragma once

#include <QIcon>

namespace lc::app {

// The program's icon, a spiral bevel gear pair, at every size from 16 to 256
// pixels (from the program's resources). Set on the application, it shows on
// every window, its task bar entry and the message boxes.
QIcon programIcon();

}  // namespace lc::app
