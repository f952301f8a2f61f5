// A job's captions and file names are text wherever the window system reads
// marks into a text: titles ([*], line breaks), buttons and menus (&, tabs),
// and the direction controls of a name beside the program's own name.
#include <QAccessible>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <fstream>

#include "app/command_line.h"
#include "support.h"

namespace lc::test {
namespace {

// As shown: a title as Qt reads its marks (the MDI frame reads it alike), a
// control's text as a screen reader gets it.
QString shownTitle(const QWidget* w) {
    QWidget probe;
    probe.setWindowTitle(w->windowTitle());
    probe.winId();
    return probe.windowHandle()->title();
}
QString shown(QObject* o, int child = -1) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return (child < 0 ? a : a->child(child))->text(QAccessible::Name);
}

using PlainText = WindowTest;

TEST_F(PlainText, CaptionsAndNamesShowAsTheCharactersTheyAre) {
    QTemporaryDir dir;
    const QString name = QString::fromUtf8("图\u202Egpj.lcjob"), isolated = QChar(0x2068) + name + QChar(0x2069);
    std::ofstream(QFile::encodeName(dir.filePath(name)).constData()) << R"({"sheets": {"gears": {"Caption":
        "精度[*]&A\n完"}, "A2": {"Option1": "&Q左", "Option2": "右", "selected": "Option2"}}})";
    ASSERT_TRUE(main->document().openFrom(dir.filePath(name)));
    EXPECT_EQ(shownTitle(main->windowOf(SheetId::Gears)), QString::fromUtf8("精度[*]&A 完"));
    const QString title = main->windowHandle()->title();
    EXPECT_TRUE(title.startsWith(isolated) && title.endsWith(" - 翎川")) << qPrintable(title);
    auto* hand = form(SheetId::A2)->findChild<QRadioButton*>("Option1");
    EXPECT_EQ(shown(hand), QString::fromUtf8("&Q左"));
    main->mdiArea()->setActiveSubWindow(main->windowOf(SheetId::A2));
    QTest::keyClick(form(SheetId::A2), Qt::Key_Q, Qt::AltModifier);
    EXPECT_FALSE(hand->isDown() || hand->isChecked()) << "Alt+Q pressed the hand button";

    // 最近打开 as a hand-edited settings file has it: ten entries, one with a
    // tab and a line break, one long; then a device.
    QStringList recent{dir.filePath(name), "/x/a&b\tc\nd.lcjob", "/x/" + QString(240, u'长')};
    while (recent.size() < 10) recent << QString("/x/%1.lcjob").arg(recent.size());
    QSettings().setValue("jobs/recent", recent);
    QMenu* entries = main->popUpBackgroundMenu(QPoint(0, 0))->findChild<QMenu*>("RecentJobs");
    const QStringList texts{shown(entries, 0), shown(entries, 1), shown(entries, 2)};
    EXPECT_EQ(entries->actions().size(), 8);
    EXPECT_TRUE(texts[0].startsWith("1 " + isolated + "\t") && texts[1] == "2 a&b c d.lcjob\t/x" &&
                texts[2].contains(QString::fromUtf8("长…长")) && texts[2].size() < 100)
        << qPrintable(texts.join('|'));
    main->document().openRecent("/dev/zero");
    EXPECT_TRUE(messages.entries.back().text.contains("不是普通文件")) << qPrintable(messages.entries.back().text);
}

// The command line: a name beginning with a dash after "--" or as ./-x.lcjob;
// a name the system gives in bytes that are not UTF-8 is refused as such.
TEST_F(PlainText, TheCommandLineTakesNamesAsTheSystemGivesThem) {
    const QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QByteArray gbk = "gbk\xb3\xdd.lcjob";
    for (const char* name : {"-x.lcjob", gbk.constData()}) std::ofstream(name) << R"({"sheets": {"A2": {}}})";
    for (const QStringList& args : {QStringList{"--", "-x.lcjob"}, QStringList{"./-x.lcjob"}}) {
        main->document().newJob();
        app::openFromCommandLine(*main, app::readCommandLine(QStringList{"lingchuan"} + args));
        EXPECT_EQ(main->document().path(), dir.filePath("-x.lcjob")) << qPrintable(args.join(' '));
    }
    app::openFromCommandLine(*main, app::readCommandLine({"lingchuan", QFile::decodeName(gbk)}));
    std::remove(gbk.constData());
    QDir::setCurrent(before);
    const QString said = messages.entries.empty() ? QString() : messages.entries[0].text;
    EXPECT_TRUE(messages.entries.size() == 1 && said.contains("无法表示") && !said.contains("不存在")) << qPrintable(said);
}

}  // namespace
}  // namespace lc::test
