#include "tools/replay.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <array>
#include <memory>
#include <optional>

#include "app/main_window.h"
#include "cli/batch.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace lc::app {
namespace {

// Answers every message with OK at once and keeps its text.
class MessageRecorder : public ui::MessageService {
public:
    void show(const QString& text) override { texts << text; }
    QStringList texts;
};

// Answers every save dialog at once with the one file given.
class FileAnswer : public ui::FileDialogService {
public:
    explicit FileAnswer(QString path) : FileDialogService(nullptr), path_(std::move(path)) {}

protected:
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&, QWidget*) override {
        return path_;
    }

private:
    QString path_;
};

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

[[noreturn]] void fail(const QString& what) { throw ReplayError(what.toStdString()); }

// Turns the event loop once, as the program does between two user actions,
// so that closed windows are gone.
void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The fault a message describes, read from its text: the sheet, the item and
// the kind it names. Null for the program's own messages.
std::optional<FaultRecord> faultNamed(const std::string& text) {
    for (SheetId id : kAllSheets) {
        const Sheet blank(id);
        for (const std::string& field : blank.fieldNames()) {
            const std::string head = std::string(sheetTitle(id)) + " " + itemLabel(id, field);
            if (!text.starts_with(head)) continue;
            // A text the message quotes stands between the first opening and
            // the last closing quotation mark after the item.
            std::string quoted;
            const auto open = text.find("“", head.size());
            const auto close = text.rfind("”");
            if (open != std::string::npos && close != std::string::npos && close > open)
                quoted = text.substr(open + std::string("“").size(), close - open - std::string("“").size());
            const FaultRecord candidates[] = {
                {FaultKind::Conversion, id, field, quoted, false}, {FaultKind::Conversion, id, field, "", true},
                {FaultKind::Overflow, id, field, quoted, false},   {FaultKind::Overflow, id, field, "", false},
                {FaultKind::DivisionByZero, id, field, "", false}, {FaultKind::Invalid, id, field, "", false},
            };
            for (const FaultRecord& r : candidates)
                if (faultMessage(r) == text) return r;
        }
    }
    return std::nullopt;
}

// A text a user can type: printable characters only, within the field's length.
bool typeable(const QString& text, const QLineEdit* field) {
    if (text.size() > field->maxLength()) return false;
    for (char32_t c : text.toUcs4())
        if (!QChar::isPrint(c)) return false;
    return true;
}

class Replayer {
public:
    Replayer() {
        main_.setMessageService(messages_);
        main_.show();
        if (!QTest::qWaitForWindowExposed(&main_)) fail("the main window is not shown");
        // Without a window manager nothing activates the window for us.
        main_.activateWindow();
        if (!QTest::qWaitForWindowActive(&main_)) fail("the main window does not become active");
        // Each window gives the focus back to the control that had it last
        // when it comes forward again.
        QObject::connect(qApp, &QApplication::focusChanged, &main_, [this](QWidget*, QWidget* now) {
            for (QWidget* w = now; w; w = w->parentWidget())
                if (auto* form = qobject_cast<ui::SheetForm*>(w)) lastFocus_[static_cast<std::size_t>(form->sheetId())] = now;
        });
    }
    ~Replayer() {
        main_.hide();
        settle();
    }

    // The document's starting state: its flags, and its sheets with their
    // windows, without their creation steps.
    void load(const Workbook& start) {
        Workbook& wb = main_.workbook();
        wb.flags = start.flags;
        wb.properties = start.properties;
        for (SheetId id : kAllSheets) {
            if (const Sheet* given = start.find(id)) {
                Sheet& s = wb.insert(id);
                s = *given;
                s.visible = true;
            }
        }
        main_.session().refreshAll();
        settle();
    }

