#include "ui/session.h"

#include "core/chain_state.h"
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
    // Every form shows the chain's state as the workbook now holds it.
    const ChainState chain = chainState(wb_);
    for (SheetForm* f : forms_)
        if (f) f->showChain(chain.of(f->sheetId()));
    for (const auto& listener : textsListeners_) listener();
}

}  // namespace lc::ui
