#include "ui/session.h"

#include "ui/messages.h"
#include "ui/sheet_form.h"

namespace lc::ui {

void Session::run(SheetId home, const std::function<Outcome(Workbook&)>& handler) {
    const Outcome out = handler(wb_);
    refreshAll();
    if (out.kind != Outcome::Kind::Done) messages_->show(QString::fromStdString(out.message));
    if (out.focus)
        if (SheetForm* f = form(home)) f->focusControl(QString::fromStdString(*out.focus));
}

void Session::attach(SheetForm* form) { forms_[static_cast<std::size_t>(form->sheetId())] = form; }

void Session::detach(SheetForm* form) {
    auto& slot = forms_[static_cast<std::size_t>(form->sheetId())];
    if (slot == form) slot = nullptr;
}

void Session::refreshAll() {
    for (SheetForm* f : forms_)
        if (f) f->refresh();
    textsEdited();
}

void Session::textsEdited() {
    for (const auto& listener : textsListeners_) listener();
}

}  // namespace lc::ui
