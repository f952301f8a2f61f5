// A job's captions and file names are text wherever the window system reads
// marks into a text: titles ([*], line breaks), buttons and menus (&, tabs),
// and the direction controls of a name next to the program's own name.
#include <QAccessible>
#include <QMenu>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <fstream>

#include "app/command_line.h"
#include "support.h"

namespace lc::test {
namespace {

// As the window system shows them: a title through Qt's own reading of its
// marks (the MDI frame reads it the same way), a control's text as a screen
// reader gets it.
QString shownTitle(const QWidget* w) {
    QWidget probe;
    probe.setWindowTitle(w->windowTitle());
    probe.setWindowModified(w->isWindowModified());
    probe.winId();
    return probe.windowHandle()->title();
}
QString shownText(QObject* o, int child = -1) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return (child < 0 ? a : a->child(child))->text(QAccessible::Name);
}

class PlainText : public WindowTest {
protected:
    QTemporaryDir dir;
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        return f.fileName();
    }
};

TEST_F(PlainText, CaptionsAndNamesShowAsTheCharactersTheyAre) {
    const QString name = QString::fromUtf8("图\u202Egpj.lcjob");
    ASSERT_TRUE(main->document().openFrom(write(name, R"({"sheets": {"gears": {"Caption": "精度[*]&A\n完"},
        "A2": {"Option1": "&Q左", "Option2": "右", "selected": "Option2"}}})")));
    EXPECT_EQ(shownTitle(main->windowOf(SheetId::Gears)), QString::fromUtf8("精度[*]&A 完"));
    const QString isolated = QChar(0x2068) + name + QChar(0x2069), title = main->windowHandle()->title();
    EXPECT_TRUE(title.startsWith(isolated) && title.endsWith(" - 翎川")) << qPrintable(title);

    auto* hand = form(SheetId::A2)->findChild<QRadioButton*>("Option1");
    EXPECT_EQ(shownText(hand), QString::fromUtf8("&Q左"));
    main->mdiArea()->setActiveSubWindow(main->windowOf(SheetId::A2));
    QTest::keyClick(form(SheetId::A2), Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(hand->isDown() || hand->isChecked()) << "Alt+Q pressed the hand button";

    // 最近打开 as a hand-edited settings file has it: ten entries, one long,
    // one with a tab and a line break; a device.
    QStringList recent{dir.filePath(name), dir.filePath("a&b\tc\nd.lcjob"), "/x/" + QString(240, u'长') + ".lcjob"};
    while (recent.size() < 10) recent << QString("/x/%1.lcjob").arg(recent.size());
    QSettings().setValue("jobs/recent", recent);
    QMenu* menu = main->popUpBackgroundMenu(QPoint(0, 0));
    QMenu* entries = menu->findChild<QMenu*>("RecentJobs");
    EXPECT_EQ(entries->actions().size(), 8);
    const QStringList shown{shownText(entries, 0), shownText(entries, 1), shownText(entries, 2)};
    for (const QString& entry : shown) EXPECT_EQ(entry.count('\t'), 1) << qPrintable(entry);
    EXPECT_TRUE(shown[0].startsWith("1 " + isolated + "\t")) << qPrintable(shown[0]);
    EXPECT_TRUE(shown[1].startsWith("2 a&b c d.lcjob\t")) << qPrintable(shown[1]);
    EXPECT_TRUE(shown[2].contains(QString::fromUtf8("长…长")) && shown[2].size() < 200) << qPrintable(shown[2]);
    menu->close();
    main->document().openRecent("/dev/zero");
    EXPECT_TRUE(messages.entries.back().text.contains("不是普通文件")) << qPrintable(messages.entries.back().text);
}

// A name the system gives in bytes that are not UTF-8 is refused as such.
TEST_F(PlainText, ANameNotInUtf8IsRefusedAsSuch) {
    const QByteArray gbk = QFile::encodeName(dir.path()) + "/gbk\xb3\xdd.lcjob";
    std::ofstream(gbk.constData()) << R"({"sheets": {"A2": {}}})";
    const auto gone = qScopeGuard([&] { std::remove(gbk.constData()); });
    app::openFromCommandLine(*main, {"lingchuan", QFile::decodeName(gbk)});
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(messages.entries[0].text.contains("无法表示") && !messages.entries[0].text.contains("不存在"))
        << qPrintable(messages.entries[0].text);
}

}  // namespace
}  // namespace lc::test
