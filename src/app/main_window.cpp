#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <functional>
#include <tuple>

#include "app/about.h"
#include "app/commands.h"
#include "app/guide_window.h"
#include "app/menu_keys.h"
#include "app/placement.h"
#include "app/properties_dialog.h"
#include "app/sketch_window.h"
#include "core/actions.h"
#include "core/chain_state.h"
#include "report/file_write.h"
#include "ui/formkit.h"
#include "ui/gears_form.h"
#include "ui/plain_text.h"
#include "ui/sheet_a2_form.h"
#include "ui/sheet_b1_form.h"
#include "ui/sheet_c_form.h"

namespace lc::app {
namespace {

// A child window whose close control discards its sheet.
class SheetWindow : public QMdiSubWindow {
public:
    explicit SheetWindow(std::function<void()> onClosed) : onClosed_(std::move(onClosed)) {}

protected:
    void closeEvent(QCloseEvent* e) override {
        QMdiSubWindow::closeEvent(e);
        if (e->isAccepted() && onClosed_) onClosed_();
    }

private:
    std::function<void()> onClosed_;
};

// Where the main window's size, place and maximised state are kept.
const char* const kGeometryKey = "mainWindow/geometry";

}  // namespace

MainWindow::MainWindow()
    : boxes_(this), dialogs_(this), doc_(boxes_, dialogs_), session_(doc_.workbook(), boxes_), output_(doc_, this) {
    setObjectName("MDIForm1");
    setWindowTitle(QString::fromUtf8(ui::kProgramTitle));
    area_ = new QMdiArea(this);
    area_->setObjectName("MDIClient");
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    // The right mouse button on the empty area behind the sheets: the file
    // commands, reachable with no sheet open.
    area_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { popUpBackgroundMenu(area_->viewport()->mapToGlobal(pos)); });

    static const std::pair<const char*, const char*> menuCommands[] = {
        {"A1", "计算单A2"}, {"B1", "计算单B1"}, {"C", "计算单C"}, {"Gljs", "挂轮计算"}};
    for (const auto& [name, caption] : menuCommands) {
        const ActionDef* command = findAction(name);
        QAction* a = menuBar()->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this,
                [this, command] { session_.run(command->sheet, command->run, ui::stepName(command->name)); });
    }
    QAction* quit = menuBar()->addAction(QString::fromUtf8("退出系统"));
    quit->setObjectName("Tc");
    connect(quit, &QAction::triggered, this, &QWidget::close);
    addMenuBarKeys(menuBar());

    // The commands beyond the forms: shortcuts of this window and entries of
    // the sheet windows' context menus, never in the menu bar.
    for (const Command& c : commands()) {
        auto* a = new QAction(QString::fromUtf8(c.caption), this);
        a->setObjectName(c.name);
        if (*c.keys) a->setShortcut(QKeySequence(QString::fromLatin1(c.keys), QKeySequence::PortableText));
        const Command* command = &c;
        connect(a, &QAction::triggered, this, [this, command] {
            if (!command->appliesTo || command->appliesTo(activeSheet())) command->run(*this);
        });
        addAction(a);
        commandActions_.push_back(a);
    }
    // 撤销 and 重做 of the workbook's steps, named after the step.
    undo_ = new QAction(this);
    undo_->setObjectName("Undo");
    undo_->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Z));
    connect(undo_, &QAction::triggered, &doc_, &JobDocument::undo);
    redo_ = new QAction(this);
    redo_->setObjectName("Redo");
    redo_->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                         QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
    connect(redo_, &QAction::triggered, &doc_, &JobDocument::redo);
    addActions({undo_, redo_});
    connect(area_, &QMdiArea::subWindowActivated, this, [this] { updateCommands(); });
    // A field would keep some of a command's keys for itself (on X11 Ctrl+E
    // moves to the end of its line): the commands come first.
    qApp->installEventFilter(this);

    // Large enough for the sheets on the first run; afterwards the size, place
    // and maximised state the user left it in, on the screen.
    placeMainWindow(*this, QSettings().value(kGeometryKey).toByteArray());

    // Every change goes through the job's history; the sketch window follows
    // sheet A2's texts, the title the document's state.
    session_.setHistory(&doc_);
    session_.addTextsListener([this] {
        if (sketch_) sketch_->update();
        doc_.noteChanges();
    });
    doc_.workbook().setListener([this](SheetId id, SheetEvent e) { onSheetEvent(id, e); });
    connect(&doc_, &JobDocument::stateChanged, this, &MainWindow::updateTitle);
    connect(&doc_, &JobDocument::historyChanged, this, &MainWindow::updateHistoryActions);
    connect(&doc_, &JobDocument::restored, this, &MainWindow::followWorkbook);
    connect(&doc_, &JobDocument::replaced, this, [this] {
        // The workbook is replaced as a whole: its windows are made anew,
        // cascaded so that every title bar shows.
        for (SheetId id : kAllSheets) removeWindow(id);
        followWorkbook();
        cascade(*area_);
    });
    // Coming back from another program: the job file may have changed.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) doc_.checkDisk();
    });
    updateCommands();
    updateHistoryActions();
    updateTitle();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The area tells of windows activated while the children close, after
    // this window's own members are gone.
    disconnect(area_, nullptr, this, nullptr);
    disconnect(&doc_, nullptr, this, nullptr);
    // The forms must go while the session they report to still exists.
    doc_.workbook().setListener(nullptr);
    session_.setHistory(nullptr);
    for (QMdiSubWindow*& w : windows_) {
        if (!w) continue;
        disconnect(w, nullptr, this, nullptr);
        delete w;
        w = nullptr;
    }
    // A window removed but not yet deleted (deleteLater) goes with the area,
    // after this window's members: it must not call back then.
    for (QMdiSubWindow* w : area_->findChildren<QMdiSubWindow*>()) disconnect(w, nullptr, this, nullptr);
}

