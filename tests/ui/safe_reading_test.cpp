// Reading the numbers safely: the cut-off mark, meaning and unit in the
// tooltip, Enter that selects what it moves into, Qt's Chinese standard texts,
// the guide at F1 and the main window's remembered size. The mark test runs
// at scale 1 and again at a device pixel ratio of 2 (tests/CMakeLists.txt).
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QToolTip>
#include <QTextBrowser>
#include <QTranslator>

#include "app/guide_window.h"
#include "support.h"
#include "ui/qt_translation.h"
#include <sys/inotify.h>

using namespace lc;
using lc::test::WindowTest;

namespace {

using SafeReading = WindowTest;

// Qt's own judgement whether a text fits a field: a plain line edit of the
// same size and font scrolls its text, when the cursor goes from its start to
// its end, only if the text is wider than its room.
bool qtScrolls(const QLineEdit& field) {
    QLineEdit probe;
    probe.setFont(field.font());
    probe.setTextMargins(0, 0, 0, 0);
    probe.resize(field.size());
    probe.setText(field.text());
    probe.setCursorPosition(0);
    const QImage atStart = probe.grab().toImage();
    probe.setCursorPosition(probe.text().size());
    return probe.grab().toImage() != atStart;
}

}  // namespace

TEST_F(SafeReading, TheCutOffMarkStandsOnExactlyTheFieldsWhoseTextDoesNotFit) {
    ASSERT_NO_FATAL_FAILURE(fillEveryWindow());
    QStringList marked, expected;
    for (SheetId id : kAllSheets)
        for (auto* f : form(id)->findChildren<ui::Field*>()) {
            f->grab();  // paints it
            const QString name = QString::fromUtf8(sheetKey(id)) + "." + f->objectName();
            if (f->cutMarkShown()) marked << name;
            EXPECT_FALSE(f->cutMarkShown(ui::Field::Edge::Left)) << "written from the start: " << name.toStdString();
            if (!f->text().isEmpty() && qtScrolls(*f)) expected << name;
        }
    EXPECT_EQ(marked, expected);
    // Long results are marked, item 6 in its wide field too; the short texts
    // stay unmarked.
    for (const char* name : {"A2.Text28", "A2.Text6", "A2.Text40(0)"}) EXPECT_TRUE(marked.contains(name)) << name;
    for (const char* name : {"A2.Text1", "A2.Text4", "A2.Text7", "A2.Text35(1)"})
        EXPECT_FALSE(marked.contains(name)) << name;

    // End shows the end and marks the hidden start on the left, Home the
    // reverse; the cursor in the middle hides both ends.
    auto* shift = form(SheetId::A2)->findChild<ui::Field*>("Text12");
    type(SheetId::A2, "Text12", "1234567890123456789012345");
    for (const auto& [key, lefts, marks] : {std::tuple{Qt::Key_End, 0, "L"}, {Qt::Key_Home, 0, "R"}, {Qt::Key_End, 12, "LR"}}) {
        QTest::keyClick(shift, key);
        for (int i = 0; i < lefts; ++i) QTest::keyClick(shift, Qt::Key_Left);
        shift->grab();
        EXPECT_EQ(QString(shift->cutMarkShown(ui::Field::Edge::Left) ? "L" : "") + (shift->cutMarkShown() ? "R" : ""), marks);
    }
}

TEST_F(SafeReading, TheMarkIsDarkOverTheEndOfTheFieldOnGreenOrangeAndWhite) {
    menu("A1");
    menu("Gljs");
    const std::pair<QLineEdit*, const char*> fields[] = {
        {field(SheetId::A2, "Text1"), "green"}, {field(SheetId::A2, "Text28"), "orange"},
        {field(SheetId::Gears, "Text1"), "white"}};
    for (auto [f, colour] : fields) {
        static_cast<ui::Field*>(f)->showText("-2.62244375247342E-06-2.62244375247342E-06");
        const QImage img = f->grab().toImage();
        // Somewhere in the rightmost eighth of the field, at its middle
        // height, stands a pixel of the mark, clearly darker than the
        // background.
        int darkest = 255;
        for (int x = img.width() * 7 / 8; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, img.height() / 2);
            if (c.red() > 2 * c.green()) darkest = std::min(darkest, qGray(c.rgb()));
        }
        EXPECT_LT(darkest, 100) << colour;
    }
}

