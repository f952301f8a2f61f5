// The job's paperwork in the program: 属性…, 关于翎川 and the blank drawing as
// DXF from the sketch window.
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/properties_dialog.h"
#include "core/jobfile.h"
#include "../common/a2_worked_sheet.h"
#include "support.h"

namespace lc::test {
namespace {

class Paperwork : public WindowTest {
protected:
    // Runs the command and hands its dialog, once open, to `act`.
    template <typename Dialog>
    void withDialog(const char* command, std::function<void(Dialog&)> act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            seen = dialog != nullptr;
            if (dialog) act(*dialog);
            if (dialog && dialog->isVisible()) dialog->done(QDialog::Rejected);
        });
        menu(command);
        EXPECT_TRUE(seen) << command;
    }
};

// 属性… starts with today's date; OK takes every text, and the workbook then
// differs from its file; 取消 changes nothing; remarks beyond a field's limit
// are told while the dialog stays open with them.
TEST_F(Paperwork, PropertiesAreEditedCancelledAndHeldToTheLimit) {
    calculateA2();
    QTemporaryDir dir;
    ASSERT_TRUE(main->document().saveTo(dir.filePath("job.lcjob")));
    EXPECT_FALSE(main->document().isModified());
    withDialog<app::PropertiesDialog>("Properties", [](app::PropertiesDialog& d) {
        EXPECT_EQ(d.field(Property::Date)->text(), QDate::currentDate().toString(Qt::ISODate));
        d.field(Property::Name)->setText("主减速器 <b>A</b>");
        d.field(Property::Designer)->setText("王工");
        d.remarks()->setPlainText("第一行\n第二行");
        d.accept();
    });
    EXPECT_EQ(wb().properties[Property::Name], "主减速器 <b>A</b>");
    EXPECT_EQ(wb().properties[Property::Remarks], "第一行\n第二行");
    EXPECT_EQ(wb().properties[Property::Date], QDate::currentDate().toString(Qt::ISODate).toStdString());
    EXPECT_TRUE(main->document().isModified());
    const Properties kept = wb().properties;

    withDialog<app::PropertiesDialog>("Properties", [](app::PropertiesDialog& d) {
        d.field(Property::Checker)->setText("李工");
        d.reject();
    });
    EXPECT_EQ(wb().properties, kept);

    bool openAgain = false;
    withDialog<app::PropertiesDialog>("Properties", [&](app::PropertiesDialog& d) {
        d.remarks()->setPlainText(QString(static_cast<qsizetype>(kJobFileLimits.textLength) + 1, 'x'));
        QTimer::singleShot(0, [&] {
            openAgain = QApplication::activeModalWidget() == &d && d.remarks()->toPlainText().size() == 10001;
            d.reject();
        });
        d.accept();
    });
    EXPECT_TRUE(openAgain);
    EXPECT_EQ(wb().properties, kept);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "备注长达10001个字符，超过计算文件中一栏文字的上限（10000个字符）。");
}

// 关于翎川 names the version, the build's date and platform, the licence, and
// every third-party part with its licence, each of them in the package's
// copyright file.
TEST_F(Paperwork, AboutNamesVersionLicenceAndThirdParties) {
    QString program, parts;
    withDialog<QDialog>("About", [&](QDialog& d) {
        program = d.findChild<QLabel*>("AboutProgram")->text();
        parts = d.findChild<QLabel*>("AboutThirdParty")->text();
    });
    EXPECT_TRUE(program.startsWith("翎川 " LC_VERSION "：")) << program.toStdString();
    EXPECT_TRUE(program.contains(QRegularExpression("构建：\\d{4}-\\d\\d-\\d\\d，Linux x86_64"))) << program.toStdString();
    EXPECT_TRUE(program.contains("许可证：GPL-3.0-or-later")) << program.toStdString();
    QFile copyright(LC_COPYRIGHT);
    ASSERT_TRUE(copyright.open(QIODevice::ReadOnly));
    const QString listed = QString::fromUtf8(copyright.readAll());
    const std::pair<const char*, const char*> wanted[] = {{"Qt", "LGPL-3.0-only"}, {"GMP", "LGPL-3.0-or-later"},
                                                          {"MPFR", "LGPL-3.0-or-later"}, {"nlohmann-json", "MIT"},
                                                          {"dxflib", "GPL-2.0-or-later"}};
    for (const auto& [name, licence] : wanted) {
        EXPECT_TRUE(parts.contains(QString("\n%1").arg(name)) && parts.contains(licence)) << name;
        EXPECT_TRUE(listed.contains(name) && listed.contains(QString("License: ") + licence)) << name;
    }
}

// 导出示意图DXF…: the drawing once sheet A2 is calculated; before that the
// sketch's own line and no file.
TEST_F(Paperwork, DxfFromTheSketchWindowOrTheSketchsLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("blank.dxf");
    menu("A1");
    menu("Sketch");
    EXPECT_FALSE(main->output().exportSketchTo(main->sketchWindow(), path));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, "计算单A2尚未计算：按“开始计算”之后才有齿坯示意图。");
    EXPECT_FALSE(QFile::exists(path));
    messages.entries.clear();
    wb().sheet(SheetId::A2) = example::a2WorkedSheet();
    ASSERT_TRUE(main->output().exportSketchTo(main->sketchWindow(), path));
    QFile dxf(path);
    ASSERT_TRUE(dxf.open(QIODevice::ReadOnly));
    const QByteArray bytes = dxf.readAll();
    EXPECT_TRUE(bytes.endsWith("  0\nEOF\n"));
    EXPECT_TRUE(bytes.contains("\nLe 42.2018956920184\n"));
}

}  // namespace
}  // namespace lc::test
