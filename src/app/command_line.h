// The program's command line: `lingchuan [JOB]`, as a file manager starts it
// with a job file (the menu entry's %f), and `lingchuan --guide`, the user
// guide alone (the Start menu's and the desktop menu's 翎川 用户指南).
// --help and --version answer and end the program, as usual, before any
// window exists: they need no display.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace lc::app {

class MainWindow;

// --help (-h, -?, --help-all) and --version (-v) anywhere before "--": the
// help or "lingchuan VERSION" on standard output, and the exit status 0 to end
// with. Anything else is left to the program: no answer.
std::optional<int> answerWithoutWindows(int argc, char** argv, const char* version);

struct CommandLine {
    bool guide = false;  // the guide window alone, no main window
    QString job;         // the job to open, absolute; empty for none
};

// Reads the arguments as QCoreApplication gives them, the program first.
CommandLine readCommandLine(const QStringList& arguments);

// Opens the job named on the command line in the main window, which must be
// shown; a job that cannot be opened is told in the usual message and leaves
// the workbook empty. Without a job, nothing happens.
void openFromCommandLine(MainWindow& main, const CommandLine& line);

}  // namespace lc::app
