// Replay mode (lingchuan-replay): a batch document of lingchuan-calc run,
// performed through the program's own windows by mouse clicks and keys, and
// written back as the same result document, read from what the windows show.
#pragma once

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

}  // namespace lc::app
