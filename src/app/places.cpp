#include "app/places.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace lc::app {

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool keepSettingsBesideProgram() {
    const QDir program(QCoreApplication::applicationDirPath());
    if (!QFileInfo(program.filePath("portable.ini")).isFile()) return false;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, program.path());
    return true;
}

}  // namespace lc::app
