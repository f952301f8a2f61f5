#include "ui/messages.h"

#include <QMessageBox>

#include "ui/formkit.h"

namespace lc::ui {

void MessageBoxService::show(const QString& text) {
    QMessageBox box(owner_);
    box.setObjectName("MessageBox");
    box.setWindowTitle(QString::fromUtf8(kProgramTitle));
    box.setIcon(QMessageBox::NoIcon);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace lc::ui
