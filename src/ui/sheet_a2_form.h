// Sheet A2 (Form2): the blank and tooth geometry of the pair, items 1 to 42.
#pragma once

#include "ui/sheet_form.h"

class QRadioButton;

namespace lc::ui {

class SheetA2Form : public SheetForm {
    Q_OBJECT
public:
    SheetA2Form(Session& session, QWidget* parent = nullptr);
    void refresh() override;
    QWidget* firstFocus() const override;

private:
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
};

}  // namespace lc::ui
