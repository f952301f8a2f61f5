// Qt's own Chinese translation, so that the standard dialogs (the message
// box's button, file and print dialogs) speak the program's language.
#pragma once

#include <QString>

class QTranslator;

namespace lc::ui {

// Where Qt's translations are: built in where the build carries them,
// otherwise where Qt keeps them on this machine.
QString qtTranslationsDir();

// Loads qtbase_zh_CN from `dir` and installs it in the application. Returns the
// installed translator (owned by the application), or null when the file is
// missing or unreadable; the program then runs on with Qt's English texts.
QTranslator* installQtTranslation(const QString& dir = qtTranslationsDir());

}  // namespace lc::ui
