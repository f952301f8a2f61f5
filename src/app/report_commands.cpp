// 打印… and 导出PDF…: the printed calculation sheet of every open sheet, on the
// printer through the system's print dialog or into a PDF file. Both paint the
// same pages (src/report).
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

#include "app/main_window.h"
#include "app/print_setup.h"
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
const char* const kNoPrinter = "没有安装打印机，无法打印。\n要把计算单导出为PDF文件吗？";

}  // namespace

report::PageOptions MainWindow::pageOptions() const {
    report::PageOptions options;
    options.jobName = jobPath().isEmpty() ? QString() : QFileInfo(jobPath()).fileName();
    options.a2Sketch = [](QPainter& p, const QRectF& area, const Workbook& wb) { report::paintBlankSketch(p, area, wb); };
    return options;
}

QString MainWindow::suggestedPdfPath() const {
    const QFileInfo job(jobPath());
    const QString folder = jobPath().isEmpty() ? lastFolder() : job.absolutePath();
    const QString name = (jobPath().isEmpty() ? QString::fromUtf8("计算单") : job.completeBaseName()) + ".pdf";
    return QDir(folder).filePath(name);
}

void MainWindow::printSheets() {
    if (!anySheet(wb_)) {
        session_.messages().show(QString::fromUtf8(kNothingToPrint));
        return;
    }
    if (!printerAvailable()) {
        if (session_.messages().ask(QString::fromUtf8(kNoPrinter))) exportPdf();
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    report::setUpA4(printer);
    prepareForPrintDialog(printer, suggestedPdfPath());
    report::PageOptions options = pageOptions();
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8("打印"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, report::pageCount(printer, wb_, options));
    // 当前页: the first page of the active sheet, after the pages of the
    // sheets printed before it.
    int currentPage = 1;
    if (const std::optional<SheetId> active = activeSheet()) {
        Workbook before(wb_);
        bool after = false;
        for (SheetId id : kAllSheets) {
            after = after || id == *active;
            if (after) before.close(id);
        }
        currentPage += report::pageCount(printer, before, options);
    }
    if (dialog.exec() != QDialog::Accepted) return;
    switch (printer.printRange()) {
        case QPrinter::PageRange:
            options.firstPage = printer.fromPage();
            options.lastPage = printer.toPage();
            break;
        case QPrinter::CurrentPage:
            options.firstPage = options.lastPage = currentPage;
            break;
        default: break;
    }
    // A printer that cannot make copies itself gets the pages as often.
    if (!printer.supportsMultipleCopies()) options.copies = printer.copyCount();
    if (report::paintWorkbook(printer, wb_, options) == 0)
        session_.messages().show(QString::fromUtf8("无法打印：打印机不能使用。"));
}

void MainWindow::exportPdf() {
    if (!anySheet(wb_)) {
        session_.messages().show(QString::fromUtf8(kNothingToPrint));
        return;
    }
    const QString suggested = suggestedPdfPath();
    QString path;
    if (pdfPathChooser_) {
        // A name without extension gets it, as from the dialog.
        path = pdfPathChooser_(suggested);
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".pdf";
    } else {
        // The extension is the dialog's default, so its question before
        // overwriting covers a name typed without it.
        QFileDialog dialog(this, QString::fromUtf8("导出PDF"), suggested, QString::fromUtf8("PDF 文件 (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("pdf");
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().front();
    }
    if (path.isEmpty()) return;
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
