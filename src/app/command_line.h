// The program's command line: `lingchuan [JOB]`, as a file manager starts it
// with a job file (the menu entry's %f). --help and --version answer and end
// the program, as usual, before any window exists: they need no display.
#pragma once

#include <QStringList>
#include <optional>

namespace lc::app {

class MainWindow;

// --help (-h, -?, --help-all) and --version (-v) anywhere before "--": the
// help or "lingchuan VERSION" on standard output, and the exit status 0 to end
// with. Anything else is left to the program: no answer.
std::optional<int> answerWithoutWindows(int argc, char** argv, const char* version);

// Opens the job named on the command line (arguments as QCoreApplication
// gives them, the program first) in the main window, which must be shown; a
// job that cannot be opened is told in the usual message and leaves the
// workbook empty. Without a job, nothing happens.
void openFromCommandLine(MainWindow& main, const QStringList& arguments);

}  // namespace lc::app
