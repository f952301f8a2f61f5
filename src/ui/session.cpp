#include "ui/session.h"

#include "core/chain_state.h"
#include "core/items.h"
#include "ui/messages.h"
#include "ui/sheet_form.h"

namespace lc::ui {

QString stepName(std::string_view action) {
    // The buttons' captions without their blanks (开  始 is 开始).
    static const std::pair<std::string_view, const char*> names[] = {
        {"A1", "计算单A2"}, {"B1", "计算单B1"}, {"C", "计算单C"}, {"Gljs", "挂轮计算"}, {"A2.Command1", "开始计算"},
        {"A2.Command2", "下一步"}, {"A2.Command3", "重新开始"}, {"A2.Label1", "单击第1项"},
        {"A2.Option1", "螺旋方向"}, {"A2.Option2", "螺旋方向"}, {"B1.Command1", "开始"},
        {"B1.Command3", "下一步"}, {"C.Command1", "开始"}, {"C.Command3", "结束"},
        {"gears.Command1", "开始计算"}, {"gears.Command2", "退出"},
    };
    for (const auto& [name, step] : names)
        if (name == action) return QString::fromUtf8(step);
    const std::size_t dot = action.find('.');
    const std::optional<SheetId> sheet = sheetFromKey(action.substr(0, dot));
    if (sheet && dot != std::string_view::npos) {
        const std::string_view event = action.substr(dot + 1);
        if (event == "close") return "关闭" + QString::fromUtf8(sheetTitle(*sheet));
        if (event.ends_with(".Enter")) return typingStepName(*sheet, event.substr(0, event.size() - 6));
    }
    return QString::fromUtf8("更改");
}

QString typingStepName(SheetId sheet, std::string_view field) {
    const Item* item = itemOfField(sheet, field);
    if (!item) return QString::fromUtf8("输入");
    if (item->number > 0) return QString::fromUtf8("输入第%1项").arg(item->number);
    // A caption without its blanks and colon, and without the request in it:
    // "请输入结果:" is 输入结果.
    QString caption = QString::fromUtf8(item->caption.data(), static_cast<qsizetype>(item->caption.size()));
    caption.remove(' ').remove(':').remove(QString::fromUtf8("："));
    return QString::fromUtf8("输入") + caption.remove(QString::fromUtf8("请输入"));
}

QString checkStepName(SheetId sheet, std::string_view check) {
    for (const CheckBox& box : checkBoxesOf(sheet))
        if (box.name == check && box.keepsTyped)
            return QString::fromUtf8(box.meaning.data(), static_cast<qsizetype>(box.meaning.size()));
    return QString::fromUtf8("勾选");
}

void Session::run(SheetId home, const std::function<Outcome(Workbook&)>& handler, const QString& step) {
    Outcome out;
    const auto change = [&] { out = handler(wb_); };
    if (history_)
        history_->step(step.isEmpty() ? QString::fromUtf8("更改") : step, change);
    else
        change();
    refreshAll();
    if (out.kind != Outcome::Kind::Done) messages_->show(QString::fromStdString(out.message));
    if (out.focus)
        if (SheetForm* f = form(home)) f->focusControl(QString::fromStdString(*out.focus));
}

void Session::type(SheetId id, const std::string& field, const std::string& text) {
    if (history_)
        history_->type(id, field, text);
    else if (Sheet* s = wb_.find(id))
        s->setText(field, text);
    textsEdited();
}

void Session::typingDone() {
    if (history_) history_->typingDone();
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