void MainWindow::setMessageService(ui::MessageService& messages) {
    session_.setMessages(messages);
    doc_.setMessages(messages);
}

void MainWindow::setFileDialogs(ui::FileDialogService& files) { doc_.setFiles(files); }

ui::SheetForm* MainWindow::formOf(SheetId id) const {
    QMdiSubWindow* w = windowOf(id);
    return w ? qobject_cast<ui::SheetForm*>(w->widget()) : nullptr;
}

QPoint MainWindow::centredPosition(int childWidthTwips, int childHeightTwips) const {
    // The outer size includes frame, title bar and menu bar, so the child sits
    // somewhat right of and below the middle of the client area; computed in
    // single precision; a negative place stays negative.
    const QRect outer = frameGeometry();
    const float left = (static_cast<float>(outer.width() * ui::kTwipsPerPixel) - static_cast<float>(childWidthTwips)) / 2.0f;
    const float top =
        (static_cast<float>(outer.height() * ui::kTwipsPerPixel) - static_cast<float>(childHeightTwips)) / 2.0f;
    return QPoint(ui::px(left), ui::px(top));
}

std::optional<SheetId> MainWindow::activeSheet() const {
    // The current child stays current while a message box or menu is up.
    const QMdiSubWindow* current = area_->currentSubWindow();
    for (SheetId id : kAllSheets)
        if (current && windowOf(id) == current && !current->isHidden()) return id;
    return std::nullopt;
}

void MainWindow::updateCommands() {
    const std::optional<SheetId> active = activeSheet();
    const auto all = commands();
    for (std::size_t i = 0; i < all.size(); ++i) {
        commandActions_[i]->setEnabled(!all[i].appliesTo || all[i].appliesTo(active));
        if (all[i].follow && active && commandActions_[i]->isEnabled()) all[i].follow(*this, *commandActions_[i], *active);
    }
}

void MainWindow::reimport() {
    if (const std::optional<SheetId> id = activeSheet())
        session_.run(*id, [id](Workbook& wb) { return lc::reimport(wb, *id); }, QString::fromUtf8(reimportCaption(*id)));
}

void MainWindow::updateHistoryActions() {
    const auto named = [](const char* verb, const QString& step) {
        return step.isEmpty() ? QString::fromUtf8(verb) : QString::fromUtf8(verb) + " " + step;
    };
    undo_->setText(named("撤销", doc_.undoText()));
    undo_->setEnabled(doc_.canUndo());
    redo_->setText(named("重做", doc_.redoText()));
    redo_->setEnabled(doc_.canRedo());
}

void MainWindow::updateTitle() {
    // The desktop's way: file name, mark, program; the program's name alone
    // while no job file is in use. The name is text, isolated so that it
    // cannot reorder the program's name after it.
    const QString program = QString::fromUtf8(ui::kProgramTitle);
    if (doc_.path().isEmpty()) {
        setWindowModified(false);
        setWindowTitle(program);
        return;
    }
    setWindowTitle(ui::titleText(ui::isolatedName(QFileInfo(doc_.path()).fileName())) + "[*] - " + program);
    setWindowModified(doc_.isModified());
}

