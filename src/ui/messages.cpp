#include "ui/messages.h"

#include <QAbstractButton>
#include <QIcon>
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

// Some styles put a glyph on the standard buttons; the forms' boxes never had
// one.
void plainButtons(QMessageBox& box) {
    for (QAbstractButton* b : box.buttons()) b->setIcon(QIcon());
}

}  // namespace

void MessageBoxService::show(const QString& text) {
    QMessageBox box(owner_);
    prepare(box, text);
    box.setStandardButtons(QMessageBox::Ok);
    plainButtons(box);
    box.exec();
}

bool MessageBoxService::ask(const QString& text) {
    QMessageBox box(owner_);
    prepare(box, text);
    // Alt+Y and Alt+N answer as well.
    QPushButton* yes = box.addButton(QString::fromUtf8("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromUtf8("否(&N)"), QMessageBox::NoRole);
    // Enter alone gives nothing up.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    plainButtons(box);
    box.exec();
    return box.clickedButton() == yes;
}

SaveAnswer MessageBoxService::askToSave(const QString& text) {
    // The standard buttons, so that their roles and keys are the toolkit's
    // own; Enter saves, Escape cancels.
    QMessageBox box(owner_);
    prepare(box, text);
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    // The toolkit's Chinese calls Discard 丢弃; the question is whether to save.
    // Alt+N answers it, as "Don't Save" answers elsewhere.
    box.button(QMessageBox::Discard)->setText(QString::fromUtf8("不保存(&N)"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    plainButtons(box);
    switch (box.exec()) {
        case QMessageBox::Save: return SaveAnswer::Save;
        case QMessageBox::Discard: return SaveAnswer::Discard;
        default: return SaveAnswer::Cancel;
    }
}

qsizetype MessageBoxService::choose(const QString& text, const QStringList& buttons) {
    QMessageBox box(owner_);
    prepare(box, text);
    QList<QPushButton*> pressed;
    for (const QString& caption : buttons)
        pressed << box.addButton(caption, pressed.size() + 1 == buttons.size() ? QMessageBox::RejectRole
                                                                               : QMessageBox::AcceptRole);
    if (!pressed.isEmpty()) {
        box.setDefaultButton(pressed.back());
        box.setEscapeButton(pressed.back());
    }
    plainButtons(box);
    box.exec();
    const qsizetype at = pressed.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return at < 0 ? buttons.size() - 1 : at;
}

}  // namespace lc::ui
