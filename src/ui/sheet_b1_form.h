// Sheet B1 (Form3): cutter and machine settings, items 1 to 9 and 48 to 58.
#pragma once

#include "ui/sheet_form.h"

namespace lc::ui {

class SheetB1Form : public SheetForm {
    Q_OBJECT
public:
    SheetB1Form(Session& session, QWidget* parent = nullptr);
    QWidget* firstFocus() const override;
};

}  // namespace lc::ui
