// The job document as the windows show it: 撤销 and 重做 from the keyboard,
// a field's own typing undone first; the title's mark through a closed sheet
// window; the main window's own menu and keys with no sheet open.
#include <QContextMenuEvent>
#include <QMenu>
#include <QTemporaryDir>

#include "support.h"

using namespace lc;

namespace {

class UndoWindow : public test::WindowTest {
protected:
    void keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QWidget* to = QApplication::focusWidget();
        QTest::keyClick(to ? to : main.get(), key, modifiers);
    }
    // Every field of sheet A2 as its window shows it, against the workbook.
    void expectA2Shows(const Workbook& expected) {
        ASSERT_TRUE(wb() == expected);
        for (const std::string& f : expected.find(SheetId::A2)->fieldNames())
            EXPECT_EQ(text(SheetId::A2, f.c_str()).toStdString(), expected.find(SheetId::A2)->text(f)) << f;
    }
    QTemporaryDir dir;
};

TEST_F(UndoWindow, RestartIsUndoneAndRedoneFromTheKeyboardTypingFirst) {
    files.save = [&](const QString&) { return dir.filePath("job"); };
    calculateA2();
    keys(Qt::Key_S);
    const Workbook calculated = wb();
    ASSERT_FALSE(main->isWindowModified());
    click(SheetId::A2, "Command3");
    const Workbook cleared = wb();
    EXPECT_EQ(text(SheetId::A2, "Text5"), "");
    EXPECT_TRUE(main->isWindowModified());
    EXPECT_EQ(main->findChild<QAction*>("Undo")->text(), "撤销 重新开始");

    keys(Qt::Key_Z);
    ASSERT_NO_FATAL_FAILURE(expectA2Shows(calculated));
    EXPECT_FALSE(main->isWindowModified()) << "back at the saved state";
    keys(Qt::Key_Y);
    ASSERT_NO_FATAL_FAILURE(expectA2Shows(cleared));
    keys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // 重做 again: nothing left to redo
    ASSERT_NO_FATAL_FAILURE(expectA2Shows(cleared));

    // Typed text in the field: its own undo takes it back, then 重新开始.
    type(SheetId::A2, "Text1", "77");
    EXPECT_EQ(main->findChild<QAction*>("Undo")->text(), "撤销 输入第1项");
    keys(Qt::Key_Z);
    EXPECT_EQ(text(SheetId::A2, "Text1"), "");
    EXPECT_TRUE(field(SheetId::A2, "Text1")->isRedoAvailable()) << "the field's own undo, which it can redo";
    EXPECT_TRUE(wb() == cleared);
    keys(Qt::Key_Z);
    ASSERT_NO_FATAL_FAILURE(expectA2Shows(calculated));
}

// Open a job, calculate B1, close sheet A2 with its close button: the mark
// stays (the workbook differs from the file), and 撤销 brings the window back
// with its texts and flags, and the mark goes.
TEST_F(UndoWindow, ClosingASheetWindowMarksTheWorkbookChanged) {
    files.save = [&](const QString&) { return dir.filePath("job"); };
    ASSERT_NO_FATAL_FAILURE(fillEveryWindow());
    keys(Qt::Key_S);
    ASSERT_TRUE(main->document().openFrom(dir.filePath("job.lcjob")));
    const Workbook opened = wb();
    type(SheetId::B1, "Text16", "0.8");
    click(SheetId::B1, "Command1");
    const Workbook calculated = wb();
    ASSERT_TRUE(main->isWindowModified());
    main->windowOf(SheetId::A2)->close();
    settle();
    EXPECT_EQ(main->windowOf(SheetId::A2), nullptr);
    EXPECT_TRUE(main->isWindowModified());
    EXPECT_EQ(main->windowTitle(), "job.lcjob[*] - 翎川");
    main->document().undo();
    ASSERT_NE(main->windowOf(SheetId::A2), nullptr);
    EXPECT_TRUE(main->windowOf(SheetId::A2)->isVisible());
    ASSERT_NO_FATAL_FAILURE(expectA2Shows(calculated));
    for (int i = 0; i < 2; ++i) main->document().undo();  // the calculation, the typing
    EXPECT_TRUE(wb() == opened);
    EXPECT_FALSE(main->isWindowModified());
}

// The right mouse button on the empty area behind the sheets: the file
// commands; their keys work with no sheet open; an empty sheet opened and left
// is no work, so opening a job asks nothing.
TEST_F(UndoWindow, TheMainWindowOffersTheFileCommandsWithNoSheetOpen) {
    QWidget* empty = main->mdiArea()->viewport();
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), empty->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(empty, &e);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->objectName(), "BackgroundMenu");
    QStringList captions;
    for (QAction* a : popup->actions())
        if (!a->isSeparator()) captions << a->text();
    EXPECT_EQ(captions, QStringList({"新建", "打开…", "最近打开", "保存", "另存为…", "属性…", "打印…", "导出PDF…",
                                     "用户指南", "关于翎川"}));
    popup->close();

    files.save = [&](const QString&) { return dir.filePath("job"); };
    files.open = [&](const QString&) { return dir.filePath("job.lcjob"); };
    menu("A1");
    type(SheetId::A2, "Text1", "17");
    keys(Qt::Key_S);
    keys(Qt::Key_N);
    ASSERT_EQ(main->windowOf(SheetId::A2), nullptr);
    keys(Qt::Key_O);
    EXPECT_EQ(text(SheetId::A2, "Text1"), "17");
    keys(Qt::Key_N);
    menu("A1");
    keys(Qt::Key_O);
    EXPECT_EQ(text(SheetId::A2, "Text1"), "17");
    EXPECT_TRUE(messages.questions.empty());
}

}  // namespace
