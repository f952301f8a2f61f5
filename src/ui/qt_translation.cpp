#include "ui/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lc::ui {

QString qtTranslationsDir() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

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
