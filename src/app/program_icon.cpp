#include "app/program_icon.h"

#include <QDir>
#include <QFileInfo>

namespace lc::app {

QIcon programIcon() {
    QIcon icon;
    // Each picture's size is read from the picture itself.
    for (const QFileInfo& file : QDir(QStringLiteral(":/icons")).entryInfoList(QDir::Files))
        icon.addFile(file.filePath());
    return icon;
}

}  // namespace lc::app
