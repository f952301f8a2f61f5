// What the four windows share: the sheet they show, their fields and check
// boxes kept in step with the workbook both ways, and focus by control name.
#pragma once

#include <QCheckBox>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/calc.h"
#include "core/chain_state.h"
#include "core/workbook.h"
#include "ui/formkit.h"

namespace lc::ui {

class Session;

// The fixed facts of each window: form name, caption at creation, outer size.
struct FormFacts {
    const char* formName;  // "Form2"
    const char* caption;   // "翎川齿轮计算单A2"
    int widthTwips;
    int heightTwips;
};
const FormFacts& formFacts(SheetId id);

// A field and the caption label left of it, places in twips; the label is 240
// twips high.
struct LabelledField {
    const char* field;
    const char* label;
    const char* caption;
    FieldKind kind;
    int fieldLeft, fieldTop;
    int labelLeft, labelTop, labelWidth;
};

// The tooltip's second line for a field: what its item is (which row, for a
// paired item) and its unit, from the one table of items; empty for a field
// that belongs to no item.
QString itemNote(SheetId sheet, const QString& field);

class SheetForm : public QWidget {
    Q_OBJECT
public:
    SheetForm(Session& session, SheetId id, QWidget* parent = nullptr);
    ~SheetForm() override;

    SheetId sheetId() const { return id_; }
    // Brings every control up to date with the sheet's texts, check boxes and
    // captions.
    virtual void refresh();
    // Shows the chain's state of this sheet: each field the state mistrusts
    // framed, its reason in the tooltip, and the caption's suffix while the
    // sheet holds results that are not current (none on the change-gear
    // window, whose caption is its result).
    void showChain(const SheetState* state);
    // Gives the focus to the control of that name (and its window to the front).
    void focusControl(const QString& name);
    // The control that has the focus when the window is created.
    virtual QWidget* firstFocus() const = 0;

protected:
    Sheet* sheet();
    // Fields and check boxes write every change the user makes into the sheet
    // at once, so the workbook always holds what the window shows. A field
    // that takes no typing is a result field: read-only, reached by a click.
    Field* addField(const QString& name, FieldKind kind, const QRect& twips, const QFont& font,
                    bool takesTyping = true);
    Field* addLabelledField(const LabelledField& row, QSize fieldTwips, const QFont& fieldFont,
                            const QFont& labelFont, bool takesTyping = true);
    QCheckBox* addCheck(const QString& name, const QString& caption, const QRect& twips, const QFont& font);
    // Runs a handler of this sheet through the session, as the step `step`.
    void run(const std::function<Outcome(Workbook&)>& handler, const QString& step = {});
    // The slot of a control event of this sheet ("Command1", "Text1.Enter"):
    // runs the core handler the action table gives for it.
    std::function<void()> action(const char* event);
    // Chains the focus order through the named controls.
    void setTabChain(const std::vector<QString>& names);
    QWidget* control(const QString& name) const;

    Session& session_;

private:
    SheetId id_;
    std::vector<Field*> fields_;
    std::vector<QCheckBox*> checks_;
};

}  // namespace lc::ui
