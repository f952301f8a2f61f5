// lingchuan-screenshots DIR: starts the program, drives its windows through the
// worked example and saves their pictures into DIR.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "app/main_window.h"
#include "app/program_icon.h"
#include "tools/screenshots.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: lingchuan-screenshots DIR\n");
        return 2;
    }
    // The pictures show the main window at its design size, whatever size the
    // user's own settings keep: settings go to a directory of their own.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName("lingchuan");
    QCoreApplication::setApplicationName("lingchuan-screenshots");
    lc::app::dressApplication(app);
    lc::app::MainWindow w;
    w.show();
    return lc::app::takeScreenshots(w, args[1]);
}
