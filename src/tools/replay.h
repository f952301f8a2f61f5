// Replay mode (lingchuan-replay): a batch document of lingchuan-calc run,
// performed through the program's own windows by mouse clicks and keys, and
// written back as the same result document, read from what the windows show.
#pragma once

#include <QStringList>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lc::app {

// A window that does not behave as the user expects: a control missing or
// covered, a click that changes nothing, two messages for one action.
struct ReplayError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Replays one document in a fresh main window (a QApplication must exist) and
// returns the result document as lingchuan-calc run writes it, every text read
// back from the widgets. A log entry of an action done without a user's gesture
// (the window or the control is not there to act on) carries "via": "core".
// Throws cli::InputError for a document the batch tool refuses, ReplayError.
std::string replayDocument(std::string_view input);

// The program's own saving and exports as the user makes them, for the tests
// on a full disk: the job file `job` opened in a fresh main window, a digit
// typed into sheet A2's first field, then the command named `command` (Save,
// ExportPdf, ExportTable, …), its file dialog answered with `out`. Returns the
// program's messages, then "仍未保存" while the window still marks the job
// unsaved; nothing when all went well. Throws ReplayError for a job that does
// not open or has no sheet A2.
QStringList replayWrite(const QString& command, const QString& job, const QString& out);

}  // namespace lc::app
