// 打印… and 导出PDF…: the printed calculation sheet of every open sheet, on the
// printer through the system's print dialog or into a PDF file. Both paint the
// same pages (src/report).
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

#include "app/main_window.h"
#include "report/page.h"
#include "report/sketch.h"

namespace lc::app {

namespace {

bool anySheet(const Workbook& wb) {
    for (SheetId id : kAllSheets)
        if (wb.exists(id)) return true;
    return false;
}

const char* const kNothingToPrint = "没有打开的计算单，无可打印的内容。";

}  // namespace

report::PageOptions MainWindow::pageOptions() const {
    report::PageOptions options;
    options.jobName = jobPath().isEmpty() ? QString() : QFileInfo(jobPath()).fileName();
    options.a2Sketch = [](QPainter& p, const QRectF& area, const Workbook& wb) { report::paintBlankSketch(p, area, wb); };
    return options;
}

void MainWindow::printSheets() {
    if (!anySheet(wb_)) {
        session_.messages().show(QString::fromUtf8(kNothingToPrint));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    report::setUpA4(printer);
    printer.setDocName(QString::fromUtf8("翎川齿轮计算单"));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8("打印"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (report::paintWorkbook(printer, wb_, pageOptions()) == 0)
        session_.messages().show(QString::fromUtf8("无法打印：打印机不能使用。"));
}

void MainWindow::exportPdf() {
    if (!anySheet(wb_)) {
        session_.messages().show(QString::fromUtf8(kNothingToPrint));
        return;
    }
    // Named after the job file, beside it; else in the folder used last.
    const QFileInfo job(jobPath());
    const QString folder = jobPath().isEmpty() ? lastFolder() : job.absolutePath();
    const QString name = (jobPath().isEmpty() ? QString::fromUtf8("计算单") : job.completeBaseName()) + ".pdf";
    const QString suggested = QDir(folder).filePath(name);
    QString path = pdfPathChooser_ ? pdfPathChooser_(suggested)
                                   : QFileDialog::getSaveFileName(this, QString::fromUtf8("导出PDF"), suggested,
                                                                  QString::fromUtf8("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += ".pdf";
    rememberFolder(path);
    exportPdfTo(path);
}

bool MainWindow::exportPdfTo(const QString& path) {
    QString error;
    if (!report::writePdf(path, wb_, pageOptions(), &error)) {
        session_.messages().show(QString::fromUtf8("导出PDF失败。") + error);
        return false;
    }
    return true;
}

}  // namespace lc::app
