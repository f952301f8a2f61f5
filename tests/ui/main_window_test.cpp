// The main window and the life of its child windows, driven through the menu
// and the windows' own close controls.
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>
#include <string>
#include <vector>

#include "support.h"
#include "ui/formkit.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

using MainWindowTest = WindowTest;

QStringList actionNames(QMenuBar* bar) {
    QStringList out;
    for (QAction* a : bar->actions()) out << a->objectName() + "=" + a->text();
    return out;
}

}  // namespace

TEST_F(MainWindowTest, OpensWithItsMenuAndTheDesignClientArea) {
    EXPECT_EQ(main->objectName(), "MDIForm1");
    EXPECT_EQ(main->windowTitle(), "翎川");
    EXPECT_EQ(actionNames(main->menuBar()),
              QStringList({"A1=计算单A2", "B1=计算单B1", "C=计算单C", "Gljs=挂轮计算", "Tc=退出系统"}));
    for (QAction* a : main->menuBar()->actions()) EXPECT_EQ(a->menu(), nullptr) << "no submenus";
    // At least 9795 x 6510 twips at 15 twips a pixel.
    EXPECT_EQ(main->mdiArea()->size().expandedTo(QSize(653, 434)), main->mdiArea()->size());
    EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
    for (SheetId id : kAllSheets) EXPECT_FALSE(wb().exists(id));
}

// The first start, on the screen this runs on (800 x 800, again 1440 x 900 and
// 1024 x 768: tests/CMakeLists.txt): the main window on the screen, sheet A2's
// title bar and buttons inside the work area; a job's three sheets cascade,
// every title bar inside and uncovered by the windows in front of it, and
// still inside when the work area is made as low as 60 pixels.
TEST_F(MainWindowTest, SheetsOpenWithTheirTitleBarsInsideTheWorkArea) {
    const QRect screen = main->screen()->availableGeometry();
    if (qEnvironmentVariableIsSet("LC_EXPECT_SCREEN"))  // the simulated screens must have been given
        EXPECT_EQ(QString("%1x%2").arg(screen.width()).arg(screen.height()), qEnvironmentVariable("LC_EXPECT_SCREEN"));
    EXPECT_TRUE(screen.contains(main->frameGeometry()));
    QWidget* area = main->mdiArea()->viewport();
    const auto titleBar = [](QMdiSubWindow* w) { return QRect(w->pos(), QSize(w->width(), w->widget()->y())); };
    for (const char* command : {"A1", "B1", "C"}) menu(command);
    for (QWidget* w : {button(SheetId::A2, "Command1"), button(SheetId::A2, "Command2"), button(SheetId::A2, "Command3")})
        EXPECT_TRUE(area->rect().contains(QRect(w->mapTo(area, QPoint()), w->size()))) << w->objectName().toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(main->document().saveTo(dir.filePath("three.lcjob")) && main->document().openFrom(dir.filePath("three.lcjob")));
    settle();
    const QList<QMdiSubWindow*> stack = main->mdiArea()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_EQ(stack.size(), 3);
    for (int i = 0; i < 3; ++i)
        for (int front = i + 1; front < 3; ++front) EXPECT_FALSE(titleBar(stack[i]).intersects(stack[front]->geometry())) << i;
    for (const int high : {area->height(), 60}) {
        main->resize(main->width(), main->height() - area->height() + high);
        QCoreApplication::processEvents();
        for (QMdiSubWindow* w : stack) EXPECT_TRUE(area->rect().contains(titleBar(w))) << w->windowTitle().toStdString() << high;
    }
}

TEST_F(MainWindowTest, ChoosingA1TwiceShowsTheSameWindowWithItsFields) {
    menu("A1");
    QMdiSubWindow* first = main->windowOf(SheetId::A2);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    type(SheetId::A2, "Text1", "10");
    EXPECT_EQ(wb().sheet(SheetId::A2).text("Text1"), "10") << "typing reaches the workbook at once";
    wb().flags.a2Done = kTrue;
    wb().flags.b1Done = kTrue;

    menu("A1");
    EXPECT_EQ(main->windowOf(SheetId::A2), first);
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(text(SheetId::A2, "Text1"), "10");
    EXPECT_EQ(wb().flags.a2Done, kTrue);
    EXPECT_EQ(wb().flags.b1Done, kTrue);
}

TEST_F(MainWindowTest, ClosingAChildDiscardsItsSheetAndTheNextCommandStartsAfresh) {
    menu("A1");
    type(SheetId::A2, "Text1", "10");
    type(SheetId::A2, "Text5", "0");
    wb().flags.a2Done = kTrue;
    wb().flags.b1Done = kTrue;

    main->windowOf(SheetId::A2)->close();
    settle();
    EXPECT_FALSE(wb().exists(SheetId::A2));
    EXPECT_EQ(main->windowOf(SheetId::A2), nullptr);
    EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(wb().flags.a2Done, kTrue) << "closing alone changes no flag";

    menu("A1");
    EXPECT_EQ(text(SheetId::A2, "Text1"), "");
    EXPECT_EQ(text(SheetId::A2, "Text5"), "35");
    EXPECT_EQ(wb().flags.a2Done, kFalse);
    EXPECT_EQ(wb().flags.b1Done, kFalse);
}

