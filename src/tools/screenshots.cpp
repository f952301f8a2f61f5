#include "tools/screenshots.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/placement.h"
#include "app/sketch_window.h"
#include "ui/messages.h"

namespace lc::app {
namespace {

// The worked example of the road A2 -> B1 -> C produces no message; any
// message box on the way means the pictures would show something else.
class MessageLog : public ui::MessageService {
public:
    void show(const QString& text) override { texts << text; }
    QStringList texts;
};

struct StepFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Driver {
public:
    Driver(MainWindow& main, const QString& dir) : main_(main), dir_(dir) { main_.setMessageService(log_); }

    // Chooses a command of the menu bar with the mouse.
    void menu(const char* name) {
        auto* a = main_.findChild<QAction*>(name);
        if (!a) fail(QString("no menu command %1").arg(name));
        QMenuBar* bar = main_.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(a).center());
        settle(QString("menu %1").arg(name));
    }
    QWidget* control(SheetId id, const char* name) {
        ui::SheetForm* form = main_.formOf(id);
        QWidget* w = form ? form->findChild<QWidget*>(name) : nullptr;
        if (!w) fail(QString("no control %1").arg(name));
        return w;
    }
    // A click in the middle of the control: a button is pressed, a field takes
    // the focus.
    void click(SheetId id, const char* name) {
        QTest::mouseClick(control(id, name), Qt::LeftButton);
        settle(QString("click on %1").arg(name));
    }
    // Keys into the control that has the focus.
    void type(const QString& keys) {
        QTest::keyClicks(focused(), keys);
        settle(QString("typing %1").arg(keys));
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(focused(), key, modifiers);
        settle("a key");
    }
    void enter() {
        QTest::keyClick(focused(), Qt::Key_Return);
        settle("Enter");
    }
    void clickAndType(SheetId id, const char* name, const QString& keys) {
        click(id, name);
        type(keys);
    }
    void expectText(SheetId id, const char* name, const QString& expected) {
        auto* f = qobject_cast<QLineEdit*>(control(id, name));
        if (!f || f->text() != expected)
            fail(QString("%1 shows \"%2\", expected \"%3\"").arg(name, f ? f->text() : QString(), expected));
    }
    void save(QWidget* w, const char* file) {
        const QString path = QDir(dir_).filePath(file);
        if (!w->grab().save(path)) fail(QString("cannot write %1").arg(path));
        std::printf("%s\n", qPrintable(path));
    }
    QMdiSubWindow* window(SheetId id) {
        QMdiSubWindow* w = main_.windowOf(id);
        if (!w) fail("a window is missing");
        return w;
    }

    [[noreturn]] static void fail(const QString& what) { throw StepFailed(what.toStdString()); }

private:
    QWidget* focused() {
        QWidget* w = QApplication::focusWidget();
        if (!w) fail("nothing has the focus");
        return w;
    }
    void settle(const QString& step) {
        QCoreApplication::processEvents();
        if (!log_.texts.isEmpty()) fail(QString("%1 gave the message \"%2\"").arg(step, log_.texts.first()));
    }

    MainWindow& main_;
    QString dir_;
    MessageLog log_;
};

}  // namespace

