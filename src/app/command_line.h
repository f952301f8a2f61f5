// The program's command line: `lingchuan [JOB]`, as a file manager starts it
// with a job file (the menu entry's %f). --help and --version answer and end
// the program, as usual.
#pragma once

#include <QStringList>

namespace lc::app {

class MainWindow;

// Opens the job named on the command line (arguments as QCoreApplication
// gives them, the program first) in the main window, which must be shown; a
// job that cannot be opened is told in the usual message and leaves the
// workbook empty. Without a job, nothing happens.
void openFromCommandLine(MainWindow& main, const QStringList& arguments);

}  // namespace lc::app