    // Performs one action as the user does it and returns its log entry, read
    // from the windows.
    cli::Json perform(const cli::Action& a) {
        messages_.texts.clear();
        viaCore_ = false;
        const ActionDef* def = a.def;
        const SheetId home = def ? def->sheet : a.typing->sheet;
        QWidget* baseline = nullptr;
        if (def && def->reach == ActionReach::Menu) {
            baseline = menuCommand(def->name, home);
        } else if (def && def->reach == ActionReach::Close) {
            baseline = closeWindow(a, home);
        } else {
            // A control of a window that does not exist: the batch tool's way
            // creates the sheet first, with its creation steps; the gesture then
            // acts on the new window, and the entry is marked.
            if (!main_.windowOf(home)) {
                main_.session().run(home, [home](Workbook& wb) {
                    wb.sheet(home);
                    return Outcome::done();
                });
                settle();
                viaCore_ = true;
            }
            baseline = def ? controlEvent(a, home) : typing(a, home);
        }
        settle();
        return logEntry(a.name, home, baseline);
    }

    // Every window that exists and what its widgets show; the flags and the
    // properties, which no widget shows, from the workbook.
    Workbook readBack() {
        settle();
        Workbook shown;
        shown.flags = main_.workbook().flags;
        shown.properties = main_.workbook().properties;
        for (QMdiSubWindow* w : main_.mdiArea()->subWindowList()) {
            auto* form = qobject_cast<ui::SheetForm*>(w->widget());
            if (!form) continue;
            const SheetId id = form->sheetId();
            if (shown.exists(id)) fail(QString("two windows of sheet %1").arg(sheetKey(id)));
            Sheet& s = shown.insert(id);
            s.visible = !w->isHidden();
            for (const std::string& name : s.fieldNames()) s.setText(name, child<QLineEdit>(form, name)->text().toStdString());
            for (const std::string& name : s.checkNames()) s.setCheck(name, child<QCheckBox>(form, name)->isChecked() ? 1 : 0);
            if (id == SheetId::A2) {
                auto* option1 = child<QRadioButton>(form, "Option1");
                auto* option2 = child<QRadioButton>(form, "Option2");
                // The captions as the buttons show them: "&&" is one "&".
                s.option1Caption = option1->text().replace("&&", "&").toStdString();
                s.option2Caption = option2->text().replace("&&", "&").toStdString();
                if (option1->isChecked() == option2->isChecked()) fail("the hand buttons are both or neither selected");
                s.selectedOption = option2->isChecked() ? 2 : 1;
            }
            if (id == SheetId::Gears) {
                auto* list = child<QListWidget>(form, "List1");
                for (int i = 0; i < list->count(); ++i) s.list.push_back(list->item(i)->text().toStdString());
                // As the title shows it: "[*][*]" is one "[*]".
                s.caption = w->windowTitle().replace("[*][*]", "[*]").toStdString();
            }
        }
        return shown;
    }

private:
    template <typename W>
    static W* child(QWidget* form, std::string_view name) {
        auto* w = form->findChild<W*>(qs(name));
        if (!w) fail(QString("no control %1 on %2").arg(qs(name), form->objectName()));
        return w;
    }

    // The window of a sheet that the user can act on: it exists and is shown.
    QMdiSubWindow* shownWindow(SheetId id) const {
        QMdiSubWindow* w = main_.windowOf(id);
        return w && w->isVisible() ? w : nullptr;
    }

    // What the batch tool does, for an action the windows offer no gesture for.
    QWidget* throughCore(const cli::Action& a, SheetId home) {
        viaCore_ = true;
        QWidget* before = QApplication::focusWidget();
        main_.session().run(home, a.run);
        return before;
    }

    // Chooses the command on the menu bar with the mouse. The handler has
    // moved the focus when it lands elsewhere than where showing the window
    // puts it.
    QWidget* menuCommand(std::string_view name, SheetId home) {
        auto* action = main_.findChild<QAction*>(qs(name));
        if (!action) fail(QString("no menu command %1").arg(qs(name)));
        const ui::SheetForm* before = main_.formOf(home);
        QWidget* remembered = lastFocus_[static_cast<std::size_t>(home)];
        QMenuBar* bar = main_.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
        if (!before || !before->isAncestorOf(remembered))
            if (const ui::SheetForm* made = main_.formOf(home)) remembered = made->firstFocus();
        return remembered;
    }