TEST_F(MainWindowTest, ChildWindowsHaveTheirCaptionsFixedSizesAndCentring) {
    struct Expect {
        const char* command;
        SheetId id;
        const char* form;
        const char* caption;
        QSize outer;  // twips / 15
        int widthTwips, heightTwips;
    };
    const Expect all[] = {
        {"A1", SheetId::A2, "Form2", "翎川齿轮计算单A2", QSize(680, 507), 10200, 7605},
        {"B1", SheetId::B1, "Form3", "翎川齿轮计算单B1", QSize(551, 428), 8265, 6420},
        {"C", SheetId::C, "Form4", "翎川齿轮计算单C", QSize(729, 489), 10935, 7335},
        {"Gljs", SheetId::Gears, "Form1", "Form1", QSize(390, 343), 5850, 5145},
    };
    const QRect outer = main->frameGeometry();
    for (const Expect& e : all) {
        menu(e.command);
        QMdiSubWindow* w = main->windowOf(e.id);
        ASSERT_NE(w, nullptr) << e.form;
        EXPECT_EQ(w->widget()->objectName(), e.form);
        EXPECT_EQ(w->windowTitle(), e.caption);
        EXPECT_EQ(w->size(), e.outer) << e.form;
        // (outer width of the main window - width of the child) / 2, in twips,
        // from the top-left of the client area.
        const double left = (outer.width() * 15.0 - e.widthTwips) / 2 / 15;
        const double top = (outer.height() * 15.0 - e.heightTwips) / 2 / 15;
        EXPECT_EQ(w->pos(), QPoint(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)))) << e.form;
    }
    // At the design size sheet A2 is wider and taller than the work area
    // (9795 x 6510 twips): the centred place, e.g. (9795 - 10200) / 2 = -202.5
    // twips without a frame, moves just enough for its title bar to show.
    main->windowOf(SheetId::A2)->close();
    main->resize(main->size() - main->mdiArea()->size() + QSize(653, 434));
    menu("A1");
    EXPECT_EQ(main->windowOf(SheetId::A2)->pos(), QPoint(0, 0));
}

TEST_F(MainWindowTest, EveryControlLiesInsideItsWindowsClientArea) {
    for (const char* c : {"A1", "B1", "C", "Gljs"}) menu(c);
    for (SheetId id : kAllSheets) {
        ui::SheetForm* f = form(id);
        ASSERT_NE(f, nullptr);
        const QRect client = f->rect();
        // The frame of the child window leaves the form at least its design
        // client area less one pixel of title bar (A2: 10080 x 7200 twips).
        EXPECT_GE(client.width(), main->windowOf(id)->width() - 8);
        EXPECT_GE(client.height(), main->windowOf(id)->height() - 28);
        for (QWidget* child : f->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(client.contains(child->geometry())) << f->objectName().toStdString() << " "
                                                           << child->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, ASheetCreatedOutsideTheMenuGetsItsWindowAtOnce) {
    // As when a calculation reads a sheet that is not open.
    wb().sheet(SheetId::C);
    QMdiSubWindow* w = main->windowOf(SheetId::C);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(text(SheetId::C, "Text13"), "20");
}

TEST_F(MainWindowTest, TcEndsTheProgramWithChildWindowsOpen) {
    menu("A1");
    menu("Gljs");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);  // the guide, a window of its own
    ASSERT_NE(main->guideWindow(), nullptr);
    // The program's event loop as main() runs it: Tc ends it, not the watchdog.
    QTimer watchdog;
    watchdog.callOnTimeout([] { QCoreApplication::exit(2); });
    watchdog.start(10000);
    QTimer::singleShot(0, main.get(), [this] { menu("Tc"); });
    EXPECT_EQ(QApplication::exec(), 0);
    // Nothing is left on the screen: not the main window, its sheets, the guide.
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
}

// The keyboard reaches every command of the menu bar: F10 and the arrows, and
// a shortcut for each (their captions stay: the test above). Every row runs
// in the window the row before left.
TEST_F(MainWindowTest, F10ArrowsEnterAndTheShortcutsOpenTheSheets) {
    using K = std::vector<QKeyCombination>;
    const std::pair<K, const char*> rows[] = {
        {{Qt::Key_F10, Qt::Key_Right, Qt::Key_Return}, "B1"}, {{Qt::CTRL | Qt::Key_1}, "A2"},
        {{Qt::CTRL | Qt::Key_4}, "gears"}, {{Qt::Key_F10, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Down}, "C"},
        {{Qt::CTRL | Qt::Key_2}, "B1"}, {{Qt::Key_F10, Qt::Key_Right, Qt::Key_Escape}, "B1"},
        {{Qt::CTRL | Qt::Key_3}, "C"}, {{Qt::CTRL | Qt::Key_Q}, "ended"}};
    for (const auto& [keys, opens] : rows) {
        for (QKeyCombination k : keys)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : main.get(), k.key(), k.keyboardModifiers());
        const std::optional<SheetId> active = main->activeSheet();
        EXPECT_EQ(!main->isVisible() ? "ended" : active ? sheetKey(*active) : "none", std::string(opens))
            << QKeySequence(keys.front()).toString().toStdString();
    }
}
