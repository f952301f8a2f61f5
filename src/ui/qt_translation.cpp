#include "ui/qt_translation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace lc::ui {

QString qtTranslationsDir() {
    // The Windows build carries the catalogue as a resource: no Qt is
    // installed there to load it from.
    const QString builtIn = QStringLiteral(":/translations");
    if (QFileInfo::exists(builtIn + "/qtbase_zh_CN.qm")) return builtIn;
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

QTranslator* installQtTranslation(const QString& dir) {
    auto* app = QCoreApplication::instance();
    if (!app) return nullptr;
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), dir) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

}  // namespace lc::ui
