// lingchuan-screenshots DIR: starts the program, drives its windows through the
// worked example and saves their pictures into DIR.
#include <QApplication>
#include <cstdio>

#include "app/main_window.h"
#include "app/program_icon.h"
#include "app/screenshots.h"
#include "ui/formkit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: lingchuan-screenshots DIR\n");
        return 2;
    }
    lc::ui::installFontSubstitutions();
    app.setFont(lc::ui::formFont("宋体", 9));
    app.setWindowIcon(lc::app::programIcon());
    app.setDesktopFileName(QStringLiteral("lingchuan"));
    lc::app::MainWindow w;
    w.show();
    return lc::app::takeScreenshots(w, args[1]);
}
