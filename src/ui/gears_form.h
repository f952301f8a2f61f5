// The change-gear window (Form1): sets of four change gears for a ratio.
#pragma once

#include "ui/sheet_form.h"

class QListWidget;

namespace lc::ui {

class GearsForm : public SheetForm {
    Q_OBJECT
public:
    GearsForm(Session& session, QWidget* parent = nullptr);
    void refresh() override;
    QWidget* firstFocus() const override;

private:
    // The search tells every caption it sets; the window shows each at once.
    void showCaption(const std::string& caption);
    QListWidget* list_ = nullptr;
};

}  // namespace lc::ui