TEST_F(SafeReading, TooltipsGiveTheWholeTextThenMeaningAndUnit) {
    ASSERT_NO_FATAL_FAILURE(fillEveryWindow());
    struct Case {
        SheetId sheet;
        const char* field;
        const char* firstLine;
        const char* meaning;  // part of the second line
        const char* unit;
    };
    const Case cases[] = {
        {SheetId::A2, "Text27", "50.4646453857422", "齿根角修正量", "单位：角分（′）"},
        {SheetId::B1, "Text16", "0.9", "cosβe", "无单位"},
        {SheetId::C, "Text52", "25", "Фe1", "单位：度（°）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const QStringList lines = field(c.sheet, c.field)->toolTip().split('\n');
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], c.firstLine);
        EXPECT_TRUE(lines[1].contains(c.meaning)) << lines[1].toStdString();
        EXPECT_TRUE(lines[1].endsWith(c.unit)) << lines[1].toStdString();
    }
    // An empty field tells what belongs in it.
    click(SheetId::A2, "Command3");
    EXPECT_EQ(field(SheetId::A2, "Text17")->toolTip(), "刀盘半径；单位：毫米（mm）");
}

// A field's text is shown in its tooltip as it is, whatever markup it looks
// like: no picture opened (the file is watched), no link, heading or table.
TEST_F(SafeReading, TooltipsShowMarkupAsItIs) {
    QTemporaryDir dir;
    const QString picture = dir.filePath("x.png");
    QImage(8, 8, QImage::Format_RGB32).save(picture);
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(inotify_add_watch(watch, picture.toLocal8Bit().constData(), IN_OPEN), 0);
    menu("A1");
    QLineEdit* f = field(SheetId::A2, "Text1");
    for (const QString& markup : {"<img src=\"" + picture + "\">", QString("<a href=\"file:///etc/passwd\">x</a><h1>BIG</h1>"),
                                  QString("<table width=5000><tr><td>w</td></tr></table>"), QString("&lt;plain?  a")}) {
        f->setText(markup);
        QToolTip::showText(f->mapToGlobal(QPoint(5, 5)), f->toolTip(), f);
        QTextDocument shown;  // as the tooltip renders what it takes for rich text
        shown.setHtml(QToolTip::text());
        EXPECT_EQ((Qt::mightBeRichText(f->toolTip()) ? shown.toPlainText() : f->toolTip()).split('\n').front(), markup);
        char event[256];
        EXPECT_LT(read(watch, event, sizeof event), 0) << "the picture was opened: " << markup.toStdString();
    }
}

TEST_F(SafeReading, EnterSelectsTheTextOfTheFieldItMovesIntoSoTypingReplacesIt) {
    menu("A1");
    type(SheetId::A2, "Text2", "41");
    type(SheetId::A2, "Text1", "10");
    QTest::keyClick(field(SheetId::A2, "Text1"), Qt::Key_Return);
    ASSERT_EQ(focusName(), "Text2");
    QTest::keyClicks(QApplication::focusWidget(), "42");
    EXPECT_EQ(text(SheetId::A2, "Text2"), "42");
    EXPECT_EQ(wb().sheet(SheetId::A2).text("Text2"), "42");
}

TEST(QtTranslation, TheMessageBoxButtonReadsQueDingWithItAndOkWithout) {
    EXPECT_EQ(ui::installQtTranslation("/nonexistent"), nullptr) << "runs on without the translation";
    auto buttonText = [] {
        QWidget owner;
        owner.show();
        ui::MessageBoxService service(&owner);
        QString text;
        bool glyph = true;
        lc::test::onMessageBox([&](QMessageBox* box) {
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            text = ok->text();
            glyph = !ok->icon().isNull();
            ok->click();
        });
        service.show("请输入结果！");
        EXPECT_FALSE(glyph) << "the button carries no style glyph";
        return text.remove('&');
    };
    EXPECT_EQ(buttonText(), "OK");
    QTranslator* zh = ui::installQtTranslation();
    ASSERT_NE(zh, nullptr) << "qtbase_zh_CN missing in " << ui::qtTranslationsDir().toStdString()
                           << " (package qt6-translations-l10n)";
    EXPECT_EQ(buttonText(), "确定");
    QCoreApplication::removeTranslator(zh);
    delete zh;
}

