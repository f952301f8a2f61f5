#include "ui/messages.h"

#include <QAbstractButton>
#include <QIcon>
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
    // Some styles put a glyph on the standard buttons; the forms' boxes never
    // had one.
    for (QAbstractButton* b : box.buttons()) b->setIcon(QIcon());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace lc::ui
