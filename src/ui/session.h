// The seam between the windows and the core: a form hands each user action to
// run(), which calls the core handler on the one workbook as one step of the
// job's history, brings every open form up to date with the workbook, shows
// the handler's message and moves the focus where the handler says. Typing
// reaches the workbook through type().
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc.h"
#include "core/workbook.h"

namespace lc::ui {

class MessageService;
class SheetForm;

// Where the workbook's changes go: the job's history makes each one a step
// that 撤销 can take back. Without one, changes are simply made.
class History {
public:
    virtual ~History() = default;
    // Makes `change` one step named `name` (what 撤销 names). A step named as
    // the typing under way joins it (Enter in the field typed into).
    virtual void step(const QString& name, const std::function<void()>& change) = 0;
    // A field's text as the user typed it; one field's typing is one step,
    // until typingDone() or a step of another name.
    virtual void type(SheetId sheet, const std::string& field, const std::string& text) = 0;
    virtual void typingDone() = 0;
};

// The name of an action's step, as 撤销 shows it: "A2.Command3" is 重新开始,
// "A2.Text1.Enter" is the typing of that field. Unknown actions are 更改.
QString stepName(std::string_view action);
// The step of typing into a field ("输入第3项", "输入Фe1"), of ticking a box.
QString typingStepName(SheetId sheet, std::string_view field);
QString checkStepName(SheetId sheet, std::string_view check);

class Session {
public:
    Session(Workbook& wb, MessageService& messages) : wb_(wb), messages_(&messages) {}

    Workbook& workbook() { return wb_; }
    MessageService& messages() { return *messages_; }
    void setMessages(MessageService& messages) { messages_ = &messages; }

    void setHistory(History* history) { history_ = history; }

    // Runs a handler raised on the form of sheet `home`, as the step `step`
    // (stepName() gives the name of each action; "" names it 更改).
    void run(SheetId home, const std::function<Outcome(Workbook&)>& handler, const QString& step = {});
    // The user's typing: the field's whole new text, and the end of a field's
    // typing (it loses the focus, or Enter).
    void type(SheetId id, const std::string& field, const std::string& text);
    void typingDone();
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
    History* history_ = nullptr;
    std::array<SheetForm*, 4> forms_{};
    std::vector<std::function<void()>> textsListeners_;
};

}  // namespace lc::ui