    // Brings the window to the front, as a click on it would.
    void bringForward(QMdiSubWindow* w) {
        if (main_.mdiArea()->activeSubWindow() != w) main_.mdiArea()->setActiveSubWindow(w);
    }

    // A click in the middle of a control the user can see there.
    void click(QWidget* w) {
        const QPoint centre = w->rect().center();
        QWidget* form = w->parentWidget();
        QWidget* hit = form->childAt(w->mapTo(form, centre));
        if (hit != w && !w->isAncestorOf(hit))
            fail(QString("%1 is covered by %2").arg(w->objectName(), hit ? hit->objectName() : QString("nothing")));
        QTest::mouseClick(w, Qt::LeftButton, {}, centre);
    }

    // The field takes the focus by a click, or, where another control covers
    // it, by the Tab key's way.
    void focusField(QLineEdit* field) {
        QWidget* form = field->parentWidget();
        QWidget* hit = form->childAt(field->mapTo(form, field->rect().center()));
        if (hit == field)
            QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
        else
            field->setFocus(Qt::TabFocusReason);
        if (QApplication::focusWidget() != field) fail(QString("%1 does not take the focus").arg(field->objectName()));
    }

    QWidget* controlEvent(const cli::Action& a, SheetId home) {
        QMdiSubWindow* w = shownWindow(home);
        if (!w) return throughCore(a, home);
        auto* form = qobject_cast<ui::SheetForm*>(w->widget());
        // "A2.Command1" -> "Command1"; "A2.Text1.Enter" -> "Text1" and Enter.
        std::string event(a.def->name.substr(a.def->name.find('.') + 1));
        const bool enter = event.ends_with(".Enter");
        if (enter) event.erase(event.size() - std::string_view(".Enter").size());
        bringForward(w);
        if (enter) {
            auto* field = child<QLineEdit>(form, event);
            if (!field->isEnabled() || field->isReadOnly()) return throughCore(a, home);
            focusField(field);
            QTest::keyClick(field, Qt::Key_Return);
            return field;
        }
        QWidget* control = child<QWidget>(form, event);
        if (!control->isEnabled()) return throughCore(a, home);
        QWidget* before = QApplication::focusWidget();
        click(control);
        // A button takes the focus with the click; a caption does not.
        return control->focusPolicy() & Qt::ClickFocus ? control : before;
    }