QAction* MainWindow::commandAction(const char* name) const {
    for (QAction* a : commandActions_)
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

QMenu* MainWindow::popUpSheetMenu(SheetId id, const QPoint& globalPos, QLineEdit* field) {
    // The commands act on the window the menu was opened on.
    if (QMdiSubWindow* w = windowOf(id)) area_->setActiveSubWindow(w);
    updateCommands();
    QMenu* menu = field ? field->createStandardContextMenu() : new QMenu(this);
    if (field) menu->addSeparator();
    menu->setObjectName("SheetMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({undo_, redo_});
    const auto all = commands();
    int group = -1;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].appliesTo && !all[i].appliesTo(id)) continue;
        if (all[i].group != group) menu->addSeparator();
        group = all[i].group;
        menu->addAction(commandActions_[i]);
        // The jobs used last, right after 打开….
        if (QByteArrayView(all[i].name) == "Open") addRecentMenu(menu);
    }
    menu->popup(globalPos);
    return menu;
}

QMenu* MainWindow::popUpBackgroundMenu(const QPoint& globalPos) {
    auto* menu = new QMenu(this);
    menu->setObjectName("BackgroundMenu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const char* name :
         {"New", "Open", "", "Save", "SaveAs", "Properties", "", "Print", "ExportPdf", "", "Guide", "About"}) {
        if (!*name) {
            menu->addSeparator();
            continue;
        }
        menu->addAction(commandAction(name));
        if (QByteArrayView(name) == "Open") addRecentMenu(menu);
    }
    menu->popup(globalPos);
    return menu;
}

void MainWindow::addRecentMenu(QMenu* menu) {
    QMenu* recent = menu->addMenu("最近打开");
    recent->setObjectName("RecentJobs");
    recent->setToolTipsVisible(true);
    const QStringList paths = doc_.recentJobs();
    const QFontMetrics metrics = recent->fontMetrics();
    // The name, and its folder in the column on the right, each on one line
    // and shortened in its middle; the whole path in the tooltip.
    const auto shown = [&](const QString& text) {
        return ui::menuText(ui::isolatedName(
            metrics.elidedText(ui::oneLine(text), Qt::ElideMiddle, 40 * metrics.averageCharWidth())));
    };
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QFileInfo job(paths[i]);
        QAction* a = recent->addAction(QString("&%1 ").arg(i + 1) + shown(job.fileName()) + "\t" +
                                       shown(report::shownPath(job.absolutePath())));
        a->setToolTip(ui::tipText(report::shownPath(paths[i])));
        connect(a, &QAction::triggered, this, [this, path = paths[i]] { doc_.openRecent(path); });
    }
    if (paths.isEmpty()) recent->addAction("（无）")->setEnabled(false);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    // A smaller work area keeps the sheets' title bars inside.
    if (watched == area_->viewport() && e->type() == QEvent::Resize) keepTitleBarsInside(*area_);
    if (e->type() == QEvent::ShortcutOverride) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && isAncestorOf(field)) {
            const QKeySequence keys(static_cast<QKeyEvent*>(e)->keyCombination());
            // Typing of its own to undo or redo stays with the field; then
            // the workbook's steps.
            const bool undo = undo_->shortcuts().contains(keys), redo = redo_->shortcuts().contains(keys);
            if (undo || redo) {
                const bool own = !field->isReadOnly() && (undo ? field->isUndoAvailable() : field->isRedoAvailable());
                if (own || !(undo ? undo_ : redo_)->isEnabled()) return QMainWindow::eventFilter(watched, e);
                e->ignore();
                return true;
            }
            for (QAction* a : commandActions_)
                if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == keys) {
                    e->ignore();
                    return true;
                }
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void MainWindow::showSketch() {
    if (!sketch_) {
        QList<QAction*> all{undo_, redo_}, printing;
        for (QAction* a : commandActions_) {
            all << a;
            if (a->objectName() == "Print" || a->objectName() == "ExportPdf") printing << a;
        }
        for (const auto& [name, caption, suffix] : {std::tuple{"ExportSketchPdf", "导出示意图PDF…", "pdf"},
                                                    std::tuple{"ExportSketchPng", "导出示意图PNG…", "png"},
                                                    std::tuple{"ExportSketchDxf", "导出示意图DXF…", "dxf"}}) {
            auto* a = new QAction(QString::fromUtf8(caption), this);
            a->setObjectName(name);
            connect(a, &QAction::triggered, this, [this, s = QString(suffix)] { output_.exportSketch(sketch_, s); });
            printing << a;
        }
        sketch_ = new SketchWindow(doc_.workbook(), this, all, printing);
        sketch_->placeBeside(*this);
    }
    sketch_->show();
    sketch_->raise();
    sketch_->activateWindow();
    sketch_->update();
}

void MainWindow::onSheetEvent(SheetId id, SheetEvent e) {
    if (sketch_ && id == SheetId::A2) sketch_->update();
    QMdiSubWindow* w = windowOf(id);
    switch (e) {
        case SheetEvent::Created:
            createWindow(id);
            break;
        case SheetEvent::Shown:
            if (w) {
                // A minimised child comes back at its size.
                if (w->isMinimized())
                    w->showNormal();
                else
                    w->show();
                w->raise();
                area_->setActiveSubWindow(w);
            }
            break;
        case SheetEvent::Hidden:
            if (w) hideWindow(w);
            break;
        case SheetEvent::Closed:
            removeWindow(id);
            // What the other sheets read may be gone: their marks follow.
            session_.textsEdited();
            break;
    }
    updateCommands();
    doc_.noteChanges();
}

