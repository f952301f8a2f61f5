#include "ui/sheet_form.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalBlocker>
#include <algorithm>
#include <stdexcept>

#include "core/actions.h"
#include "core/items.h"
#include "ui/session.h"

namespace lc::ui {

const FormFacts& formFacts(SheetId id) {
    static const FormFacts a2{"Form2", "翎川齿轮计算单A2", 10200, 7605};
    static const FormFacts b1{"Form3", "翎川齿轮计算单B1", 8265, 6420};
    static const FormFacts c{"Form4", "翎川齿轮计算单C", 10935, 7335};
    static const FormFacts gears{"Form1", "Form1", 5850, 5145};
    switch (id) {
        case SheetId::A2: return a2;
        case SheetId::B1: return b1;
        case SheetId::C: return c;
        case SheetId::Gears: break;
    }
    return gears;
}

SheetForm::SheetForm(Session& session, SheetId id, QWidget* parent) : QWidget(parent), session_(session), id_(id) {
    const FormFacts& facts = formFacts(id);
    setObjectName(facts.formName);
    setWindowTitle(QString::fromUtf8(facts.caption));
    session_.attach(this);
}

SheetForm::~SheetForm() { session_.detach(this); }

Sheet* SheetForm::sheet() { return session_.workbook().find(id_); }

void SheetForm::refresh() {
    const Sheet* s = sheet();
    if (!s) return;
    for (Field* f : fields_) f->showText(QString::fromStdString(s->text(f->objectName().toStdString())));
    for (QCheckBox* c : checks_) {
        const QSignalBlocker quiet(c);
        c->setChecked(s->check(c->objectName().toStdString()) != 0);
    }
}

void SheetForm::showChain(const SheetState* state) {
    if (id_ == SheetId::Gears) return;
    const std::vector<FieldMark> marks = state ? fieldMarks(*state) : std::vector<FieldMark>();
    for (Field* f : fields_) {
        const std::string name = f->objectName().toStdString();
        const auto it = std::ranges::find(marks, name, &FieldMark::field);
        f->setMistrust(it == marks.end() ? QString() : QString::fromStdString(it->note));
    }
    const QString title = QString::fromUtf8(formFacts(id_).caption) +
                          QString::fromStdString(state ? titleSuffix(*state) : std::string());
    if (windowTitle() != title) setWindowTitle(title);
}

QWidget* SheetForm::control(const QString& name) const { return findChild<QWidget*>(name); }

void SheetForm::focusControl(const QString& name) {
    QWidget* w = control(name);
    if (!w) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
    w->setFocus(Qt::OtherFocusReason);
    // As after Tab, the whole text is selected, so typing replaces it; the
    // cursor stays at the start, so a long text still shows its beginning.
    if (auto* f = qobject_cast<QLineEdit*>(w)) f->setSelection(f->text().size(), -f->text().size());
}

QString itemNote(SheetId sheet, const QString& field) {
    const std::string name = field.toStdString();
    const Item* item = itemOfField(sheet, name);
    if (!item) return {};
    QString note = QString::fromUtf8(item->meaning.data(), static_cast<qsizetype>(item->meaning.size()));
    if (!item->gearField.empty()) note += item->gearField == name ? "（大轮）" : "（小轮）";
    switch (item->unit) {
        case Unit::None: return note + "；无单位";
        case Unit::Millimetre: return note + "；单位：毫米（mm）";
        case Unit::Degree: return note + "；单位：度（°）";
        case Unit::ArcMinute: return note + "；单位：角分（′）";
        case Unit::Inch: return note + "；单位：英寸（in）";
    }
    return note;
}

Field* SheetForm::addField(const QString& name, FieldKind kind, const QRect& twips, const QFont& font, bool takesTyping) {
    Field* f = makeField(this, name, kind, twips, font);
    if (!takesTyping) {
        // A result field only shows what the calculation wrote: no typing, no
        // caret, not on the Tab chain; a click selects in it, so that its text
        // can be copied.
        f->setReadOnly(true);
        f->setFocusPolicy(Qt::ClickFocus);
    }
    // The right mouse button over a field opens the sheet menu, the field's own
    // edit actions at its top.
    f->setContextMenuPolicy(Qt::NoContextMenu);
    f->setNote(itemNote(id_, name));
    // A field's typing is one step of the job's history, from its first key to
    // Enter or the focus leaving it.
    connect(f, &QLineEdit::textEdited, this, [this, f](const QString& text) {
        session_.type(id_, f->objectName().toStdString(), text.toStdString());
    });
    connect(f, &QLineEdit::editingFinished, this, [this] { session_.typingDone(); });
    fields_.push_back(f);
    return f;
}

Field* SheetForm::addLabelledField(const LabelledField& row, QSize fieldTwips, const QFont& fieldFont,
                                   const QFont& labelFont, bool takesTyping) {
    makeLabel(this, row.label, QString::fromUtf8(row.caption), QRect(row.labelLeft, row.labelTop, row.labelWidth, 240),
              labelFont);
    return addField(row.field, row.kind, QRect(QPoint(row.fieldLeft, row.fieldTop), fieldTwips), fieldFont, takesTyping);
}

QCheckBox* SheetForm::addCheck(const QString& name, const QString& caption, const QRect& twips, const QFont& font) {
    QCheckBox* c = makeCheck(this, name, caption, twips, font);
    connect(c, &QCheckBox::toggled, this, [this, c](bool on) {
        const std::string name = c->objectName().toStdString();
        run(
            [this, name, on](Workbook&) {
                if (Sheet* s = sheet()) s->setCheck(name, on ? 1 : 0);
                return Outcome::done();
            },
            checkStepName(id_, name));
    });
    checks_.push_back(c);
    return c;
}

void SheetForm::run(const std::function<Outcome(Workbook&)>& handler, const QString& step) {
    session_.run(id_, handler, step);
}

std::function<void()> SheetForm::action(const char* event) {
    const std::string name = std::string(sheetKey(id_)) + "." + event;
    const ActionDef* a = findAction(name);
    if (!a) throw std::logic_error("no action " + name);
    return [this, a, step = stepName(name)] { run(a->run, step); };
}

void SheetForm::setTabChain(const std::vector<QString>& names) {
    for (std::size_t i = 1; i < names.size(); ++i) QWidget::setTabOrder(control(names[i - 1]), control(names[i]));
}

}  // namespace lc::ui