int takeScreenshots(MainWindow& main, const QString& dir) {
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "screenshots: cannot create %s\n", qPrintable(dir));
        return 1;
    }
    try {
        Driver d(main, dir);
        if (!QTest::qWaitForWindowExposed(&main)) Driver::fail("the main window is not shown");
        // Without a window manager nothing activates the window for us.
        main.activateWindow();
        if (!QTest::qWaitForWindowActive(&main)) Driver::fail("the main window does not become active");

        // Sheet A2: the Enter chain from item 1 to the start button, then Enter
        // presses it. Item 5 keeps its 35.
        d.menu("A1");
        for (const char* keys : {"10", "41", "2", "", "0.4", "44.45"}) {
            d.type(QString::fromUtf8(keys));
            d.enter();
        }
        d.enter();
        d.expectText(SheetId::A2, "Text42(1)", "2.785696");
        // The main window as it first opens, sheet A2 whole inside it.
        d.save(&main, "main-window.png");
        d.save(d.window(SheetId::A2), "sheet-a2.png");

        // The main window made as small as its design size, sheet A2 placed as
        // its creation places it there: larger than the work area, moved just
        // enough for its title bar to show. Then back to the first size.
        QMdiSubWindow* a2 = d.window(SheetId::A2);
        const QPoint firstPlace = a2->pos();
        const QSize firstSize = main.size();
        main.resize(firstSize - main.mdiArea()->size() + designWorkArea());
        const ui::FormFacts& facts = ui::formFacts(SheetId::A2);
        a2->move(main.centredPosition(facts.widthTwips, facts.heightTwips));
        moveInside(*a2);
        QCoreApplication::processEvents();
        d.save(&main, "main-window-a2.png");
        main.resize(firstSize);
        a2->move(firstPlace);
        QCoreApplication::processEvents();

        // The blank sketch: Ctrl+D on sheet A2.
        d.key(Qt::Key_D, Qt::ControlModifier);
        SketchWindow* sketch = main.sketchWindow();
        if (!sketch || !QTest::qWaitForWindowExposed(sketch)) Driver::fail("Ctrl+D opens no sketch window");
        if (!sketch->stopLine().isEmpty()) Driver::fail("the sketch says: " + sketch->stopLine());
        // Pictured at its design size, whatever room the screen it opened on had,
        // then made small and large: the labels keep their size.
        for (const auto& [size, file] : {std::pair{QSize(960, 680), "sketch-window.png"},
                                         std::pair{QSize(400, 300), "sketch-window-small.png"},
                                         std::pair{QSize(1600, 1100), "sketch-window-large.png"}}) {
            sketch->resize(size);
            QCoreApplication::processEvents();
            d.save(sketch, file);
        }
        sketch->close();
        main.activateWindow();
        QCoreApplication::processEvents();

        // Sheet B1 through 下一步, cosβe typed, 开  始.
        d.click(SheetId::A2, "Command2");
        d.clickAndType(SheetId::B1, "Text16", "0.9");
        d.click(SheetId::B1, "Command1");
        d.expectText(SheetId::B1, "Text20", "0.9174438");
        d.save(d.window(SheetId::B1), "sheet-b1.png");

        // Sheet C through B1's 下一步, the four angles typed, 开  始.
        d.click(SheetId::B1, "Command3");
        d.clickAndType(SheetId::C, "Text52", "25");
        d.clickAndType(SheetId::C, "Text53", "20");
        d.clickAndType(SheetId::C, "Text54", "28");
        d.clickAndType(SheetId::C, "Text55", "22");
        d.click(SheetId::C, "Command1");
        d.expectText(SheetId::C, "Text15", "20.5862905814724");
        d.save(d.window(SheetId::C), "sheet-c.png");

        // The change-gear calculator: ratio 0.5 at the default precision.
        d.menu("Gljs");
        d.clickAndType(SheetId::Gears, "Text1", "0.5");
        d.click(SheetId::Gears, "Command1");
        if (main.workbook().sheet(SheetId::Gears).list != std::vector<std::string>{"24X24/24X48=0.5"})
            Driver::fail("the change-gear list is not the one line of 0.5");
        d.save(d.window(SheetId::Gears), "change-gears.png");

        // The module changed to 2.5 and the road taken again up to sheet C,
        // which still holds the old pair's copies and results: its caption
        // and the fields concerned say so. Then the module back to 2: the
        // road ends with the worked example in every sheet, sheet C current.
        for (const char* module : {"2.5", "2"}) {
            d.click(SheetId::A2, "Text3");
            d.key(Qt::Key_A, Qt::ControlModifier);
            d.type(module);
            d.click(SheetId::A2, "Command1");
            d.click(SheetId::A2, "Command2");
            d.click(SheetId::B1, "Command1");
            d.click(SheetId::B1, "Command3");
            const bool marked = d.window(SheetId::C)->windowTitle().startsWith("翎川齿轮计算单C（与计算单A2");
            if (marked != (std::string_view(module) != "2")) Driver::fail("sheet C's caption does not tell whether it belongs to sheet A2");
            if (marked) d.save(d.window(SheetId::C), "sheet-c-marked.png");
        }
    } catch (const StepFailed& e) {
        std::fprintf(stderr, "screenshots: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace lc::app
