#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace lc::ui {

QString FileDialogService::saveFile(const QString& title, const QString& suggested, const QString& filter,
                                    const QString& suffix, QWidget* over) {
    QString path = chooseSaveFile(title, suggested, filter, suffix, over ? over : owner_);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += "." + suffix;
    return path;
}

QString FileDialogService::chooseSaveFile(const QString& title, const QString& suggested, const QString& filter,
                                          const QString& suffix, QWidget* over) {
    QFileDialog dialog(over, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

QString FileDialogService::openFile(const QString& title, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(owner_, title, folder, filter);
}

}  // namespace lc::ui
