#include "ui/messages.h"

#include <QMessageBox>
#include <QPushButton>

#include "ui/formkit.h"

namespace lc::ui {

namespace {

void prepare(QMessageBox& box, const QString& text) {
    box.setObjectName("MessageBox");
    box.setWindowTitle(QString::fromUtf8(kProgramTitle));
    box.setIcon(QMessageBox::NoIcon);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
}

}  // namespace

void MessageBoxService::show(const QString& text) {
    QMessageBox box(owner_);
    prepare(box, text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool MessageBoxService::ask(const QString& text) {
    QMessageBox box(owner_);
    prepare(box, text);
    QPushButton* yes = box.addButton(QString::fromUtf8("是"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromUtf8("否"), QMessageBox::NoRole);
    // Enter alone gives nothing up.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace lc::ui
