// The blank sketch window: Ctrl+D on sheet A2 opens it beside the main
// window; it follows the sheet's texts (calculation, restart, typing) and
// its drawing grows with the window.
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QMenu>
#include <QProcess>

#include "app/guide_window.h"
#include "app/sketch_window.h"
#include "support.h"
#include "../common/a2_worked_example.h"

namespace lc::test {
namespace {

class SketchWindowTest : public WindowTest {
protected:
    // Paints of the sketch window since the last look.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;

    app::SketchWindow* sketch() { return main->sketchWindow(); }
    // The light blue of the pinion's tooth zone, counted in a fresh painting.
    static int pinionPixels(QWidget* w) {
        const QImage image = w->grab().toImage();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor px = image.pixelColor(x, y);
                if (px.blue() > px.red() + 30 && px.blue() > 200) ++n;
            }
        return n;
    }
    bool repainted() {
        counter.paints = 0;
        QCoreApplication::processEvents();
        QTest::qWait(20);
        return counter.paints > 0;
    }
};

TEST_F(SketchWindowTest, CtrlDOnSheetA2OpensItAndItFollowsTheSheet) {
    menu("A1");
    for (const auto& [name, text] : example::a2Inputs()) {
        field(SheetId::A2, name.c_str())->clear();
        type(SheetId::A2, name.c_str(), QString::fromStdString(text));
    }
    type(SheetId::A2, "Text17", example::kA2CutterRadius);
    // The field keeps its text: Ctrl+D is the sketch here, not a deletion.
    field(SheetId::A2, "Text17")->setCursorPosition(0);
    QTest::keyClick(field(SheetId::A2, "Text17"), Qt::Key_D, Qt::ControlModifier);
    ASSERT_NE(sketch(), nullptr);
    EXPECT_EQ(text(SheetId::A2, "Text17"), "44.45");
    EXPECT_TRUE(sketch()->isVisible());
    EXPECT_TRUE(sketch()->isWindow());
    EXPECT_EQ(sketch()->windowTitle(), "翎川 齿坯示意图");
    sketch()->installEventFilter(&counter);
    EXPECT_EQ(sketch()->stopLine(), "计算单A2尚未计算：按“开始计算”之后才有齿坯示意图。");
    EXPECT_EQ(pinionPixels(sketch()), 0);

    click(SheetId::A2, "Command1");
    EXPECT_TRUE(repainted());
    EXPECT_EQ(sketch()->stopLine(), "");
    const int small = pinionPixels(sketch());
    EXPECT_GT(small, 100);
    sketch()->resize(sketch()->size() * 1.5);
    EXPECT_GT(pinionPixels(sketch()), small * 3 / 2);

    // Typing into an input field reaches the window at once.
    type(SheetId::A2, "Text15", "x");
    EXPECT_TRUE(repainted());
    EXPECT_EQ(sketch()->stopLine(), "第15项 齿宽b 不是数字，无法出图。");
    EXPECT_EQ(pinionPixels(sketch()), 0);

    click(SheetId::A2, "Command3");
    EXPECT_TRUE(repainted());
    EXPECT_EQ(sketch()->stopLine(), "计算单A2尚未计算：按“开始计算”之后才有齿坯示意图。");
}

// The sheet menu of A2 carries 示意图; another sheet has neither the entry
// nor the key.
TEST_F(SketchWindowTest, OnlySheetA2HasTheSketch) {
    const auto sketchEntry = [&](QMenu* m) {
        QAction* found = nullptr;
        for (QAction* a : m->actions())
            if (a->text() == "示意图") found = a;
        return found;
    };
    menu("A1");
    menu("Gljs");
    QTest::keyClick(field(SheetId::Gears, "Text1"), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(sketch(), nullptr);
    QMenu* gears = main->popUpSheetMenu(SheetId::Gears, QPoint(0, 0));
    EXPECT_EQ(sketchEntry(gears), nullptr);
    gears->close();

    QMenu* a2 = main->popUpSheetMenu(SheetId::A2, QPoint(0, 0));
    QAction* entry = sketchEntry(a2);
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    a2->close();
    ASSERT_NE(sketch(), nullptr);
    EXPECT_TRUE(sketch()->isVisible());
}

// A full window: it opens within the screen and the program's keys work in it.
TEST_F(SketchWindowTest, ItOpensWithinTheScreenAndTakesTheProgramsKeys) {
    menu("A1");
    main->showSketch();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sketch()));
    EXPECT_TRUE(sketch()->screen()->availableGeometry().contains(sketch()->frameGeometry()));
    QTemporaryDir dir;
    files.save = [&](const QString&) { return dir.filePath("job"); };
    const std::pair<QKeyCombination, std::function<bool()>> keys[] = {
        {Qt::ControlModifier | Qt::Key_S, [&] { return QFile::exists(dir.filePath("job.lcjob")); }},
        {QKeyCombination(Qt::Key_F1), [&] { return main->guideWindow() && main->guideWindow()->isVisible(); }},
    };
    for (const auto& [key, done] : keys) {
        sketch()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sketch()));
        QTest::keyClick(sketch(), key.key(), key.keyboardModifiers());
        EXPECT_TRUE(done()) << QKeySequence(key).toString().toStdString();
    }
}

// 导出示意图PDF… and PNG…: one vector page whose labels are text, a picture at
// twice the window's pixels; a folder that is not there is told.
TEST_F(SketchWindowTest, ExportsTheSketchAloneAsOnePdfPageAndAPicture) {
    calculateA2();
    main->showSketch();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sketch()));
    sketch()->resize(640, 480);
    QTemporaryDir dir;
    ASSERT_TRUE(main->output().exportSketchTo(sketch(), dir.filePath("s.pdf")));
    ASSERT_TRUE(main->output().exportSketchTo(sketch(), dir.filePath("s.png")));
    QProcess p;
    const auto output = [&](const QString& tool, const QStringList& args) {
        return p.start(tool, args), p.waitForFinished(30000), QString::fromUtf8(p.readAllStandardOutput()); };
    EXPECT_TRUE(output("pdfinfo", {dir.filePath("s.pdf")}).contains(QRegularExpression("Pages:\\s+1\\n")));
    const QString text = output("pdftotext", {dir.filePath("s.pdf"), "-"});
    for (const char* label : {"d2 Ø82", "δ1 13.70696°", "X1 41.3358720895402"}) EXPECT_TRUE(text.contains(label)) << label;
    const QImage png(dir.filePath("s.png"));
    EXPECT_EQ(png.size(), sketch()->size() * 2 * std::max<qreal>(1, sketch()->devicePixelRatioF()));
    EXPECT_FALSE(main->output().exportSketchTo(sketch(), dir.filePath("no/s.png")));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(messages.entries[0].text.startsWith("无法导出示意图“")) << messages.entries[0].text.toStdString();
}

}  // namespace
}  // namespace lc::test
