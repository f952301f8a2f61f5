// 导出PDF… from whichever sheet window is active: the save dialog's choice
// gets the PDF of the open sheets; with nothing open, or a folder that cannot
// be written, a message and no file. 打印… prints what its dialog asks for.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <tuple>

#include "support.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

using ReportCommandsTest = WindowTest;

TEST_F(ReportCommandsTest, CtrlEInASheetWindowExportsTheOpenSheets) {
    QTemporaryDir dir;
    QString chosen = dir.filePath("a2");
    QString suggested;
    files.save = [&](const QString& s) {
        suggested = s;
        return chosen;
    };

    QTest::keyClick(main.get(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_TRUE(suggested.isEmpty()) << "no dialog when there is nothing to print";

    menu("A1");
    type(SheetId::A2, "Text1", "10");
    QTest::keyClick(field(SheetId::A2, "Text1"), Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(suggested.endsWith("计算单.pdf")) << suggested.toStdString();
    QFile pdf(chosen + ".pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly)) << "the missing suffix is added";
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_EQ(messages.entries.size(), 1u);

    chosen = dir.filePath("no-such-folder/a2.pdf");
    QTest::keyClick(field(SheetId::A2, "Text1"), Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(messages.entries.size(), 2u);
    EXPECT_TRUE(messages.entries.back().text.startsWith("导出PDF失败")) << messages.entries.back().text.toStdString();
    EXPECT_EQ(wb().sheet(SheetId::A2).text("Text1"), "10");
}

// The save dialogs start in Documents (文档) until a folder has been used; in
// the home folder where there is no Documents.
TEST_F(ReportCommandsTest, DialogsStartInDocumentsUntilAFolderIsUsed) {
    QTemporaryDir home, used;
    const QByteArray userHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    QString suggested, chosen;
    files.save = [&](const QString& s) {
        suggested = s;
        return chosen;
    };
    menu("A1");
    const auto startFolder = [&] {
        QTest::keyClick(main.get(), Qt::Key_E, Qt::ControlModifier);
        return QFileInfo(suggested).absolutePath();
    };
    EXPECT_EQ(startFolder(), home.path());
    ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
    EXPECT_EQ(startFolder(), home.path() + "/Documents");
    chosen = used.filePath("a2.pdf");
    startFolder();
    EXPECT_EQ(startFolder(), used.path());
    qputenv("HOME", userHome);
}

}  // namespace

// 打印… through the print dialog into its PDF file: every page, as many copies
// as asked; a range of pages; 当前页, the first page of the active sheet.
// pdfinfo counts the pages, pdftotext reads the heading.
TEST_F(ReportCommandsTest, PrintingGivesThePagesAskedForAsOftenAsAsked) {
    QTemporaryDir dir;
    for (const char* sheet : {"A1", "B1", "C"}) menu(sheet);
    ASSERT_TRUE(main->document().saveTo(dir.filePath("job.lcjob")));
    menu("B1");
    const auto read = [&](const QString& tool, const QStringList& args) {
        QProcess p;
        p.start(tool, QStringList{dir.filePath("job.pdf")} + args);
        return p.waitForFinished() ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
    };
    int all = 0;
    for (const auto& [range, from, to, copies] : {std::tuple{"printAll", 1, 1, 1}, {"printAll", 1, 1, 2}, {"printRange", 2, 3, 1}, {"printCurrentPage", 1, 1, 1}}) {
        QFile::remove(dir.filePath("job.pdf"));
        QTimer::singleShot(0, [&, range = range, from = from, to = to, copies = copies] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QRadioButton*>(range)->setChecked(true);
            dialog->findChild<QSpinBox*>("to")->setValue(to), dialog->findChild<QSpinBox*>("from")->setValue(from);
            dialog->findChild<QSpinBox*>("copies")->setValue(copies);
            qobject_cast<QDialog*>(dialog)->accept();
        });
        main->output().print(main->activeSheet());
        const int pages = read("pdfinfo", {}).section("Pages:", 1).section('\n', 0, 0).trimmed().toInt();
        all = all ? all : pages;
        EXPECT_EQ(pages, range[5] == 'R' ? to - from + 1 : range[5] == 'C' ? 1 : all * copies) << range;
    }
    EXPECT_GE(all, 3);
    EXPECT_TRUE(read("pdftotext", {"-"}).contains("翎川齿轮计算单B1")) << "当前页 is sheet B1's";
}
