// 翎川: calculation sheets for spiral bevel gear pairs.
//
// `lingchuan --screenshots DIR` drives the windows through the worked example
// and saves their pictures into DIR instead of waiting for the user.
#include <QApplication>
#include <QStringList>
#include <cstdio>

#include "app/main_window.h"
#include "app/screenshots.h"
#include "ui/formkit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    lc::ui::installFontSubstitutions();
    app.setFont(lc::ui::formFont("宋体", 9));
    lc::app::MainWindow w;
    w.show();

    const QStringList args = QApplication::arguments();
    const qsizetype shots = args.indexOf("--screenshots");
    if (shots >= 0) {
        if (shots + 1 >= args.size()) {
            std::fprintf(stderr, "usage: lingchuan [--screenshots DIR]\n");
            return 2;
        }
        return lc::app::takeScreenshots(w, args[shots + 1]);
    }
    return app.exec();
}
