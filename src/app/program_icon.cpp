#include "app/program_icon.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "ui/formkit.h"

namespace lc::app {

QIcon programIcon() {
    QIcon icon;
    // Each picture's size is read from the picture itself.
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    return icon;
}

void dressApplication(QApplication& app) {
    ui::installFontSubstitutions();
    app.setFont(ui::formFont("宋体", 9));
    app.setWindowIcon(programIcon());
    app.setDesktopFileName(QStringLiteral("lingchuan"));
}

}  // namespace lc::app
