#include "app/properties_dialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/job_document.h"
#include "core/jobfile.h"
#include "ui/messages.h"

namespace lc::app {

PropertiesDialog::PropertiesDialog(const Properties& current, QWidget* parent) : QDialog(parent) {
    setObjectName("PropertiesDialog");
    setWindowTitle("属性");
    auto* form = new QFormLayout(this);
    const int limit = static_cast<int>(kJobFileLimits.textLength);
    for (Property p : kAllProperties) {
        QWidget* editor = nullptr;
        const QString text = QString::fromStdString(current[p]);
        if (p == Property::Remarks) {
            remarks_ = new QPlainTextEdit(text, this);
            remarks_->setTabChangesFocus(true);
            remarks_->setFixedHeight(remarks_->fontMetrics().lineSpacing() * 5 + 12);
            editor = remarks_;
        } else {
            auto* field = new QLineEdit(text, this);
            field->setMaxLength(limit);
            field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QString(28, QChar(0x6C49))));
            if (p == Property::Date && text.isEmpty()) field->setText(QDate::currentDate().toString(Qt::ISODate));
            fields_[static_cast<std::size_t>(p)] = field;
            editor = field;
        }
        editor->setObjectName(QString::fromLatin1(propertyKey(p)));
        form->addRow(QString::fromUtf8(propertyLabel(p)) + "：", editor);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

Properties PropertiesDialog::properties() const {
    Properties out;
    for (Property p : kAllProperties)
        out[p] = (p == Property::Remarks ? remarks_->toPlainText() : field(p)->text()).toStdString();
    return out;
}

bool editProperties(JobDocument& doc, QWidget* parent) {
    PropertiesDialog dialog(doc.workbook().properties, parent);
    while (dialog.exec() == QDialog::Accepted) {
        // A line field keeps to a field's limit by itself; remarks beyond it
        // are told, and the dialog stays open with what was typed.
        const qsizetype length = dialog.remarks()->toPlainText().size();
        if (length > static_cast<qsizetype>(kJobFileLimits.textLength)) {
            doc.messages().show(QString("备注长达%1个字符，超过计算文件中一栏文字的上限（%2个字符）。")
                                    .arg(length)
                                    .arg(kJobFileLimits.textLength));
            continue;
        }
        const Properties chosen = dialog.properties();
        if (chosen == doc.workbook().properties) return false;
        doc.step("属性", [&] { doc.workbook().properties = chosen; });
        return true;
    }
    return false;
}

}  // namespace lc::app
