// 导出PDF… from whichever sheet window is active: the save dialog's choice
// gets the PDF of the open sheets; with nothing open, or a folder that cannot
// be written, a message and no file.
#include <QFile>
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

}  // namespace
