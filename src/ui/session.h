// The seam between the windows and the core: a form hands each user action to
// run(), which calls the core handler on the one workbook, brings every open
// form up to date with the workbook, shows the handler's message and moves the
// focus where the handler says.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "core/calc.h"
#include "core/workbook.h"

namespace lc::ui {

class MessageService;
class SheetForm;

class Session {
public:
    Session(Workbook& wb, MessageService& messages) : wb_(wb), messages_(&messages) {}

    Workbook& workbook() { return wb_; }
    MessageService& messages() { return *messages_; }
    void setMessages(MessageService& messages) { messages_ = &messages; }

    // Runs a handler raised on the form of sheet `home`.
    void run(SheetId home, const std::function<Outcome(Workbook&)>& handler);
    // Every form that exists registers itself, so that a handler's effects on
    // any sheet reach the screen.
    void attach(SheetForm* form);
    void detach(SheetForm* form);
    SheetForm* form(SheetId id) const { return forms_[static_cast<std::size_t>(id)]; }
    void refreshAll();
    // Told whenever the texts may have changed: after every refresh and every
    // edit the user makes in a form (the sketch window redraws then). Each
    // form shows the chain's state first (its marks and caption suffix), so
    // they follow every edit, calculation, import, open, close and undo that
    // ends in a refresh.
    void addTextsListener(std::function<void()> listener) { textsListeners_.push_back(std::move(listener)); }
    void textsEdited();

private:
    Workbook& wb_;
    MessageService* messages_;
    std::array<SheetForm*, 4> forms_{};
    std::vector<std::function<void()>> textsListeners_;
};

}  // namespace lc::ui
