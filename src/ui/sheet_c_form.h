// Sheet C (Form4): the input block of 18 fields and the 40 items below it.
#pragma once

#include "ui/sheet_form.h"

namespace lc::ui {

class SheetCForm : public SheetForm {
    Q_OBJECT
public:
    SheetCForm(Session& session, QWidget* parent = nullptr);
    QWidget* firstFocus() const override;
};

}  // namespace lc::ui