    QWidget* typing(const cli::Action& a, SheetId home) {
        const cli::Typing& t = *a.typing;
        QMdiSubWindow* w = shownWindow(home);
        if (!w) return throughCore(a, home);
        auto* form = w->widget();
        if (t.check) {
            auto* box = child<QCheckBox>(form, t.control);
            if (!box->isEnabled()) return throughCore(a, home);
            bringForward(w);
            const bool want = t.value == "1";
            for (int i = 0; i < 2 && box->isChecked() != want; ++i) click(box);
            if (box->isChecked() != want) fail(QString("%1 does not show the tick asked for").arg(qs(t.control)));
            return QApplication::focusWidget();
        }
        auto* field = child<QLineEdit>(form, t.control);
        const QString text = qs(t.value);
        // A result field takes no typing, and keys cannot make every text.
        if (!field->isEnabled() || field->isReadOnly() || !typeable(text, field)) return throughCore(a, home);
        bringForward(w);
        focusField(field);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) QTest::keyClick(field, Qt::Key_Backspace);
        for (char32_t c : text.toUcs4())
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString::fromUcs4(&c, 1), Qt::NoModifier);
        if (field->text() != text)
            fail(QString("%1 shows \"%2\" after typing \"%3\"").arg(field->objectName(), field->text(), text));
        return QApplication::focusWidget();
    }

    // The close control in the window's title bar, clicked with the mouse.
    QWidget* closeWindow(const cli::Action& a, SheetId home) {
        QMdiSubWindow* w = shownWindow(home);
        if (!w) return throughCore(a, home);
        QWidget* before = QApplication::focusWidget();
        QStyleOptionTitleBar opt;
        opt.initFrom(w);
        opt.subControls = QStyle::SC_All;
        opt.titleBarFlags = w->windowFlags();
        opt.titleBarState = w->windowState();
        opt.text = w->windowTitle();
        // The title bar as the window lays it out: inside a 4-pixel border
        // unless the style draws none.
        const int border = w->style()->styleHint(QStyle::SH_TitleBar_NoBorder, &opt, w) ? 0 : 4;
        const int height = w->style()->pixelMetric(QStyle::PM_TitleBarHeight, &opt, w);
        opt.rect = QRect(border, border, w->width() - 2 * border, height);
        const QPoint button =
            w->style()->subControlRect(QStyle::CC_TitleBar, &opt, QStyle::SC_TitleBarCloseButton, w).center();
        // The pointer comes over the control before it presses it.
        QMouseEvent move(QEvent::MouseMove, button, w->mapToGlobal(button), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        QTest::mouseClick(w, Qt::LeftButton, {}, button);
        settle();
        if (main_.windowOf(home)) fail(QString("the close control of %1 leaves it open").arg(sheetKey(home)));
        return before;
    }

    // The outcome as the windows show it: the message, whether it names a
    // fault, and the control of the action's own window that has the focus
    // when the handler moved it away from where the gesture left it. (A
    // handler that puts the focus back on the very control the gesture left
    // it on looks like one that does not move it; none does so today.)
    cli::Json logEntry(const std::string& name, SheetId home, QWidget* baseline) {
        if (messages_.texts.size() > 1)
            fail(QString("%1 gave %2 messages").arg(qs(name)).arg(messages_.texts.size()));
        Outcome seen;
        if (!messages_.texts.isEmpty()) {
            seen.message = messages_.texts.first().toStdString();
            seen.fault = faultNamed(seen.message);
            seen.kind = seen.fault ? Outcome::Kind::Fault : Outcome::Kind::Message;
        }
        QWidget* focus = QApplication::focusWidget();
        const ui::SheetForm* form = main_.formOf(home);
        if (focus && focus != baseline && form && form->isAncestorOf(focus)) seen.focus = focus->objectName().toStdString();
        cli::Json entry = cli::logEntry(name, seen);
        if (viaCore_) entry["via"] = "core";
        return entry;
    }

    MessageRecorder messages_;
    MainWindow main_;
    std::array<QPointer<QWidget>, 4> lastFocus_;
    bool viaCore_ = false;
};

}  // namespace

std::string replayDocument(std::string_view input) {
    cli::Batch batch = cli::readBatch(input);
    cli::Json log = cli::Json::array();
    auto replayer = std::make_unique<Replayer>();
    replayer->load(batch.workbook);
    for (const cli::Action& a : batch.actions) log.push_back(replayer->perform(a));
    const Workbook shown = replayer->readBack();
    return cli::writeBatchResult(shown, std::move(log));
}

QStringList replayWrite(const QString& command, const QString& job, const QString& out) {
    MessageRecorder messages;
    FileAnswer files(out);
    MainWindow main;
    main.setMessageService(messages);
    main.setFileDialogs(files);
    main.show();
    auto* action = main.findChild<QAction*>(command);
    if (!action) fail("no command " + command);
    if (!main.document().openFrom(job)) fail(messages.texts.join('\n'));
    auto* field = main.formOf(SheetId::A2) ? main.formOf(SheetId::A2)->findChild<QLineEdit*>("Text1") : nullptr;
    if (!field) fail(job + " has no sheet A2");
    field->setFocus();
    QTest::keyClicks(field, "7");
    action->trigger();
    if (main.isWindowModified()) messages.texts << QString::fromUtf8("仍未保存");
    return messages.texts;
}

}  // namespace lc::app
