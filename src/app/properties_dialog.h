// 属性…: the job's properties (图号 of pinion and gear, 名称, 材料, 设计, 审核,
// 日期, 备注) in a dialog of their own. 日期 is today's date while the job has
// none; every text is held to a field's limit.
#pragma once

#include <QDialog>
#include <array>

#include "core/workbook.h"

class QLineEdit;
class QPlainTextEdit;

namespace lc::app {

class JobDocument;

class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    PropertiesDialog(const Properties& current, QWidget* parent = nullptr);
    // The texts as they stand in the dialog.
    Properties properties() const;
    // The one-line fields (every property but the remarks) and the remarks.
    QLineEdit* field(Property p) const { return fields_[static_cast<std::size_t>(p)]; }
    QPlainTextEdit* remarks() const { return remarks_; }

private:
    std::array<QLineEdit*, kAllProperties.size()> fields_{};
    QPlainTextEdit* remarks_ = nullptr;
};

// The dialog on the document's properties; a change is one step named 属性.
// True when the properties changed.
bool editProperties(JobDocument& doc, QWidget* parent);

}  // namespace lc::app
