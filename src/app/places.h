// Where the program keeps its settings and where its file dialogs start.
#pragma once

#include <QString>

namespace lc::app {

// The folder the file dialogs start in before one has been used: the user's
// Documents (文档) where it exists, else the home folder.
QString documentsFolder();

// A portable copy: with a file portable.ini beside the program, the settings
// are kept in an INI file beside it (lingchuan/lingchuan.ini) and nothing goes
// to the registry; without it they stay where the system keeps them (the
// registry on Windows, ~/.config on Linux). Called once the application
// exists and before any setting is read. True for a portable copy.
bool keepSettingsBesideProgram();

}  // namespace lc::app