// Also on a 1440 x 900 and a 1024 x 768 screen (tests/CMakeLists.txt), with the
// main window as tall as the screen's room: the guide's frame and its find bar
// on the screen.
TEST_F(SafeReading, F1TwiceGivesOneGuideWindowBesideTheMainWindow) {
    const QRect avail = main->screen()->availableGeometry();
    main->setGeometry(main->x(), avail.y(), main->width(), avail.height());
    menu("A1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    app::GuideWindow* guide = main->guideWindow();
    ASSERT_NE(guide, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(guide));
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    EXPECT_EQ(main->guideWindow(), guide);
    EXPECT_TRUE(QTest::qWaitForWindowActive(guide)) << "brought to the front";
    int guides = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) guides += w->objectName() == "GuideWindow" && w->isVisible();
    EXPECT_EQ(guides, 1);
    EXPECT_EQ(guide->windowTitle(), "翎川 用户指南");
    EXPECT_FALSE(main->isAncestorOf(guide)) << "not inside the main window";
    // Beside it where a side has room for the guide at its narrowest, 480 pixels
    // (Xvfb); else over it against the screen's right edge (offscreen).
    const QRect m = main->frameGeometry(), g = guide->frameGeometry();
    if (std::max(avail.right() - m.right(), m.left() - avail.left()) >= 480) {
        EXPECT_FALSE(g.intersects(m));
    } else {
        EXPECT_GE(g.right(), avail.right());
        EXPECT_GT(g.left(), m.left());
    }
    // The guide rendered from its Markdown, its pictures found beside it.
    EXPECT_TRUE(guide->browser()->toPlainText().contains("计算单A2计算轮坯和轮齿的几何尺寸"));
    const QVariant picture = guide->browser()->loadResource(QTextDocument::ImageResource, QUrl("sheet-a2.png"));
    EXPECT_FALSE(QImage::fromData(picture.toByteArray()).isNull()) << "sheet-a2.png not found beside the guide";
    QTest::keyClick(guide, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(avail.contains(g) && avail.contains(QRect(guide->findField()->mapToGlobal(QPoint()), guide->findField()->size())));
}

TEST_F(SafeReading, TheGuideRendersItsBoldsAndLinksItsChapters) {
    main->showGuide();
    QTextDocument* doc = main->guideWindow()->browser()->document();
    EXPECT_FALSE(doc->toPlainText().contains("**")) << "a bold the Markdown reader did not take";
    QStringList links, places;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorHref().startsWith('#')) links << it.fragment().charFormat().anchorHref();
            for (const QString& name : it.fragment().charFormat().anchorNames()) places << '#' + name;
        }
    EXPECT_EQ(links.size(), 11) << "the table of contents";
    for (const QString& link : links) EXPECT_TRUE(places.contains(link)) << link.toStdString();
    QTextBrowser* browser = main->guideWindow()->browser();
    const QTextCursor toc = doc->find(QString::fromUtf8("打印和导出PDF"));  // the tenth chapter's link
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(toc).center() - QPoint(4, 0));
    EXPECT_GT(browser->verticalScrollBar()->value(), browser->verticalScrollBar()->maximum() / 2);
    // Ctrl+F, a word, Enter: the find bar shows, the word is found and selected.
    main->guideWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main->guideWindow()));
    QTest::keyClick(main->guideWindow(), Qt::Key_F, Qt::ControlModifier);
    main->guideWindow()->findField()->setText(QString::fromUtf8("刀盘公称直径"));  // QTest types ASCII only
    QTest::keyClick(main->guideWindow()->findField(), Qt::Key_Return);
    EXPECT_TRUE(main->guideWindow()->findField()->isVisible() && browser->textCursor().selectedText() == QString::fromUtf8("刀盘公称直径"));
}

// The main window comes back where it was left, brought back onto the screen
// where it no longer fits there.
TEST_F(SafeReading, TheMainWindowComesBackAtTheSizeItWasLeftIn) {
    const QRect screen = main->screen()->availableGeometry();
    for (const QRect& left : {QRect(20, 30, 700, 500), QRect(300, 250, screen.width() + 100, 640)}) {
        main->setGeometry(left);
        QCoreApplication::processEvents();
        main->close();
        main = std::make_unique<app::MainWindow>();
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        EXPECT_TRUE(screen.contains(left) ? main->geometry() == left : screen.contains(main->frameGeometry())) << left.width();
    }
}
