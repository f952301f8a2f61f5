// 导出PDF… from whichever sheet window is active: the save dialog's choice
// gets the PDF of the open sheets; with nothing open, or a folder that cannot
// be written, a message and no file. 打印… prints what its dialog asks for.
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "support.h"

using namespace lc;
using lc::test::WindowTest;

namespace {

using ReportCommandsTest = WindowTest;

TEST_F(ReportCommandsTest, CtrlEInASheetWindowExportsTheOpenSheets) {
    QTemporaryDir dir;
    QString chosen = dir.filePath("a2");
    QString suggested;
    main->setPdfPathChooser([&](const QString& s) {
        suggested = s;
        return chosen;
    });

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

}  // namespace

// 打印… through the print dialog into its PDF file: every page, as many copies
// as asked; a range of pages; 当前页, the first page of the active sheet.
// pdfinfo counts the pages, pdftotext reads the heading.
TEST_F(ReportCommandsTest, PrintingGivesThePagesAskedForAsOftenAsAsked) {
    QTemporaryDir dir;
    for (const char* sheet : {"A1", "B1", "C"}) menu(sheet);
    ASSERT_TRUE(main->saveJobTo(dir.filePath("job.lcjob")));
    menu("B1");
    const QString pdf = dir.filePath("job.pdf");
    const auto read = [](const QString& tool, const QStringList& args) {
        QProcess p;
        p.start(tool, args);
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    int all = 0;
    const struct { const char* range; int from, to, copies; } rows[] = {
        {"printAll", 0, 0, 1}, {"printAll", 0, 0, 2}, {"printRange", 2, 3, 1}, {"printCurrentPage", 0, 0, 1}};
    for (const auto& row : rows) {
        QFile::remove(pdf);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->findChild<QRadioButton*>(row.range)->setChecked(true);
            if (row.from) dialog->findChild<QSpinBox*>("to")->setValue(row.to), dialog->findChild<QSpinBox*>("from")->setValue(row.from);
            dialog->findChild<QSpinBox*>("copies")->setValue(row.copies);
            dialog->accept();
        });
        main->printSheets();
        const int pages = read("pdfinfo", {pdf}).section("Pages:", 1).section('\n', 0, 0).trimmed().toInt();
        all = all ? all : pages;
        EXPECT_EQ(pages, row.from ? row.to - row.from + 1 : row.range[5] == 'C' ? 1 : all * row.copies) << row.range;
    }
    EXPECT_GE(all, 3);
    EXPECT_TRUE(read("pdftotext", {pdf, "-"}).contains("翎川齿轮计算单B1")) << "当前页 is sheet B1's";
}