void MainWindow::createWindow(SheetId id) {
    removeWindow(id);
    ui::SheetForm* form = nullptr;
    switch (id) {
        case SheetId::A2: form = new ui::SheetA2Form(session_); break;
        case SheetId::B1: form = new ui::SheetB1Form(session_); break;
        case SheetId::C: form = new ui::SheetCForm(session_); break;
        case SheetId::Gears: form = new ui::GearsForm(session_); break;
    }
    // Right mouse button anywhere on the sheet: its fields pass the request on.
    form->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(form, &QWidget::customContextMenuRequested, this, [this, id, form](const QPoint& pos) {
        popUpSheetMenu(id, form->mapToGlobal(pos), qobject_cast<QLineEdit*>(form->childAt(pos)));
    });
    // Closing the window discards its sheet, as one step.
    const ActionDef* close = findAction(std::string(sheetKey(id)) + ".close");
    auto* w = new SheetWindow([this, close] { session_.run(close->sheet, close->run, ui::stepName(close->name)); });
    w->setWidget(form);
    w->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint);
    area_->addSubWindow(w);
    windows_[static_cast<std::size_t>(id)] = w;

    // The creation steps: the fixed outer size, then the centring.
    const ui::FormFacts& facts = ui::formFacts(id);
    w->setFixedSize(ui::twipsSize(facts.widthTwips, facts.heightTwips));
    w->move(centredPosition(facts.widthTwips, facts.heightTwips));
    moveInside(*w);

    // A child window appears as soon as it is created, also when a calculation
    // of another sheet needed it; only an opened job brings hidden ones.
    if (!doc_.workbook().find(id)->visible) return;
    w->show();
    area_->setActiveSubWindow(w);
    if (QWidget* first = form->firstFocus()) first->setFocus(Qt::OtherFocusReason);
}

void MainWindow::hideWindow(QMdiSubWindow* w) {
    QWidget* focus = QApplication::focusWidget();
    const bool hadFocus = focus && w->isAncestorOf(focus);
    w->hide();
    if (!hadFocus) return;
    // A hidden window keeps no focus, or the keys would go on into its fields
    // unseen: the frontmost window still shown comes forward with its own.
    const QList<QMdiSubWindow*> stack = area_->subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if ((*it)->isVisible()) {
            area_->setActiveSubWindow(*it);
            break;
        }
    }
    if (QWidget* now = QApplication::focusWidget(); now && w->isAncestorOf(now)) now->clearFocus();
}

void MainWindow::removeWindow(SheetId id) {
    QMdiSubWindow*& slot = windows_[static_cast<std::size_t>(id)];
    if (!slot) return;
    QMdiSubWindow* w = slot;
    slot = nullptr;
    if (auto* form = qobject_cast<ui::SheetForm*>(w->widget())) session_.detach(form);
    w->hide();
    // The window may be inside its own close event; the area lets go of it
    // when it is deleted, and clears this window's modified mark then.
    connect(w, &QObject::destroyed, this, &MainWindow::updateTitle);
    w->deleteLater();
}

void MainWindow::followWorkbook() {
    for (SheetId id : kAllSheets) {
        const Sheet* s = doc_.workbook().find(id);
        QMdiSubWindow* w = windowOf(id);
        if (!s)
            removeWindow(id);
        else if (!w)
            createWindow(id);
        else if (s->visible && w->isHidden())
            onSheetEvent(id, SheetEvent::Shown);
        else if (!s->visible && !w->isHidden())
            hideWindow(w);
    }
    session_.refreshAll();
    updateCommands();
}

void MainWindow::showAbout() { AboutDialog(this).exec(); }

void MainWindow::editProperties() {
    // The sketch's title block shows the properties too.
    if (app::editProperties(doc_, this) && sketch_) sketch_->update();
}

void MainWindow::showGuide() {
    if (!guide_) guide_ = std::make_unique<GuideWindow>();
    guide_->present(*this);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    // Ends the program once unsaved work is saved or let go; the window's own
    // size and place are kept for the next start. The guide and the sketch go
    // with it.
    if (!doc_.settleUnsavedWork()) {
        e->ignore();
        return;
    }
    QSettings().setValue(kGeometryKey, saveGeometry());
    if (guide_) guide_->close();
    if (sketch_) sketch_->close();
    e->accept();
}

}  // namespace lc::app
