// 翎川: calculation sheets for spiral bevel gear pairs.
#include <QApplication>

#include "app/main_window.h"
#include "ui/formkit.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Where the settings (the last folder of a job file) are kept.
    app.setOrganizationName("lingchuan");
    app.setApplicationName("lingchuan");
    lc::ui::installFontSubstitutions();
    app.setFont(lc::ui::formFont("宋体", 9));
    lc::app::MainWindow w;
    w.show();
    return app.exec();
}
