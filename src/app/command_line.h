// The program's command line: `lingchuan [JOB]`, as a file manager starts it
// with a job file (the menu entry's %f), and `lingchuan --guide`, the user
// guide alone (the Start menu's and the desktop menu's 翎川 用户指南).
// --help and --version answer and end the program, as usual.
#pragma once

#include <QString>
#include <QStringList>

namespace lc::app {

struct CommandLine {
    bool guide = false;  // the guide window alone, no main window
    QString job;         // the job to open, absolute; empty for none
};

// Reads the arguments as QCoreApplication gives them, the program first.
CommandLine readCommandLine(const QStringList& arguments);

}  // namespace lc::app
